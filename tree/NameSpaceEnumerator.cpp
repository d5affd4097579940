// The tree's class table, properties, life and window, and the control's node events.

#include "tree/NameSpaceEnumerator.h"

#include "framework/ChangeNotifyThread.h"
#include "framework/LinkProperty.h"
#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"

#include <utility>

// The list is held through its link interface; the stored form names its component.
const TClassInfo& TNameSpaceEnumerator::StaticClassInfo() {
    using T = TNameSpaceEnumerator;
    static const TClassInfo info{
        .ClassName = "TNameSpaceEnumerator",
        .Parent = &TCustomTreeView::StaticClassInfo(),
        .Create = ConstructComponent<TNameSpaceEnumerator>,
        .Properties =
            {
                BooleanProperty("AllowRename", &T::AllowRename, &T::SetAllowRename, true),
                BooleanProperty("ShowVirtualFolders", &T::ShowVirtualFolders, &T::SetVirtualFolders,
                                true),
                LinkProperty<T, IFolderEnumeratorLink, &T::FolderEnumerator,
                             &T::SetFolderEnumerator>("FolderEnumerator", "TFolderEnumerator"),
                EventProperty("OnSelectionChange", &T::OnSelectionChange, &T::SetOnSelectionChange),
                BooleanProperty("ShellContextMenu", &T::ShellContextMenu, &T::SetShellContextMenu,
                                true),
                EnumProperty("RootedAt", "TRootedAt", &T::RootedAt, &T::SetRootedAt,
                             {"raDesktop", "raMyComputer", "raNetworkNeighbourhood", "raStartMenu",
                              "raProgramFiles", "raFileSystem"},
                             raDesktop),
                StringProperty("RootFolder", &T::RootFolder, &T::SetRootFolder, std::string()),
                BooleanProperty("ExpandAll", &T::ExpandAll, &T::SetExpandAll, false),
                EnumProperty("About", "TAbout", &T::About, &T::SetAbout, {"taAbout"}),
                BooleanProperty("AutoRefresh", &T::AutoRefresh, &T::SetAutoRefresh, true),
                BooleanProperty("AllowOLEDrop", &T::AllowOLEDrop, &T::SetAllowOLEDrop, true),
                BooleanProperty("AllowOLEDrag", &T::AllowOLEDrag, &T::SetAllowOLEDrag, true),
            },
        .Messages = {MessageHandler<WM_TREE_CHANGE_NOTIFY, &T::ChangeNotify>(),
                     MessageHandler<WM_TREE_DEFERRED_REFRESH, &T::DeferredRefresh>(),
                     MessageHandler<WM_RBUTTONUP, &T::WMRButtonUp>(),
                     MessageHandler<WM_LBUTTONUP, &T::WMLButtonUp>(),
                     MessageHandler<WM_KEYDOWN, &T::WMKeyDown>(),
                     MessageHandler<WM_SYSKEYDOWN, &T::WMSysKeyDown>(),
                     MessageHandler<WM_CONTEXTMENU, &T::WMContextMenu>(),
                     MessageHandler<CN_NOTIFY, &T::CNNotify>()},
        // The framework's properties the tree stores, ahead of its own; the tree view's own
        // events are the tree's handlers and stay hidden.
        .Republished =
            std::vector<std::string_view>{
                "Name",        "Left",          "Top",         "Width",          "Height",
                "Align",       "Color",         "BorderStyle", "Ctl3D",          "Enabled",
                "Font",        "HideSelection", "Indent",      "ShowButtons",    "ShowHint",
                "ShowLines",   "TabOrder",      "TabStop",     "Visible",        "PopupMenu",
                "ParentColor", "ParentCtl3D",   "ParentFont",  "ParentShowHint", "OnEnter",
                "OnExit",      "OnMouseDown",   "OnMouseUp",   "OnKeyDown",      "OnKeyUp",
                "OnDblClick"},
    };
    return info;
}

TNameSpaceEnumerator::TNameSpaceEnumerator(TComponent* AOwner, TViewServices* Shell)
    : TCustomTreeView(AOwner), m_Shell(Shell ? Shell : &TViewServices::Default()) {
    if (auto* parent = dynamic_cast<TWinControl*>(AOwner))
        SetParent(parent);
    SetDragMode(dmManual);

    OnExpanding = MethodEvent(this, &TNameSpaceEnumerator::Expanding);
    OnCollapsing = MethodEvent(this, &TNameSpaceEnumerator::Collapsing);
    OnEditing = MethodEvent(this, &TNameSpaceEnumerator::Editing);
    OnEdited = MethodEvent(this, &TNameSpaceEnumerator::Edited);
    OnChange = MethodEvent(this, &TNameSpaceEnumerator::NodeChange);
    OnDeletion = MethodEvent(this, &TNameSpaceEnumerator::Deletion);
    OnGetImages = MethodEvent(this, &TNameSpaceEnumerator::GetImages);
    SetSortType(stNone);

    // The shell's own small icons; the list is shared, never destroyed by the tree. The image list
    // component is the tree's own: it goes with the tree's other components.
    m_ilSmall = new TImageList(this);
    m_ilSmall->SetShareImages(true);
    m_ilSmall->SetHandle(m_Shell->GetSmallSystemImageList());
    SetImages(m_ilSmall);

    // A tree being read from a form file builds its root once, when it has been loaded.
    if (!InState(csLoading))
        InitEnumerator();
}

void TNameSpaceEnumerator::Loaded() {
    TCustomTreeView::Loaded();
    // RootedAt and RootFolder only stored their values while the form was read, in whatever
    // order the file gave them: the root is built from both now, once.
    InitEnumerator();
    if (m_bExpandAll)
        SetExpandAll(true);
    // A list that was given a folder of its own keeps it and the tree follows (telling only the
    // combo), whether the list was loaded before the tree or is loaded after it; any other list
    // shows the tree's selection.
    if (LPCITEMIDLIST given = m_FolderEnumerator ? m_FolderEnumerator->FolderPidl() : nullptr) {
        const OwnedPidl lent(OwnedPidl::Adopt,
                             EnumGlobals::ConcatPidls(nullptr, given, g_ShellMalloc));
        ExpandToFolder(m_FolderEnumerator.Get(), lent.Get());
    } else if (m_FolderEnumerator || m_NameSpaceCombo) {
        SelectionChange(this, Selected());
    }
}

TNameSpaceEnumerator::~TNameSpaceEnumerator() {
    StopChangeThread();
    if (INameSpaceComboLink* combo = m_NameSpaceCombo.Get()) {
        m_NameSpaceCombo.Set(this, nullptr);
        combo->SetNameSpaceEnumerator(nullptr);
    }
    // The list would otherwise keep a pointer to a tree that is gone.
    if (IFolderEnumeratorLink* list = m_FolderEnumerator.Get()) {
        m_FolderEnumerator.Set(this, nullptr);
        list->SetNameSpaceEnumerator(nullptr);
    }
    DestroyHandle();
    Items().Clear();
    SetImages(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Properties.

void TNameSpaceEnumerator::SetVirtualFolders(bool Value) {
    m_bVirtualFolders = Value;
    if (!InState(csLoading))
        Refresh();
}

void TNameSpaceEnumerator::SetRootedAt(TRootedAt Value) {
    m_RootedAt = Value;
    if (!InState(csLoading))
        InitEnumerator();
}

void TNameSpaceEnumerator::SetRootFolder(const std::string& Value) {
    m_sfRoot = Value;
    if (!InState(csLoading))
        InitEnumerator();
}

void TNameSpaceEnumerator::SetExpandAll(bool Value) {
    m_bExpandAll = Value;
    if (InState(csLoading))
        return;
    TTreeNode* root = Items().GetFirstNode();
    if (!Value || !root || m_RootedAt == raDesktop || m_RootedAt == raNetworkNeighbourhood)
        return;
    root->Expand(true);
}

// ---------------------------------------------------------------------------------------------
// Window.

HWND TNameSpaceEnumerator::OwnerWindow() {
    if (TWinControl* parent = Parent())
        return parent->Handle();
    return ParentWindow();
}

void TNameSpaceEnumerator::CreateWnd() {
    m_bDeleteData = false;
    TCustomTreeView::CreateWnd();
    m_bDeleteData = true;
    if (!HandleAllocated())
        return;

    if (!InState(csDesigning)) {
        m_ChangeThread = m_Shell->StartChangeNotifyThread(Handle(), WM_TREE_CHANGE_NOTIFY);
        if (m_ChangeThread) {
            m_ChangeThread->SetOnRefresh([this] { Refresh(); });
            m_ChangeThread->SetMessageWnd(Handle());
        }
    }

    // The window knows nothing of the expand buttons and expansion the nodes had.
    for (TTreeNode* node = Items().GetFirstNode(); node; node = node->GetNext()) {
        TNodeData* data = NodeData(node);
        if (!data)
            continue;
        node->SetHasChildren(data->bFolder);
        data->bButtonKnown = false;
        if (data->bExpandedOnce)
            node->Expand(false);
    }
    if (std::exchange(m_bSelectRootOnCreate, false))
        SetSelected(Items().GetFirstNode());
    // A refresh put off in the old window's queue went with it.
    if (m_bRefreshPending && m_iBusy == 0)
        PostMessageW(Handle(), WM_TREE_DEFERRED_REFRESH, 0, 0);

    if (m_OleDropTarget.Register(Handle()))
        ConnectDropTarget();
}

void TNameSpaceEnumerator::DestroyWnd() {
    m_OleDropTarget.Revoke();
    StopChangeThread();
    m_bDeleteData = false;
    TCustomTreeView::DestroyWnd();
    m_bDeleteData = true;
}

void TNameSpaceEnumerator::StopChangeThread() {
    TChangeNotifyThread* watcher = std::exchange(m_ChangeThread, nullptr);
    if (!watcher)
        return;
    watcher->SetOnRefresh(nullptr);
    watcher->Terminate();
}

void TNameSpaceEnumerator::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomTreeView::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent)
        return;
    m_FolderEnumerator.Forget(AComponent);
    m_NameSpaceCombo.Forget(AComponent);
}

// ---------------------------------------------------------------------------------------------
// Node events.

void TNameSpaceEnumerator::NodeChange(TObject*, TTreeNode*) {
    if (m_OnSelectionChange)
        m_OnSelectionChange(this);
}
