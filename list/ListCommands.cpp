// The list's user commands: the shell's context menu, double clicks, keys and the selection.
#include "list/FolderEnumerator.h"

#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "shell/ShellRoutines.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

using namespace EnumGlobals;

namespace {

// The shell's own name of its delete command: the verb as its menus answer to it (Wine refuses
// "Delete").
constexpr char kDeleteVerb[] = "delete";

// The platform's simple beep.
constexpr UINT kSimpleBeep = 0xFFFFFFFF;

std::vector<LPCITEMIDLIST> Pointers(const std::vector<OwnedPidl>& Pidls) {
    std::vector<LPCITEMIDLIST> pointers;
    pointers.reserve(Pidls.size());
    for (const OwnedPidl& pidl : Pidls)
        pointers.push_back(pidl.Get());
    return pointers;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The selection.

std::string TFolderEnumerator::GetSelected(int Index) const {
    if (Index <= 0)
        return {};
    auto* self = const_cast<TFolderEnumerator*>(this);
    TListItem* row = nullptr;
    for (int n = 0; n < Index; ++n)
        if (!(row = self->GetNextItem(row, sdAll, isSelected)))
            return {};
    const TItemData* data = ItemData(row);
    return data ? m_Shell->GetPathFromIDList(data->pFQPidl.Get()) : std::string();
}

int TFolderEnumerator::GetSelectedPidls(std::vector<OwnedPidl>& PidlList) const {
    PidlList.clear();
    auto* self = const_cast<TFolderEnumerator*>(this);
    for (TListItem* row = self->GetNextItem(nullptr, sdAll, isSelected); row;
         row = self->GetNextItem(row, sdAll, isSelected))
        if (const TItemData* data = ItemData(row); data && data->pPidl)
            PidlList.push_back(CopyOfPidl(data->pPidl.Get()));
    return static_cast<int>(PidlList.size());
}

TListItem* TFolderEnumerator::FindRow(LPCITEMIDLIST FQPidl) const {
    const std::string_view wanted = PidlBytes(FQPidl);
    for (int i = 0; i < Items().Count() && !wanted.empty(); ++i) {
        const TItemData* data = ItemData(Items().Item(i));
        if (data && PidlBytes(data->pFQPidl.Get()) == wanted)
            return Items().Item(i);
    }
    return nullptr;
}

// The shell's dialogs belong to the window the list sits in: its parent control, or the host's
// window it was placed in.
HWND TFolderEnumerator::OwnerWindow() {
    if (TWinControl* parent = Parent(); parent && parent->HandleAllocated())
        return parent->Handle();
    return ParentWindow() ? ParentWindow() : ShellOwnerWindow();
}

// ---------------------------------------------------------------------------------------------
// Mouse.

// The menu is for the rows selected at the press when the press was on one of them, else for the
// row pressed alone: a command never acts on rows the user did not point at. The rows selected
// at the press are selected again afterwards, found by their items (the menu's loop handles the
// watcher's messages; a refresh put off meanwhile may have replaced every row by then).
void TFolderEnumerator::WMRButtonUp(TMessage& Message) {
    if (!m_bShellContextMenu) {
        ClearRightPress();
        // A release the list control swallowed comes after the control asked for its context
        // menu itself (nobody answered its right-click notice): passed on, it would ask again.
        if (!DeliveringSwallowedRelease())
            Inherited(Message);
        return;
    }
    POINT screen{};
    GetCursorPos(&screen);
    std::vector<TListItem*> before = RightPressSelection();
    if (!RightPressRecorded())
        for (TListItem* row = GetNextItem(nullptr, sdAll, isSelected); row;
             row = GetNextItem(row, sdAll, isSelected))
            before.push_back(row);
    ClearRightPress();
    TListItem* pressed = GetItemAt(Message.XPos(), Message.YPos());
    const bool onSelection = std::find(before.begin(), before.end(), pressed) != before.end();

    std::vector<OwnedPidl> restore;
    for (TListItem* row : before)
        if (const TItemData* data = ItemData(row))
            restore.push_back(CopyOfPidl(data->pFQPidl.Get()));
    std::vector<OwnedPidl> items;
    // Thousands of rows change their selection here: drawn once, before the menu shows.
    Items().BeginUpdate();
    SetSelected(nullptr);
    for (TListItem* row : onSelection ? before : std::vector<TListItem*>{pressed}) {
        const TItemData* data = row ? ItemData(row) : nullptr;
        if (!data)
            continue;
        row->SetSelected(true);
        items.push_back(CopyOfPidl(data->pPidl.Get()));
    }
    Items().EndUpdate();
    before.clear();
    if (!items.empty())
        ShowMenuFor(std::move(items), screen);

    Items().BeginUpdate();
    SetSelected(nullptr);
    // One pass over the rows, however many are wanted.
    std::unordered_set<std::string_view> wanted;
    for (const OwnedPidl& pidl : restore)
        wanted.insert(PidlBytes(pidl.Get()));
    size_t found = 0;
    for (int i = 0; i < Items().Count(); ++i) {
        TListItem* row = Items().Item(i);
        const TItemData* data = ItemData(row);
        if (data && wanted.count(PidlBytes(data->pFQPidl.Get()))) {
            row->SetSelected(true);
            ++found;
        }
    }
    Items().EndUpdate();
    if (found < wanted.size())
        MessageBeep(kSimpleBeep);
}

void TFolderEnumerator::ShowMenuFor(std::vector<OwnedPidl> Items, POINT Screen) {
    const TBusy busy(*this);
    const ComPtr<IShellFolder> folder = m_sfView;
    std::vector<LPCITEMIDLIST> pointers = Pointers(Items);
    ShowContextMenu(Handle(), folder.Get(), pointers.data(), static_cast<UINT>(pointers.size()),
                    Screen);
}

// A click's menu comes from WMRButtonUp; the menu key and Shift+F10 show the selection's here.
void TFolderEnumerator::WMContextMenu(TMessage& Message) {
    if (!m_bShellContextMenu) {
        Inherited(Message);
        return;
    }
    const bool fromKeyboard =
        Message.LParam == static_cast<LPARAM>(-1) || (Message.XPos() == -1 && Message.YPos() == -1);
    if (!fromKeyboard)
        return;
    std::vector<OwnedPidl> items;
    if (GetSelectedPidls(items) == 0)
        return;
    TListItem* at = GetNextItem(nullptr, sdAll, isFocused | isSelected);
    if (!at)
        at = Selected();
    at->MakeVisible(false);
    const RECT label = ItemRect(at, true);
    ShowMenuFor(std::move(items), ClientToScreen({label.left, label.bottom}));
}

void TFolderEnumerator::WMLButtonDblClk(TMessage& Message) {
    // A click on a row already selected arms an edit of its caption, which would open on
    // whatever row is there a moment later. The control's own double-click handling disarms it
    // (its events are not raised); the release that follows would arm it again.
    CancelEdit();
    DefaultHandler(Message);
    m_bCancelEditOnRelease = true;
    bool bExecute = true;
    if (m_OnDoubleClick)
        m_OnDoubleClick(this, bExecute);
    if (!bExecute)
        return;
    TListItem* row = GetItemAt(Message.XPos(), Message.YPos());
    const TItemData* data = ItemData(row);
    if (!data)
        return;
    if (HasAttribute(m_sfView.Get(), data->pPidl.Get(), SFGAO_FOLDER))
        OpenFolderRow(row);
    else
        RunDefaultVerb();
}

void TFolderEnumerator::WMLButtonUp(TMessage& Message) {
    if (!std::exchange(m_bCancelEditOnRelease, false))
        Inherited(Message);
}

// The list shows the folder and the tree follows with the list as sender (it tells the combo).
void TFolderEnumerator::OpenFolderRow(TListItem* Row) {
    const TItemData* data = ItemData(Row);
    if (!data)
        return;
    ComPtr<IShellFolder> folder;
    BindToFolder(data->pPidl.Get(), m_sfView.Get(), folder);
    if (!folder)
        return;
    ShowFolder(std::move(folder), CopyOfPidl(data->pFQPidl.Get()));
    m_bFolderGiven = false;
    if (m_bSortApplied)
        Sort();
    TellPartners(this, m_pViewPidl.Get());
}

// ---------------------------------------------------------------------------------------------
// Keys.

void TFolderEnumerator::WMKeyDown(TMessage& Message) {
    if (Message.CharCode() < m_KeysDown.size())
        m_KeysDown.set(Message.CharCode());
    Inherited(Message);
}

void TFolderEnumerator::WMGetDlgCode(TMessage& Message) {
    Inherited(Message);
    const MSG* key = reinterpret_cast<const MSG*>(Message.LParam);
    if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
        Message.Result |= DLGC_WANTMESSAGE;
}

void TFolderEnumerator::WMKeyUp(TMessage& Message) {
    const WORD key = Message.CharCode();
    bool pressedHere = false;
    if (key < m_KeysDown.size()) {
        pressedHere = m_KeysDown.test(key);
        m_KeysDown.reset(key);
    }
    if (!pressedHere || EditOpen()) {
        Inherited(Message);
        return;
    }
    switch (key) {
    case VK_BACK:
        GoUp();
        return;
    case VK_RETURN: {
        // One folder opens in the list, as a double click opens it; anything else gets its
        // default command.
        TListItem* row = SelCount() == 1 ? Selected() : nullptr;
        const TItemData* data = ItemData(row);
        if (data && HasAttribute(m_sfView.Get(), data->pPidl.Get(), SFGAO_FOLDER))
            OpenFolderRow(row);
        else
            RunDefaultVerb();
        return;
    }
    case VK_DELETE:
        DeleteSelected();
        return;
    case VK_F5:
        Refresh();
        return;
    case VK_F2: {
        TListItem* row = GetNextItem(nullptr, sdAll, isFocused);
        if (!row)
            row = Selected();
        if (row)
            row->EditCaption();
        return;
    }
    case 'A':
        if (GetKeyState(VK_CONTROL) < 0)
            SelectAll();
        return;
    // The clipboard's keys, as in the system's own file browser.
    case 'C':
    case 'X':
    case 'V':
        if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) {
            Inherited(Message);
            return;
        }
        if (key == 'C')
            CopySelection();
        else if (key == 'X')
            CutSelection();
        else
            PasteClipboard();
        return;
    default:
        Inherited(Message);
    }
}

void TFolderEnumerator::WMSysKeyDown(TMessage& Message) {
    if (!ContextMenuFromShiftF10(Message))
        Inherited(Message);
}

// The tree moves with the list as sender, so that it tells only the combo.
void TFolderEnumerator::GoUp() {
    if (!m_pViewPidl || GetPidlSize(m_pViewPidl.Get()) <= static_cast<int>(sizeof(USHORT)))
        return;
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop))
        return;
    // Shortened in place: a copy, so the list keeps its folder when the parent cannot be bound.
    OwnedPidl shortened = CopyOfPidl(m_pViewPidl.Get());
    OwnedPidl parent(OwnedPidl::Adopt, GetParentpidl(shortened.Get(), g_ShellMalloc));
    ComPtr<IShellFolder> folder;
    if (parent && GetPidlSize(parent.Get()) > static_cast<int>(sizeof(USHORT))) {
        BindToFolder(parent.Get(), desktop.Get(), folder);
        if (!folder)
            return;
    } else {
        // The desktop, named by no list.
        folder = desktop;
        parent.Reset();
    }
    ShowFolder(std::move(folder), std::move(parent));
    m_bFolderGiven = false;
    if (m_bSortApplied)
        Sort();
    TellPartners(this, m_pViewPidl.Get());
}

// ---------------------------------------------------------------------------------------------
// Shell commands on the selection. The items are copied first: the shell's dialogs let messages
// in, and the rows may be refilled before the command has ended.

void TFolderEnumerator::RunDefaultVerb() {
    RunOnSelection(nullptr);
}

void TFolderEnumerator::DeleteSelected() {
    RunOnSelection(kDeleteVerb);
}

// Verb nullptr: the default command.
void TFolderEnumerator::RunOnSelection(const char* Verb) {
    std::vector<OwnedPidl> items;
    if (GetSelectedPidls(items) == 0)
        return;
    const TBusy busy(*this);
    const ComPtr<IShellFolder> folder = m_sfView;
    std::vector<LPCITEMIDLIST> pointers = Pointers(items);
    const auto count = static_cast<UINT>(pointers.size());
    if (Verb)
        InvokeMenuVerb(OwnerWindow(), folder.Get(), pointers.data(), count, Verb);
    else
        InvokeDefaultVerb(OwnerWindow(), folder.Get(), pointers.data(), count);
}

// ---------------------------------------------------------------------------------------------
// Refreshes put off.

// The refresh runs from the queue: the operation may be the control's own (an edit's end), which
// goes on working on its row after the list's handler returns.
TFolderEnumerator::TBusy::~TBusy() {
    if (--m_List.m_iBusy == 0)
        m_List.PostDeferredRefresh();
}

void TFolderEnumerator::PostDeferredRefresh() {
    if (!m_bRefreshHeld || m_iBusy > 0 || EditOpen())
        return;
    // A window being destroyed gets no message: the next window's set-up refills the rows.
    if (!HandleAllocated())
        Refresh();
    else if (!DestroyingHandle())
        PostMessageW(Handle(), WM_LIST_DEFERRED_REFRESH, 0, 0);
}

void TFolderEnumerator::DeferredRefresh(TMessage&) {
    if (m_bRefreshHeld)
        Refresh();
}
