#include "tree/NameSpaceEnumerator.h"

#include "framework/ChangeNotifyThread.h"
#include "framework/LinkProperty.h"
#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace EnumGlobals;

namespace {

// The special folder each root stands for (raFileSystem falls back to My Computer).
constexpr int kRootFolders[] = {CSIDL_DESKTOP,   CSIDL_DRIVES,   CSIDL_NETWORK,
                                CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DRIVES};

// Only folders are shown, hidden ones included.
constexpr SHCONTF kFillFlags = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN;

// The tree's note to itself that a refresh was put off until its operation under way ended.
constexpr UINT WM_TREE_DEFERRED_REFRESH = WM_USER + 121;

// A path for the shell in UTF-16, false when it is longer than the platform's MAX_PATH allows:
// cut short, it could name another folder, or split a character in two.
bool ShellPath(const std::string& Path, std::wstring& Result) {
    Result = Utf8ToWide(Path);
    return Result.size() < MAX_PATH;
}

int ItemCount(LPCITEMIDLIST pidl) {
    int count = 0;
    for (const auto* bytes = reinterpret_cast<const BYTE*>(pidl);; ++count) {
        USHORT cb;
        std::memcpy(&cb, bytes, sizeof cb);
        if (cb == 0)
            return count;
        bytes += cb;
    }
}

void DeleteRecord(TNodeData* Data) {
    delete Data;
}

} // namespace

int TVCompareProc(TTreeNode* Node1, TTreeNode* Node2, LPARAM) {
    if (!Node1 || !Node2)
        return 0;
    return lstrcmpiW(Utf8ToWide(Node1->Text()).c_str(), Utf8ToWide(Node2->Text()).c_str());
}

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
                             &T::SetFolderEnumerator>("FolderEnumerator"),
                EventProperty("OnSelectionChange", &T::OnSelectionChange, &T::SetOnSelectionChange),
                BooleanProperty("ShellContextMenu", &T::ShellContextMenu, &T::SetShellContextMenu,
                                true),
                EnumProperty("RootedAt", &T::RootedAt, &T::SetRootedAt,
                             {"raDesktop", "raMyComputer", "raNetworkNeighbourhood", "raStartMenu",
                              "raProgramFiles", "raFileSystem"},
                             raDesktop),
                StringProperty("RootFolder", &T::RootFolder, &T::SetRootFolder, std::string()),
                BooleanProperty("ExpandAll", &T::ExpandAll, &T::SetExpandAll, false),
                EnumProperty("About", &T::About, &T::SetAbout, {"taAbout"}),
                BooleanProperty("AutoRefresh", &T::AutoRefresh, &T::SetAutoRefresh, true),
                BooleanProperty("AllowOLEDrop", &T::AllowOLEDrop, &T::SetAllowOLEDrop, true),
                BooleanProperty("AllowOLEDrag", &T::AllowOLEDrag, &T::SetAllowOLEDrag, true),
            },
        .Messages = {MessageHandler<WM_TREE_CHANGE_NOTIFY, &T::ChangeNotify>(),
                     MessageHandler<WM_TREE_DEFERRED_REFRESH, &T::DeferredRefresh>()},
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

    // The shell's own small icons; the list is shared, never destroyed by the tree.
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
    if (m_FolderEnumerator || m_NameSpaceCombo)
        SelectionChange(this, Selected());
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
    delete std::exchange(m_ilSmall, nullptr);
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

    m_OleDropTarget.Register(Handle());
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
// The root.

// The tree's window owns what the shell shows while it parses and locates; it is made here when
// the tree has a place for it. A tree not yet placed gets no stray top-level window.
HWND TNameSpaceEnumerator::ShellOwnerWindow() {
    return Parent() || ParentWindow() ? Handle() : nullptr;
}

void TNameSpaceEnumerator::InitEnumerator() {
    const TBusy busy(*this);
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop))
        return;
    const HWND owner = ShellOwnerWindow();

    OwnedPidl root;
    if (m_RootedAt == raFileSystem) {
        // No path names no folder, whatever a shell makes of it (Wine's desktop parses "" as My
        // Computer with success); a path too long for the platform names none either.
        std::wstring path;
        if (m_sfRoot.empty() || !ShellPath(m_sfRoot, path) ||
            FAILED(desktop->ParseDisplayName(owner, nullptr, path.data(), nullptr, root.Put(),
                                             nullptr)) ||
            !root) {
            root.Reset();
            m_RootedAt = raMyComputer;
        }
    }
    if (!root)
        root = m_Shell->GetSpecialFolderLocation(owner, kRootFolders[m_RootedAt]);

    Items().Clear();
    // A special folder that is not there (no network, say) leaves the tree empty.
    if (!root)
        return;

    const std::string caption = m_Shell->GetDisplayName(root.Get());
    auto* data = new TNodeData;
    data->sfFolder = desktop;
    if (m_RootedAt != raDesktop)
        data->pFQpidl.Reset(ConcatPidls(nullptr, root.Get(), g_ShellMalloc));
    data->pPidl.Reset(ConcatPidls(nullptr, root.Get(), g_ShellMalloc));

    TTreeNode* node = Items().AddObject(nullptr, caption, data);
    int normal = 0;
    int selected = 0;
    m_Shell->GetSmallIcons(root.Get(), normal, selected);
    node->SetImageIndex(normal);
    node->SetSelectedIndex(selected);
    node->SetHasChildren(true);
    data->bFolder = true;
    // Selection lives in the window. A tree not yet placed selects its root when it gets one.
    m_bSelectRootOnCreate = !ShellOwnerWindow();
    if (!m_bSelectRootOnCreate)
        SetSelected(node);
}

bool TNameSpaceEnumerator::IsDesktopRoot(const TTreeNode* Node) const {
    return m_RootedAt == raDesktop && Node && Node == Items().GetFirstNode();
}

// ---------------------------------------------------------------------------------------------
// Expansion and filling.

void TNameSpaceEnumerator::Expanding(TObject*, TTreeNode* ParentNode, bool& AllowExpansion) {
    const TBusy busy(*this);
    AllowExpansion = true;
    TNodeData* data = NodeData(ParentNode);
    // The control may drop the button of a node that expands to nothing.
    if (data)
        data->bButtonKnown = false;
    if (InState(csDesigning) || !data || data->bExpandedOnce || !data->pPidl)
        return;
    if (m_RootedAt == raDesktop && !data->pFQpidl) {
        FillSubTree(ParentNode, data->sfFolder.Get());
        return;
    }
    ComPtr<IShellFolder> folder;
    BindToFolder(data->pPidl.Get(), data->sfFolder.Get(), folder);
    if (folder)
        FillSubTree(ParentNode, folder.Get());
}

void TNameSpaceEnumerator::Collapsing(TObject*, TTreeNode*, bool& AllowCollapse) {
    AllowCollapse = true;
}

void TNameSpaceEnumerator::FillSubTree(TTreeNode* ParentNode, IShellFolder* pFolder) {
    TNodeData* parentData = NodeData(ParentNode);
    if (!parentData || !pFolder)
        return;
    const TBusy busy(*this);
    const ComPtr<IShellFolder> folder(pFolder);
    const TCursor savedCursor = Cursor();
    SetCursor(crHourGlass);
    Items().BeginUpdate();

    // The node's own button changes with its children.
    parentData->bButtonKnown = false;
    SetFoundFlag(ParentNode, false);
    BuildReuseIndex(ParentNode);

    ComPtr<IEnumIDList> items;
    const HRESULT started = folder->EnumObjects(OwnerWindow(), kFillFlags, &items);
    // S_FALSE: nothing to list, which is an enumeration too (the enumerator may then be null).
    const bool enumerated = (started == S_OK && items) || started == S_FALSE;
    if (!enumerated) {
        // Every child goes in the sweep; a later expansion or refresh tries again.
        parentData->bExpandedOnce = false;
    } else {
        m_PlainIcons = TNodeLook{};
        OwnedPidl item;
        while (items && items->Next(1, item.Put(), nullptr) == S_OK && item) {
            LPCITEMIDLIST child = item.Get();
            // One question for every attribute the fill reads.
            SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER |
                                SFGAO_SHARE | SFGAO_LINK | SFGAO_FOLDER | SFGAO_STREAM;
            if (folder->GetAttributesOf(1, &child, &attributes) != S_OK)
                attributes = 0;
            if (!m_bVirtualFolders &&
                !AttributeExists(attributes, SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR))
                continue;
            std::string caption;
            if (!GetNiceName(folder.Get(), child, SHGDN_NORMAL, caption))
                continue;

            // Without its full list the node could not be told from the desktop root.
            OwnedPidl fullPidl(OwnedPidl::Adopt,
                               ConcatPidls(parentData->pFQpidl.Get(), child, g_ShellMalloc));
            if (!fullPidl)
                continue;
            auto* data = new TNodeData;
            data->sfFolder = folder;
            data->pFQpidl = std::move(fullPidl);
            // The enumerated list itself becomes the record's; child still points into it.
            data->pPidl = std::move(item);

            // Icons, overlay and expand button are read again for every item. The icons are
            // looked up only when the node is drawn or read (GetImages): most nodes of a large
            // folder never are. A link's arrow wins over the share's hand; a reused node loses
            // an overlay the item lost.
            TNodeLook look;
            look.ImagesOnDemand = true;
            data->ulAttributes = attributes;
            if (AttributeExists(attributes, SFGAO_SHARE))
                look.OverlayIndex = 0;
            if (AttributeExists(attributes, SFGAO_LINK))
                look.OverlayIndex = 1;
            look.HasChildren = AttributeExists(attributes, SFGAO_HASSUBFOLDER);
            data->bFolder = look.HasChildren;
            data->bFound = true;
            data->bButtonKnown = true;

            if (TTreeNode* node = GetNodeFromData(ParentNode, parentData, caption)) {
                TNodeData* old = NodeData(node);
                const bool buttonKnown = old && old->bButtonKnown;
                const bool button = old && old->bFolder;
                if (old) {
                    data->bSort = old->bSort;
                    data->bExpandedOnce = old->bExpandedOnce;
                }
                node->SetData(data);
                DeleteRecord(old);
                ApplyLook(node, look, buttonKnown, button);
            } else {
                Items().AddChildObject(ParentNode, caption, data, look);
            }
        }
        if (ParentNode->Count() == 0)
            ParentNode->SetHasChildren(false);
        parentData->bExpandedOnce = true;
    }
    items.Reset();
    m_Reuse = TReuseIndex{};

    DeleteNodesNotFound(ParentNode);
    // The control drops the expand button with the last child; the node keeps the one its
    // parent's fill gave it, so that expanding it can try again.
    if (!enumerated && parentData->bFolder && !ParentNode->HasChildren())
        ParentNode->SetHasChildren(true);
    if (!IsDesktopRoot(ParentNode) &&
        GetAttributesOfItem(parentData->sfFolder.Get(), parentData->pPidl.Get(), SFGAO_FILESYSTEM))
        SortChildren(ParentNode);

    Items().EndUpdate();
    SetCursor(savedCursor);
}

// Each change is a message to the window: only what differs is sent. The button is asked of the
// window only when the record cannot tell it (Button, when ButtonKnown).
void TNameSpaceEnumerator::ApplyLook(TTreeNode* Node, const TNodeLook& Look, bool ButtonKnown,
                                     bool Button) {
    if ((ButtonKnown ? Button : Node->HasChildren()) != Look.HasChildren)
        Node->SetHasChildren(Look.HasChildren);
    // A node whose icons were never needed finds them from its new record when they are; one
    // that showed them is asked again.
    if (Look.ImagesOnDemand) {
        if (!Node->ImagesOnDemand())
            Node->SetImagesOnDemand();
    } else if (Node->ImageIndex() != Look.ImageIndex)
        Node->SetImageIndex(Look.ImageIndex);
    if (!Look.ImagesOnDemand && Node->SelectedIndex() != Look.SelectedIndex)
        Node->SetSelectedIndex(Look.SelectedIndex);
    if (Node->OverlayIndex() != Look.OverlayIndex)
        Node->SetOverlayIndex(Look.OverlayIndex);
}

bool TNameSpaceEnumerator::IsRecycleBin(LPCITEMIDLIST FQPidl, LPCITEMIDLIST RecycleBin) {
    // Lists of different depths never name one object: the shell is asked only about the few
    // children as deep as the bin.
    if (!FQPidl || !RecycleBin || ItemCount(FQPidl) != ItemCount(RecycleBin))
        return false;
    return m_Shell->Comparepidls(FQPidl, RecycleBin) == 0;
}

void TNameSpaceEnumerator::BuildReuseIndex(TTreeNode* ParentNode) {
    m_Reuse = TReuseIndex{};
    m_Reuse.ParentNode = ParentNode;
    const OwnedPidl recycleBin = m_Shell->GetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET);
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling()) {
        const TNodeData* data = NodeData(child);
        if (data && IsRecycleBin(data->pFQpidl.Get(), recycleBin.Get()))
            continue;
        m_Reuse.Children[child->Text()].push_back(child);
    }
}

TTreeNode* TNameSpaceEnumerator::GetNodeFromData(TTreeNode* ParentNode, TNodeData*,
                                                 const std::string& szCaption) {
    if (!ParentNode)
        return nullptr;
    // Outside the fill of this node: a walk over the children, with nothing kept. No fill is
    // claiming children, so what bFound says of them is stale.
    if (m_Reuse.ParentNode != ParentNode) {
        const OwnedPidl recycleBin = m_Shell->GetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET);
        for (TTreeNode* child = ParentNode->GetFirstChild(); child;
             child = child->GetNextSibling()) {
            TNodeData* data = NodeData(child);
            if (child->Text() != szCaption ||
                (data && IsRecycleBin(data->pFQpidl.Get(), recycleBin.Get())))
                continue;
            if (data)
                data->bFound = true;
            return child;
        }
        return nullptr;
    }
    const auto found = m_Reuse.Children.find(szCaption);
    if (found == m_Reuse.Children.end())
        return nullptr;
    size_t& next = m_Reuse.Next[szCaption];
    std::vector<TTreeNode*>& candidates = found->second;
    // Claimed children carry bFound; the cursor passes them once.
    while (next < candidates.size()) {
        TTreeNode* node = candidates[next++];
        TNodeData* data = NodeData(node);
        if (data && data->bFound)
            continue;
        if (data)
            data->bFound = true;
        return node;
    }
    return nullptr;
}

void TNameSpaceEnumerator::SetFoundFlag(TTreeNode* Node, bool bFound) {
    if (!Node)
        return;
    for (TTreeNode* child = Node->GetFirstChild(); child; child = child->GetNextSibling()) {
        if (TNodeData* data = NodeData(child))
            data->bFound = bFound;
        if (child->Count() > 0)
            SetFoundFlag(child, bFound);
    }
}

void TNameSpaceEnumerator::DeleteNodesNotFound(TTreeNode* ParentNode) {
    if (!ParentNode)
        return;
    Items().DeleteChildrenIf(ParentNode, [](TTreeNode* Child) {
        const TNodeData* data = NodeData(Child);
        return !data || !data->bFound;
    });
}

void TNameSpaceEnumerator::SortChildren(TTreeNode* ParentNode) {
    // The captions are converted once; a folder already in order (the usual case on a refresh)
    // costs one comparison per child and is left alone.
    std::vector<std::wstring> captions;
    captions.reserve(static_cast<size_t>(ParentNode->Count()));
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling())
        captions.push_back(Utf8ToWide(child->Text()));
    bool sorted = true;
    for (size_t i = 1; i < captions.size() && sorted; ++i)
        sorted = lstrcmpiW(captions[i - 1].c_str(), captions[i].c_str()) <= 0;
    if (sorted)
        return;
    // Sorting compares each caption many times: each becomes the system's sort key for the
    // comparison TVCompareProc makes (keys compare as the strings do), one conversion per child
    // instead of a slow comparison call per pair.
    std::vector<std::string> keys;
    keys.reserve(captions.size());
    for (const std::wstring& caption : captions) {
        const int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE,
                                      caption.c_str(), -1, nullptr, 0);
        std::string key(static_cast<size_t>(std::max(size, 0)), '\0');
        if (size <= 0 ||
            !LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, caption.c_str(), -1,
                          reinterpret_cast<LPWSTR>(key.data()), size)) {
            ParentNode->CustomSort(TVCompareProc, 0, false);
            return;
        }
        keys.push_back(std::move(key));
    }
    // By position until the sort renumbers the children.
    const auto byKey = [](TTreeNode* Node1, TTreeNode* Node2, LPARAM Keys) {
        const auto& k = *reinterpret_cast<const std::vector<std::string>*>(Keys);
        return k[Node1->Index()].compare(k[Node2->Index()]);
    };
    ParentNode->CustomSort(byKey, reinterpret_cast<LPARAM>(&keys), false);
}

void TNameSpaceEnumerator::Deletion(TObject*, TTreeNode* Node) {
    if (!m_bDeleteData || !Node)
        return;
    TNodeData* data = NodeData(Node);
    if (!data)
        return;
    Node->SetData(nullptr);
    DeleteRecord(data);
}

// The icons of a filled node, from its record: plain directories share the icons the first of
// them was given; every other item is asked about by its own list.
void TNameSpaceEnumerator::GetImages(TObject*, TTreeNode* Node, int& ImageIndex,
                                     int& SelectedIndex) {
    const TNodeData* data = NodeData(Node);
    if (!data || !data->pFQpidl)
        return;
    if (!m_Shell->IsPlainFolder(data->sfFolder.Get(), data->pPidl.Get(), data->ulAttributes)) {
        m_Shell->GetSmallIcons(data->pFQpidl.Get(), ImageIndex, SelectedIndex);
        return;
    }
    if (m_PlainIcons.ImageIndex < 0)
        m_Shell->GetSmallIcons(data->pFQpidl.Get(), m_PlainIcons.ImageIndex,
                               m_PlainIcons.SelectedIndex);
    ImageIndex = m_PlainIcons.ImageIndex;
    SelectedIndex = m_PlainIcons.SelectedIndex;
}

void TNameSpaceEnumerator::NodeChange(TObject*, TTreeNode*) {
    if (m_OnSelectionChange)
        m_OnSelectionChange(this);
}

// Until the tree renames through the shell, no edit starts: an edited caption would no longer be
// the item's name, and the next refill would drop the node or hand it a sibling's item.
void TNameSpaceEnumerator::Editing(TObject*, TTreeNode*, bool& AllowEdit) {
    AllowEdit = false;
}

// Should an edit end all the same, the node keeps the caption it has.
void TNameSpaceEnumerator::Edited(TObject*, TTreeNode* Node, std::string& S) {
    if (Node)
        S = Node->Text();
}

// ---------------------------------------------------------------------------------------------
// Selection, navigation and links.

std::string TNameSpaceEnumerator::GetSelection() const {
    const TNodeData* data = NodeData(Selected());
    if (!data || !data->pFQpidl)
        return {};
    return m_Shell->GetPathFromIDList(data->pFQpidl.Get());
}

void TNameSpaceEnumerator::SelectionChange(TObject*, TTreeNode* Node) {
    TNodeData* data = NodeData(Node);
    if (!data)
        return;
    // The partners fill themselves, and the record is read again after the list was told.
    const TBusy busy(*this);
    const OwnedPidl desktop = m_Shell->GetSpecialFolderLocation(ShellOwnerWindow(), CSIDL_DESKTOP);
    if (m_Shell->Comparepidls(desktop.Get(), data->pPidl.Get()) == 0) {
        if (m_FolderEnumerator)
            m_FolderEnumerator->FolderChanged(this, data->sfFolder.Get(), nullptr, false);
        if (m_NameSpaceCombo)
            m_NameSpaceCombo->SetCurrentPidl(nullptr);
        return;
    }
    if (!data->pPidl)
        return;
    ComPtr<IShellFolder> folder;
    BindToFolder(data->pPidl.Get(), data->sfFolder.Get(), folder);
    if (!folder)
        return;
    const SFGAOF attributes = GetAttributesOfItem(data->sfFolder.Get(), data->pPidl.Get(),
                                                  SFGAO_FILESYSTEM | SFGAO_FOLDER);
    const bool sorting =
        (attributes & (SFGAO_FILESYSTEM | SFGAO_FOLDER)) == (SFGAO_FILESYSTEM | SFGAO_FOLDER);
    if (m_FolderEnumerator)
        m_FolderEnumerator->FolderChanged(this, folder.Get(), data->pFQpidl.Get(), sorting);
    if (m_NameSpaceCombo)
        m_NameSpaceCombo->SetCurrentPidl(data->pFQpidl.Get());
}

void TNameSpaceEnumerator::GotoFolder(const std::string& szFolder) {
    ComPtr<IShellFolder> desktop;
    std::wstring path;
    if (!m_Shell->GetDesktopFolder(desktop) || !ShellPath(szFolder, path))
        return;
    OwnedPidl pidl;
    if (FAILED(desktop->ParseDisplayName(ShellOwnerWindow(), nullptr, path.data(), nullptr,
                                         pidl.Put(), nullptr)) ||
        !pidl)
        return;
    // The empty list is the desktop, a folder.
    if (GetPidlSize(pidl.Get()) <= static_cast<int>(sizeof(USHORT)) ||
        GetAttributesOfItem(desktop.Get(), pidl.Get(), SFGAO_FOLDER))
        ExpandToFolder(this, pidl.Get());
}

void TNameSpaceEnumerator::ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) {
    TTreeNode* node = Items().GetFirstNode();
    if (!node)
        return;
    const TBusy busy(*this);
    node->Expand(false);
    LPCITEMIDLIST cursor = FQPidl;
    while (cursor && GetPidlSize(cursor) > 2) {
        const OwnedPidl item(OwnedPidl::Adopt, GetFirstPidl(cursor, g_ShellMalloc));
        if (!item)
            break;
        TTreeNode* child = LookForPidl(node, item.Get());
        if (!child)
            break;
        child->Expand(false);
        node = child;
    }
    SetSelected(node);
    if (m_FolderEnumerator && SenderIs<INameSpaceComboLink>(Sender))
        SelectionChange(this, node);
    if (m_NameSpaceCombo && SenderIs<IFolderEnumeratorLink>(Sender))
        SelectionChange(this, node);
}

TTreeNode* TNameSpaceEnumerator::LookForPidl(TTreeNode* ParentNode, LPCITEMIDLIST Pidl) {
    if (!ParentNode || !ParentNode->HasChildren())
        return nullptr;
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling()) {
        const TNodeData* data = NodeData(child);
        if (data && ArePidlsSame(data->pPidl.Get(), Pidl))
            return child;
    }
    // A parsed list may differ in its bytes from the enumerated one for the same item (the shell
    // keeps times and sizes in it); the folder that enumerated the child decides then.
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling()) {
        const TNodeData* data = NodeData(child);
        if (!data || !data->sfFolder || !data->pPidl)
            continue;
        const HRESULT order = data->sfFolder->CompareIDs(0, data->pPidl.Get(), Pidl);
        if (SUCCEEDED(order) && HRESULT_CODE(order) == 0)
            return child;
    }
    return nullptr;
}

void TNameSpaceEnumerator::GotoParent() {
    TTreeNode* selected = Selected();
    TTreeNode* parent = selected ? selected->Parent() : nullptr;
    if (!parent)
        return;
    SetSelected(parent);
    if (m_FolderEnumerator || m_NameSpaceCombo)
        SelectionChange(this, parent);
}

void TNameSpaceEnumerator::SetFolderEnumerator(IFolderEnumeratorLink* FolderEnumerator) {
    if (m_FolderEnumerator)
        m_FolderEnumerator->SetNameSpaceEnumerator(nullptr);
    m_FolderEnumerator.Set(this, FolderEnumerator);
    // While loading there is no root yet; Loaded tells the list.
    if (!InState(csLoading))
        SelectionChange(this, Selected());
    if (m_FolderEnumerator)
        m_FolderEnumerator->SetNameSpaceEnumerator(this);
}

void TNameSpaceEnumerator::SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) {
    m_NameSpaceCombo.Set(this, NameSpaceCombo);
}

// ---------------------------------------------------------------------------------------------
// Refresh.

void TNameSpaceEnumerator::ChangeNotify(TMessage&) {
    if (m_bAutoRefresh)
        Refresh();
}

void TNameSpaceEnumerator::Refresh() {
    // Inside another operation of the tree (the watcher's message comes whenever the thread
    // handles messages, and a fill or a partner may let it), a refresh could delete the node that
    // operation is working on: it waits for the operation to end.
    if (m_iBusy > 0) {
        m_bRefreshPending = true;
        return;
    }
    m_bRefreshPending = false;
    if (TTreeNode* root = Items().GetFirstNode())
        RefreshSubTree(root);
}

void TNameSpaceEnumerator::DeferredRefresh(TMessage&) {
    if (m_bRefreshPending)
        Refresh();
}

// The refresh put off meanwhile runs after the outermost operation, from the window's queue: the
// operation may have been started by the control itself (an expansion), which goes on working on
// its item after the tree's handler returns.
TNameSpaceEnumerator::TBusy::~TBusy() {
    if (--m_Tree.m_iBusy > 0 || !m_Tree.m_bRefreshPending)
        return;
    if (m_Tree.HandleAllocated())
        PostMessageW(m_Tree.Handle(), WM_TREE_DEFERRED_REFRESH, 0, 0);
    else
        m_Tree.Refresh();
}

void TNameSpaceEnumerator::RefreshSubTree(TTreeNode* Node) {
    TNodeData* data = NodeData(Node);
    if (!data)
        return;
    const TBusy busy(*this);
    ComPtr<IShellFolder> folder;
    if (!data->pFQpidl)
        folder = data->sfFolder;
    else
        BindToFolder(data->pPidl.Get(), data->sfFolder.Get(), folder);
    if (folder)
        FillSubTree(Node, folder.Get());
    if (!Node->HasChildren())
        return;
    for (int i = 0; i < Node->Count(); ++i) {
        TTreeNode* child = Node->Item(i);
        const TNodeData* childData = NodeData(child);
        if (childData && childData->bExpandedOnce)
            RefreshSubTree(child);
    }
}
