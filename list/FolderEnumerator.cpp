// The folder list: construction, window life, properties, column layout and links.
#include "list/FolderEnumerator.h"

#include "framework/ChangeNotifyThread.h"
#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <algorithm>
#include <utility>

using namespace EnumGlobals;

const TClassInfo& TFolderEnumerator::StaticClassInfo() {
    using T = TFolderEnumerator;
    static const TClassInfo info{
        .ClassName = "TFolderEnumerator",
        .Parent = &TCustomListView::StaticClassInfo(),
        .Create = ConstructComponent<TFolderEnumerator>,
        .Properties =
            {
                EventProperty("OnDoubleClick", &T::OnDoubleClick, &T::SetOnDoubleClick),
                BooleanProperty("AllowRename", &T::AllowRename, &T::SetAllowRename, true),
                BooleanProperty("ShowVirtualFolders", &T::ShowVirtualFolders, &T::SetVirtualFolders,
                                true),
                BooleanProperty("ShowFolders", &T::ShowFolders, &T::SetShowFolders, true),
                EnumProperty(
                    "SortColumn", "TColumnName", &T::GetColumnSort, &T::SetColumnSort,
                    {"cnName", "cnExtension", "cnSize", "cnAttributes", "cnType", "cnModified"},
                    cnName),
                EnumProperty("SortOrder", "TColumnSortOrder", &T::GetSortOrder, &T::SetSortOrder,
                             {"soAscending", "soDescending", "soUnSorted"}, soAscending),
                StringProperty("Folder", &T::GetFolder, &T::SetFolder),
                BooleanProperty("ShowHidden", &T::ShowHidden, &T::SetShowHidden, false),
                EventProperty("OnSelectionChange", &T::OnSelectionChange, &T::SetOnSelectionChange),
                BooleanProperty("ShellContextMenu", &T::ShellContextMenu, &T::SetShellContextMenu,
                                true),
                EnumProperty("About", "TAbout", &T::About, &T::SetAbout, {"taAbout"}),
                PersistentProperty("FolderColumns", "TFolderColumn", &T::FolderColumns),
                BooleanProperty("AutoRefresh", &T::AutoRefresh, &T::SetAutoRefresh, true),
                BooleanProperty("AllowOLEDrop", &T::AllowOLEDrop, &T::SetAllowOLEDrop, true),
                BooleanProperty("AllowOLEDrag", &T::AllowOLEDrag, &T::SetAllowOLEDrag, true),
                StringProperty("FileMask", &T::FileMask, &T::SetFileMask),
            },
        .Messages = {MessageHandler<WM_LIST_CHANGE_NOTIFY, &T::ChangeNotify>(),
                     MessageHandler<WM_TIMER, &T::WMTimer>(),
                     MessageHandler<WM_CLIPBOARDUPDATE, &T::WMClipboardUpdate>(),
                     MessageHandler<WM_RBUTTONUP, &T::WMRButtonUp>(),
                     MessageHandler<WM_LBUTTONDBLCLK, &T::WMLButtonDblClk>(),
                     MessageHandler<WM_LBUTTONUP, &T::WMLButtonUp>(),
                     MessageHandler<WM_KEYDOWN, &T::WMKeyDown>(),
                     MessageHandler<WM_KEYUP, &T::WMKeyUp>(),
                     MessageHandler<WM_GETDLGCODE, &T::WMGetDlgCode>(),
                     MessageHandler<WM_SYSKEYDOWN, &T::WMSysKeyDown>(),
                     MessageHandler<WM_CONTEXTMENU, &T::WMContextMenu>(),
                     MessageHandler<WM_LIST_DEFERRED_REFRESH, &T::DeferredRefresh>(),
                     MessageHandler<WM_LIST_IDLE_STEP, &T::IdleStep>(),
                     MessageHandler<CN_NOTIFY, &T::CNNotify>()},
        // The component's name and bounds, then the list view's re-published ones; those the
        // framework does not offer yet are left out until it does.
        .Republished =
            std::vector<std::string_view>{
                "Name",           "Left",      "Top",         "Width",
                "Height",         "Align",     "BorderStyle", "Color",
                "ColumnClick",    "Ctl3D",     "Font",        "HideSelection",
                "ParentShowHint", "ShowHint",  "TabOrder",    "TabStop",
                "Visible",        "PopupMenu", "ViewStyle",   "MultiSelect",
                "OnEnter",        "OnExit",    "OnMouseDown", "OnMouseUp",
                "OnKeyDown",      "OnKeyUp"},
    };
    return info;
}

TFolderEnumerator::TFolderEnumerator(TComponent* AOwner, TViewServices* Shell)
    : TCustomListView(AOwner), m_Shell(Shell ? Shell : &TViewServices::Default()) {
    m_bInCreate = true;
    // The defaults go through the set's setters while set-up requests are ignored; the first
    // set-up then builds the header from scratch.
    struct TColumnDefault {
        const char* sCaption;
        TAlignment Alignment;
        int iWidth;
        bool bVisible;
    };
    static constexpr TColumnDefault kDefaults[] = {
        {"Name", taLeftJustify, 200, false}, {"Extension", taLeftJustify, 50, false},
        {"Size", taRightJustify, 50, true},  {"Attributes", taLeftJustify, 50, false},
        {"Type", taLeftJustify, 100, true},  {"Modified", taLeftJustify, 200, true},
    };
    for (int c = cnName; c <= cnModified; ++c) {
        const auto column = static_cast<TColumnName>(c);
        m_FolderColumn.SetCaption(column, kDefaults[c].sCaption);
        m_FolderColumn.SetAlignment(column, kDefaults[c].Alignment);
        m_FolderColumn.SetWidth(column, kDefaults[c].iWidth);
        m_FolderColumn.SetVisible(column, kDefaults[c].bVisible);
    }
    m_FolderColumn.SetVisibleChange(true);
    if (auto* parent = dynamic_cast<TWinControl*>(AOwner))
        SetParent(parent);
    SetDragMode(dmManual);
    OnColumnClick = MethodEvent(this, &TFolderEnumerator::ColumnClicked);
    OnEditing = MethodEvent(this, &TFolderEnumerator::Editing);
    OnEdited = MethodEvent(this, &TFolderEnumerator::Edited);
    OnChange = MethodEvent(this, &TFolderEnumerator::ItemChange);
    OnDeletion = MethodEvent(this, &TFolderEnumerator::ItemDeletion);
    SetSortType(stNone);
    m_bInCreate = false;
    if (!m_bPerformInit)
        PerformInit();
}

TFolderEnumerator::~TFolderEnumerator() {
    StopChangeThread();
    if (INameSpaceEnumeratorLink* tree = m_NameSpaceEnumerator.Get()) {
        m_NameSpaceEnumerator.Set(this, nullptr);
        tree->SetFolderEnumerator(nullptr);
    }
    if (INameSpaceComboLink* combo = m_NameSpaceCombo.Get()) {
        m_NameSpaceCombo.Set(this, nullptr);
        combo->SetNameSpaceEnumerator(nullptr);
    }
    DestroyHandle();
    Items().Clear();
    m_sfView.Reset();
    m_pViewPidl.Reset();
    SetSmallImages(nullptr);
    SetLargeImages(nullptr);
    m_ilSmall.reset();
    m_ilLarge.reset();
}

void TFolderEnumerator::PerformInit() {
    m_bPerformInit = true;
    // The shell's own image lists, shared: destroying the wrappers leaves them alone. The list
    // frees the wrappers itself; as components of its own they would be stored with it.
    m_ilSmall = std::make_unique<TImageList>(nullptr);
    m_ilSmall->SetShareImages(true);
    m_ilSmall->SetHandle(m_Shell->GetSmallSystemImageList());
    SetSmallImages(m_ilSmall.get());
    m_ilLarge = std::make_unique<TImageList>(nullptr);
    m_ilLarge->SetShareImages(true);
    m_ilLarge->SetHandle(m_Shell->GetLargeSystemImageList());
    SetLargeImages(m_ilLarge.get());
}

void TFolderEnumerator::Loaded() {
    TCustomListView::Loaded();
    // The stored columns are laid out (the sort column was read before the layout it counts
    // against); the set-up fills the rows.
    m_FolderColumn.SetVisibleChange(true);
    SetupColumns();
    if (std::exchange(m_bLoadedSortColumn, false))
        SetColumnSort(m_LoadedSortColumn);
    // The stored folder was only taken while reading. A linked tree follows it from its own
    // Loaded (FolderPidl), which may come before or after this one; a combo linked to the list
    // is told here.
    if (m_bFolderGiven && m_NameSpaceCombo) {
        const OwnedPidl lent(OwnedPidl::Adopt,
                             ConcatPidls(nullptr, m_pViewPidl.Get(), g_ShellMalloc));
        m_NameSpaceCombo->SetCurrentPidl(lent.Get());
    }
}

// ---------------------------------------------------------------------------------------------
// Window.

void TFolderEnumerator::CreateWnd() {
    TCustomListView::CreateWnd();
    if (!HandleAllocated())
        return;
    // Every new window gets its columns built afresh.
    m_FolderColumn.SetVisibleChange(true);
    SetupColumns();
    if (!m_bPerformInit)
        PerformInit();
    InitFolderEnumerator();
    if (m_OleDropTarget.Register(Handle()))
        ConnectDropTarget();
    if (!m_CutItems.empty())
        ListenToClipboard(true);
}

void TFolderEnumerator::DestroyWnd() {
    m_OleDropTarget.Revoke();
    // The watcher names this window; a later window may get the same handle.
    StopChangeThread();
    m_bIdleTimer = false;
    m_bIdleStepPosted = false;
    ListenToClipboard(false);
    TCustomListView::DestroyWnd();
}

void TFolderEnumerator::InitFolderEnumerator() {
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop))
        ExitProcess(1);
    if (!m_sfView) {
        m_sfView = desktop;
        m_pViewPidl = m_Shell->GetSpecialFolderLocation(ShellOwnerWindow(), CSIDL_DESKTOP);
        FillListView(m_pViewPidl.Get());
    }
    if (!InState(csDesigning))
        StartChangeThread();
}

void TFolderEnumerator::StartChangeThread() {
    StopChangeThread();
    if (!HandleAllocated())
        return;
    m_ChangeThread = m_Shell->StartChangeNotifyThread(Handle(), WM_LIST_CHANGE_NOTIFY);
    if (m_ChangeThread)
        m_ChangeThread->SetOnRefresh([this] { Refresh(); });
}

void TFolderEnumerator::StopChangeThread() {
    TChangeNotifyThread* watcher = std::exchange(m_ChangeThread, nullptr);
    if (!watcher)
        return;
    watcher->SetOnRefresh(nullptr);
    watcher->Terminate();
}

// A list whose watcher was stopped (a rename stops it) gets a new one; a running one is left.
void TFolderEnumerator::ChangeNotifyThread() {
    if (!m_ChangeThread && HandleAllocated() && !InState(csDesigning))
        StartChangeThread();
}

// The list's window owns what the shell shows while it parses; a list not yet placed makes no
// stray top-level window for it.
HWND TFolderEnumerator::ShellOwnerWindow() {
    if (HandleAllocated())
        return Handle();
    if (TWinControl* parent = Parent())
        return parent->HandleAllocated() ? parent->Handle() : nullptr;
    return ParentWindow();
}

void TFolderEnumerator::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomListView::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent)
        return;
    m_NameSpaceEnumerator.Forget(AComponent);
    m_NameSpaceCombo.Forget(AComponent);
}

// ---------------------------------------------------------------------------------------------
// Columns.

// The Name column is always shown, whatever its flag in the set says.
bool TFolderEnumerator::IsColumnShown(TColumnName Column) const {
    return Column == cnName || m_FolderColumn.GetVisible(Column);
}

int TFolderEnumerator::ColumnIndex(TColumnName Column) const {
    const int fields[] = {m_iNameColumn,       m_iExtensionColumn, m_iSizeColumn,
                          m_iAttributesColumn, m_iTypeColumn,      m_sModifiedColumn};
    return fields[Column];
}

void TFolderEnumerator::SetupColumns() {
    if (m_bInCreate)
        return;
    int* fields[] = {&m_iNameColumn,       &m_iExtensionColumn, &m_iSizeColumn,
                     &m_iAttributesColumn, &m_iTypeColumn,      &m_sModifiedColumn};
    // The sort index counts header columns and stays where it is when they move. On a designed
    // form that would change the stored SortColumn behind the developer's back (showing
    // Extension while sorting by Type would make it Size): there it follows its column.
    const TColumnName sorted = GetColumnSort();
    int shown = 0;
    for (int c = cnName; c <= cnModified; ++c)
        shown += IsColumnShown(static_cast<TColumnName>(c));
    // The header is built again when the set of shown columns changed, and whenever it does
    // not hold exactly the shown columns (a new window, a stored set read meanwhile).
    bool rebuild = m_FolderColumn.VisibleChange() || Columns().Count() != shown;
    for (int c = cnName, next = 0; c <= cnModified && !rebuild; ++c)
        if (IsColumnShown(static_cast<TColumnName>(c)))
            rebuild = *fields[c] != next++;
    if (rebuild) {
        Columns().Clear();
        m_bLayoutChanged = true;
    }
    for (int c = cnName, next = 0; c <= cnModified; ++c) {
        if (!IsColumnShown(static_cast<TColumnName>(c))) {
            *fields[c] = -1;
            continue;
        }
        const auto name = static_cast<TColumnName>(c);
        TListColumn* column = rebuild ? Columns().Add() : Columns().Item(next);
        column->SetCaption(m_FolderColumn.GetCaption(name));
        column->SetAlignment(m_FolderColumn.GetAlignment(name));
        column->SetWidth(m_FolderColumn.GetWidth(name));
        *fields[c] = next++;
    }
    m_FolderColumn.SetVisibleChange(false);
    if (InState(csDesigning))
        m_iLastColumnSorted = IsColumnShown(sorted) ? ColumnIndex(sorted) : 0;
    Refresh();
    Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Properties.

void TFolderEnumerator::SetVirtualFolders(bool bVirtualFolders) {
    m_bVirtualFolders = bVirtualFolders;
    Refresh();
}

void TFolderEnumerator::SetShowFolders(bool bFolder) {
    m_bShowFolders = bFolder;
    Refresh();
}

// The refill waits, as a refresh does, for an open edit or an operation of the list.
void TFolderEnumerator::SetShowHidden(bool bHidden) {
    m_bShowHidden = bHidden;
    if (RefillHeld())
        return;
    FillListView(m_pViewPidl.Get());
    if (m_bSortApplied)
        Sort();
}

void TFolderEnumerator::SetFileMask(const std::string& sFileMask) {
    const bool blank = sFileMask.find_first_not_of(" \t") == std::string::npos;
    m_sFileMask = blank ? "*.*" : sFileMask;
    Refresh();
}

void TFolderEnumerator::SetFolder(const std::string& szFolder) {
    m_sFolder = szFolder;
    m_bFolderGiven = false;
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop)) {
        FillListView(m_pViewPidl.Get());
        return;
    }
    if (szFolder.empty()) {
        // The desktop with its own (empty) list, so that every row's full list is right.
        ShowFolder(desktop, m_Shell->GetSpecialFolderLocation(ShellOwnerWindow(), CSIDL_DESKTOP));
        TellPartners(nullptr, m_pViewPidl.Get());
        return;
    }
    OwnedPidl parsed = ParsePath(desktop.Get(), ShellOwnerWindow(), szFolder);
    if (!parsed)
        return;
    ComPtr<IShellFolder> folder;
    BindToFolder(parsed.Get(), desktop.Get(), folder);
    if (!folder)
        return;
    ShowFolder(folder, std::move(parsed));
    m_bFolderGiven = true;
    TellPartners(nullptr, m_pViewPidl.Get());
}

LPCITEMIDLIST TFolderEnumerator::FolderPidl() const {
    return m_bFolderGiven ? m_pViewPidl.Get() : nullptr;
}

// Takes the new folder before letting the old one go: a caller may pass the list's own.
void TFolderEnumerator::ShowFolder(ComPtr<IShellFolder> Folder, OwnedPidl Pidl) {
    m_sfView = std::move(Folder);
    m_pViewPidl = std::move(Pidl);
    FillListView(m_pViewPidl.Get());
    ChangeNotifyThread();
}

// After SetFolder: the tree opens down to the folder, the combo shows it. Both are lent a copy
// that lives for the whole call: a partner may move the list meanwhile, which frees its own.
void TFolderEnumerator::TellPartners(TViewLink*, LPCITEMIDLIST FQPidl) {
    if (InState(csLoading) || !(m_NameSpaceEnumerator || m_NameSpaceCombo))
        return;
    OwnedPidl lent;
    if (FQPidl)
        lent.Reset(ConcatPidls(nullptr, FQPidl, g_ShellMalloc));
    if (m_NameSpaceEnumerator)
        m_NameSpaceEnumerator->ExpandToFolder(this, lent.Get());
    if (m_NameSpaceCombo)
        m_NameSpaceCombo->SetCurrentPidl(lent.Get());
}

// ---------------------------------------------------------------------------------------------
// Links.

void TFolderEnumerator::FolderChanged(TViewLink* Sender, IShellFolder* pFolder,
                                      LPCITEMIDLIST pParentpidl, bool bSorting) {
    ComPtr<IShellFolder> folder(pFolder);
    OwnedPidl pidl;
    if (pParentpidl)
        pidl.Reset(ConcatPidls(nullptr, pParentpidl, g_ShellMalloc));
    ShowFolder(std::move(folder), std::move(pidl));
    m_bFolderGiven = false;
    // A file-system folder keeps the order the user asked for last.
    if (bSorting && m_bSortApplied)
        Sort();
    if (m_NameSpaceCombo && SenderIs<INameSpaceEnumeratorLink>(Sender))
        m_NameSpaceCombo->SetCurrentPidl(m_pViewPidl.Get());
    if (m_NameSpaceEnumerator && SenderIs<INameSpaceComboLink>(Sender))
        m_NameSpaceEnumerator->ExpandToFolder(this, pParentpidl);
}

// An earlier partner's removal notice is left registered: the registration runs both ways, and
// cancelling it would also cancel that partner's notice of this list's removal.
void TFolderEnumerator::SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NameSpaceEnumerator) {
    m_NameSpaceEnumerator.Set(this, NameSpaceEnumerator);
}

void TFolderEnumerator::SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) {
    m_NameSpaceCombo.Set(this, NameSpaceCombo);
}

void TFolderEnumerator::ItemChange(TObject*, TListItem*, TItemChange) {
    if (m_OnSelectionChange)
        m_OnSelectionChange(this);
}
