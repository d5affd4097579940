#include "controls/ListView.h"

#include "identifiers/WideText.h"

#include <algorithm>
#include <cwchar>
#include <utility>

namespace {

// Past this many selected rows, a press or key that may change the selection of every row is
// drawn once, whole.
constexpr int kManySelected = 32;

// The window puts the rows into the order the rows already have.
int CALLBACK CompareByIndex(LPARAM Item1, LPARAM Item2, LPARAM) {
    return reinterpret_cast<TListItem*>(Item1)->Index() -
           reinterpret_cast<TListItem*>(Item2)->Index();
}

int CompareCaptions(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) -
           CSTR_EQUAL;
}

DWORD ViewStyleBits(TViewStyle Style) {
    static const DWORD bits[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    return bits[Style];
}

UINT DirectionFlag(TSearchDirection Direction) {
    static const UINT flags[] = {LVNI_TOLEFT, LVNI_TORIGHT, LVNI_ABOVE, LVNI_BELOW, LVNI_ALL};
    return flags[Direction];
}

void CopyText(const std::string& Text, wchar_t* Buffer, int Size) {
    if (!Buffer || Size <= 0)
        return;
    const std::wstring wide = Utf8ToWide(Text);
    const size_t count = std::min(wide.size(), static_cast<size_t>(Size - 1));
    std::wmemcpy(Buffer, wide.data(), count);
    Buffer[count] = L'\0';
}

} // namespace

const TClassInfo& TCustomListView::StaticClassInfo() {
    using T = TCustomListView;
    static const TClassInfo info{
        .ClassName = "TCustomListView",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TCustomListView>,
        .Properties =
            {
                BooleanProperty("ColumnClick", &T::ColumnClick, &T::SetColumnClick, true),
                BooleanProperty("HideSelection", &T::HideSelection, &T::SetHideSelection, true),
                ComponentProperty("LargeImages", "TImageList", &T::LargeImages, &T::SetLargeImages),
                BooleanProperty("MultiSelect", &T::MultiSelect, &T::SetMultiSelect, false),
                BooleanProperty("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false),
                BooleanProperty("RowSelect", &T::RowSelect, &T::SetRowSelect, false),
                ComponentProperty("SmallImages", "TImageList", &T::SmallImages, &T::SetSmallImages),
                EnumProperty("SortType", "TSortType", &T::SortType, &T::SetSortType,
                             {"stNone", "stText"}, stNone),
                EnumProperty("ViewStyle", "TViewStyle", &T::ViewStyle, &T::SetViewStyle,
                             {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}, vsIcon),
            },
        .Messages = {MessageHandler<CN_NOTIFY, &T::CNNotify>(),
                     MessageHandler<WM_RBUTTONDOWN, &T::WMRButtonDown>(),
                     MessageHandler<WM_LBUTTONDOWN, &T::WMLButtonDown>(),
                     MessageHandler<WM_LBUTTONUP, &T::WMLButtonUp>(),
                     MessageHandler<WM_KEYDOWN, &T::WMKeyDown>(),
                     MessageHandler<CM_HELDVIEWSTYLE, &T::HeldViewStyle>()},
    };
    return info;
}

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clWindow);
    SetBorderStyle(bsSingle);
    SetTabStop(true);
}

void TCustomListView::ApplyColor() {
    if (!HandleAllocated())
        return;
    const HWND window = WindowHandle();
    SendMessageW(window, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(window, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(window, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
    Invalidate();
}

TCustomListView::~TCustomListView() {
    DestroyHandle();
    SetSmallImages(nullptr);
    SetLargeImages(nullptr);
}

void TCustomListView::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = WC_LISTVIEWW;
    // The image lists belong to their own components, never to the window.
    Params.Style |= WS_TABSTOP | LVS_SHAREIMAGELISTS | ViewStyleBits(m_ViewStyle);
    if (!m_bMultiSelect)
        Params.Style |= LVS_SINGLESEL;
    if (!m_bColumnClick)
        Params.Style |= LVS_NOSORTHEADER;
    if (!m_bHideSelection)
        Params.Style |= LVS_SHOWSELALWAYS;
    if (!m_bReadOnly)
        Params.Style |= LVS_EDITLABELS;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    if (m_Items.Updating())
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    if (m_bRowSelect)
        SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
    ApplyImages();
    for (auto& column : m_Columns.m_Columns)
        m_Columns.InsertIntoWindow(column.get());
    SendMessageW(window, LVM_SETITEMCOUNT, m_Items.Count(), 0);
    for (auto& item : m_Items.m_Items)
        m_Items.InsertIntoWindow(item.get());
}

void TCustomListView::DestroyWnd() {
    // What the window alone knew is kept for the next window.
    const UINT kept = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED | LVIS_CUT;
    for (auto& item : m_Items.m_Items)
        item->m_uState =
            static_cast<UINT>(SendMessageW(Handle(), LVM_GETITEMSTATE, item->m_iIndex, kept));
    m_Columns.ReadWidths();
    ForgetEdit();
    TWinControl::DestroyWnd();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == m_SmallImages)
        SetSmallImages(nullptr);
    if (AComponent == m_LargeImages)
        SetLargeImages(nullptr);
}

TListItem* TCustomListView::ItemFromWindow(int Index) const {
    if (Index < 0 || !HandleAllocated())
        return nullptr;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = Index;
    if (!SendMessageW(WindowHandle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<TListItem*>(item.lParam);
}

TListItem* TCustomListView::Selected() const {
    if (!HandleAllocated()) {
        for (auto& item : m_Items.m_Items)
            if (item->m_uState & LVIS_SELECTED)
                return item.get();
        return nullptr;
    }
    HWND window = WindowHandle();
    const int index = static_cast<int>(SendMessageW(window, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    return m_Items.Item(index);
}

void TCustomListView::SetSelected(TListItem* Value) {
    if (Value) {
        if (Value->m_Owner == &m_Items)
            Value->SetSelected(true);
        return;
    }
    SetStateOfAll(LVIS_SELECTED, false);
}

int TCustomListView::SelCount() const {
    if (!HandleAllocated())
        return static_cast<int>(
            std::count_if(m_Items.m_Items.begin(), m_Items.m_Items.end(),
                          [](const auto& item) { return (item->m_uState & LVIS_SELECTED) != 0; }));
    return static_cast<int>(SendMessageW(WindowHandle(), LVM_GETSELECTEDCOUNT, 0, 0));
}

// Asked of the control, as the selection is: a drag moves over the rows dozens of times a
// second, and a walk over every row's state would cost one message per row each time.
TListItem* TCustomListView::DropTarget() const {
    if (!HandleAllocated()) {
        for (auto& item : m_Items.m_Items)
            if (item->m_uState & LVIS_DROPHILITED)
                return item.get();
        return nullptr;
    }
    const int index =
        static_cast<int>(SendMessageW(WindowHandle(), LVM_GETNEXTITEM, -1, LVNI_DROPHILITED));
    return m_Items.Item(index);
}

void TCustomListView::SetDropTarget(TListItem* Value) {
    if (Value && Value->m_Owner != &m_Items)
        Value = nullptr;
    TListItem* previous = DropTarget();
    if (previous == Value)
        return;
    if (previous)
        previous->SetDropTarget(false);
    if (Value)
        Value->SetDropTarget(true);
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
    if (!HandleAllocated())
        return nullptr;
    LVHITTESTINFO hit{};
    hit.pt = {X, Y};
    const int index =
        static_cast<int>(SendMessageW(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index < 0 || !(hit.flags & LVHT_ONITEM))
        return nullptr;
    return m_Items.Item(index);
}

TListItem* TCustomListView::GetNextItem(TListItem* StartItem, TSearchDirection Direction,
                                        TItemStates States) {
    if (!HandleAllocated())
        return nullptr;
    const int start = StartItem && StartItem->m_Owner == &m_Items ? StartItem->m_iIndex : -1;
    const int index = static_cast<int>(
        SendMessageW(Handle(), LVM_GETNEXTITEM, start, DirectionFlag(Direction) | States));
    return m_Items.Item(index);
}

TListItem* TCustomListView::TopItem() const {
    if (!HandleAllocated())
        return nullptr;
    return m_Items.Item(static_cast<int>(SendMessageW(WindowHandle(), LVM_GETTOPINDEX, 0, 0)));
}

void TCustomListView::SetTopItem(TListItem* Value) {
    if (!Value || Value->m_Owner != &m_Items || !HandleAllocated())
        return;
    if (m_ViewStyle != vsReport) {
        Value->MakeVisible(false);
        return;
    }
    // Report view scrolls by pixels, rounded to whole rows.
    const int top = static_cast<int>(SendMessageW(Handle(), LVM_GETTOPINDEX, 0, 0));
    RECT row{};
    row.left = LVIR_BOUNDS;
    if (!SendMessageW(Handle(), LVM_GETITEMRECT, top, reinterpret_cast<LPARAM>(&row)))
        return;
    const int rows = Value->m_iIndex - top;
    if (rows != 0)
        SendMessageW(Handle(), LVM_SCROLL, 0, rows * (row.bottom - row.top));
}

TListItem* TCustomListView::FindCaption(int StartIndex, const std::string& Value, bool Partial,
                                        bool Inclusive, bool Wrap) const {
    const int count = m_Items.Count();
    const std::wstring wanted = Utf8ToWide(Value);
    const auto matches = [&](int index) {
        std::wstring caption = Utf8ToWide(m_Items.m_Items[index]->Caption());
        if (Partial && caption.size() > wanted.size())
            caption.resize(wanted.size());
        return CompareCaptions(caption, wanted) == 0;
    };
    const int first = std::max(Inclusive ? StartIndex : StartIndex + 1, 0);
    for (int i = first; i < count; ++i)
        if (matches(i))
            return m_Items.Item(i);
    if (!Wrap)
        return nullptr;
    for (int i = 0; i < std::min(first, count); ++i)
        if (matches(i))
            return m_Items.Item(i);
    return nullptr;
}

bool TCustomListView::CustomSort(TLVCompare SortProc, LPARAM ParamSort) {
    auto& items = m_Items.m_Items;
    if (SortProc) {
        std::stable_sort(items.begin(), items.end(), [&](const auto& a, const auto& b) {
            return SortProc(a.get(), b.get(), ParamSort) < 0;
        });
    } else {
        std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
            return CompareCaptions(Utf8ToWide(a->Caption()), Utf8ToWide(b->Caption())) < 0;
        });
    }
    m_Items.Renumber(0);
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareByIndex));
    return true;
}

TListItem* TCustomListView::BeginDragItem(const TMessage& Message, bool* RightButton) const {
    const NMHDR* header = Message.Msg == CN_NOTIFY ? Message.NMHdr() : nullptr;
    if (!header || (header->code != LVN_BEGINDRAG && header->code != LVN_BEGINRDRAG))
        return nullptr;
    if (RightButton)
        *RightButton = header->code == LVN_BEGINRDRAG;
    return ItemFromWindow(reinterpret_cast<const NMLISTVIEW*>(header)->iItem);
}

bool TCustomListView::IsEditing() const {
    return HandleAllocated() && SendMessageW(WindowHandle(), LVM_GETEDITCONTROL, 0, 0);
}

// Rows move when the view changes: an open edit box would stay where its row was, over another
// row. The change waits for the edit to end.
void TCustomListView::SetViewStyle(TViewStyle Value) {
    m_ViewStyle = Value;
    if (!HandleAllocated() || m_bEditOpen)
        return;
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    if ((style & LVS_TYPEMASK) == static_cast<LONG_PTR>(ViewStyleBits(Value)))
        return;
    SetWindowLongPtrW(Handle(), GWL_STYLE, (style & ~LVS_TYPEMASK) | ViewStyleBits(Value));
    // Wine's control repaints only where the new view draws rows: the old view's rows below
    // them would stay on the screen.
    Invalidate();
}

void TCustomListView::HeldViewStyle(TMessage&) {
    SetViewStyle(m_ViewStyle);
}

// These styles are fixed when the window is made: a change makes a new window.
void TCustomListView::SetStyleFlag(bool& Flag, bool Value) {
    if (Flag == Value)
        return;
    Flag = Value;
    RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool Value) {
    SetStyleFlag(m_bMultiSelect, Value);
}
void TCustomListView::SetColumnClick(bool Value) {
    SetStyleFlag(m_bColumnClick, Value);
}
void TCustomListView::SetHideSelection(bool Value) {
    SetStyleFlag(m_bHideSelection, Value);
}
void TCustomListView::SetReadOnly(bool Value) {
    SetStyleFlag(m_bReadOnly, Value);
}

void TCustomListView::SetRowSelect(bool Value) {
    m_bRowSelect = Value;
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     Value ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::SetSortType(TSortType Value) {
    m_SortType = Value;
    if (Value == stText)
        AlphaSort();
}

void TCustomListView::SetSmallImages(TImageList* Value) {
    SetImageList(m_SmallImages, Value, LVSIL_SMALL);
}

void TCustomListView::SetLargeImages(TImageList* Value) {
    SetImageList(m_LargeImages, Value, LVSIL_NORMAL);
}

void TCustomListView::SetImageList(TImageList*& Field, TImageList* Value, int Which) {
    if (Field == Value)
        return;
    TImageList* old = Field;
    Field = Value;
    if (old && old != m_SmallImages && old != m_LargeImages)
        old->RemoveFreeNotification(this);
    if (Value)
        Value->FreeNotification(this);
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_SETIMAGELIST, Which,
                     reinterpret_cast<LPARAM>(Value ? Value->Handle() : nullptr));
}

void TCustomListView::ApplyImages() {
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(m_SmallImages ? m_SmallImages->Handle() : nullptr));
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(m_LargeImages ? m_LargeImages->Handle() : nullptr));
}

void TCustomListView::CNNotify(TMessage& Message) {
    NMHDR* header = Message.NMHdr();
    if (DestroyingHandle() || !header) {
        Inherited(Message);
        return;
    }
    const auto code = static_cast<int>(header->code);
    if (code == static_cast<int>(LVN_GETDISPINFOW)) {
        GetDispInfo(*Message.Notification<NMLVDISPINFOW>());
    } else if (code == static_cast<int>(LVN_ITEMCHANGED)) {
        ItemChanged(*Message.Notification<const NMLISTVIEW>());
    } else if (code == static_cast<int>(LVN_COLUMNCLICK)) {
        const auto& info = *Message.Notification<const NMLISTVIEW>();
        if (OnColumnClick)
            OnColumnClick(this, m_Columns.Item(info.iSubItem));
    } else if (code == static_cast<int>(LVN_BEGINLABELEDITW)) {
        BeginLabelEdit(Message, *Message.Notification<const NMLVDISPINFOW>());
    } else if (code == static_cast<int>(LVN_ENDLABELEDITW)) {
        EndLabelEdit(Message, *Message.Notification<const NMLVDISPINFOW>());
    } else if (code == static_cast<int>(NM_CLICK) || code == static_cast<int>(NM_RCLICK)) {
        // The control's tracking took the release: the handlers get it after the press.
        ClickNotified(code == static_cast<int>(NM_CLICK) ? WM_LBUTTONUP : WM_RBUTTONUP);
        Inherited(Message);
    } else if (code == static_cast<int>(NM_CUSTOMDRAW)) {
        Message.Result = CustomDraw(*Message.Notification<NMLVCUSTOMDRAW>());
    } else if (code == static_cast<int>(LVN_DELETEALLITEMS)) {
        // The rows were told of their removal already; no notification per row.
        Message.Result = TRUE;
    } else {
        Inherited(Message);
    }
}

// Some controls (Wine's) keep a row's drop highlight and cut state without drawing them: the row
// a drop would go into is drawn as a selected one, a cut row's text dimmed (the control draws a
// selected row in the selection's colours still). Rows are asked only while one has either state.
LRESULT TCustomListView::CustomDraw(NMLVCUSTOMDRAW& Draw) {
    if (Draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
        const auto any = [&](UINT State) {
            return SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), State) != -1;
        };
        return any(LVNI_DROPHILITED) || any(LVNI_CUT) ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    if (Draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const auto index = static_cast<int>(Draw.nmcd.dwItemSpec);
    const auto state = static_cast<UINT>(
        SendMessageW(Handle(), LVM_GETITEMSTATE, index, LVIS_DROPHILITED | LVIS_CUT));
    if (state & LVIS_DROPHILITED) {
        Draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        Draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
        return CDRF_NEWFONT;
    }
    if (state & LVIS_CUT) {
        Draw.clrText = GetSysColor(COLOR_GRAYTEXT);
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

void TCustomListView::GetDispInfo(NMLVDISPINFOW& Info) {
    // Asked while drawing, when the rows and the window agree on positions.
    const TListItem* item = m_Items.Item(Info.item.iItem);
    if (!item)
        return;
    if (Info.item.mask & LVIF_TEXT) {
        const std::string& text =
            Info.item.iSubItem == 0 ? item->Caption() : item->SubItems()[Info.item.iSubItem - 1];
        CopyText(text, Info.item.pszText, Info.item.cchTextMax);
    }
    if ((Info.item.mask & LVIF_IMAGE) && Info.item.iSubItem == 0) {
        const int image = item->ImageIndex();
        Info.item.iImage = image < 0 ? I_IMAGENONE : image;
    }
}

void TCustomListView::ResolveItem(TListItem*, TItemParts) {}

void TCustomListView::ResolveParts(TListItem* Item, TItemParts Parts) {
    ++m_iResolving;
    ResolveItem(Item, Parts);
    --m_iResolving;
}

void TCustomListView::ItemChanged(const NMLISTVIEW& Info) {
    if (!OnChange || Info.iItem < 0)
        return;
    TListItem* item = ItemFromWindow(Info.iItem);
    if (!item)
        return;
    if (Info.uChanged & LVIF_TEXT)
        OnChange(this, item, ctText);
    if (Info.uChanged & LVIF_IMAGE)
        OnChange(this, item, ctImage);
    if (Info.uChanged & LVIF_STATE)
        OnChange(this, item, ctState);
}

void TCustomListView::BeginLabelEdit(TMessage& Message, const NMLVDISPINFOW& Info) {
    TListItem* item = ItemFromWindow(Info.item.iItem);
    bool allow = item != nullptr && !m_bReadOnly;
    if (allow && OnEditing)
        OnEditing(this, item, allow);
    Message.Result = allow ? FALSE : TRUE;
    m_bEditOpen = allow;
    m_EditItem = allow ? item : nullptr;
}

void TCustomListView::EndLabelEdit(TMessage& Message, const NMLVDISPINFOW& Info) {
    // The row shows what it holds: the caption is set here, not taken by the control.
    Message.Result = FALSE;
    // One end is reported per edit: some controls end an edit a second time while they take
    // down its edit box.
    if (!m_bEditOpen)
        return;
    // The edit acts on the row it began on, whatever row the control's index names by now (a
    // refill or a sort meanwhile moves rows); a row deleted meanwhile is not renamed. The row
    // stays open to RowGoing while OnEdited runs, which may let messages in.
    if (m_EditItem && Info.item.pszText) {
        std::string text = WideToUtf8(Info.item.pszText);
        if (OnEdited)
            OnEdited(this, m_EditItem, text);
        if (m_EditItem)
            m_EditItem->SetCaption(text);
    }
    m_bEditOpen = false;
    m_EditItem = nullptr;
    EditEnded();
    // From the queue: the control is still taking its edit box down.
    PostMessageW(WindowHandle(), CM_HELDVIEWSTYLE, 0, 0);
}

void TCustomListView::ForgetEdit() {
    if (!std::exchange(m_bEditOpen, false))
        return;
    m_EditItem = nullptr;
    EditEnded();
}

void TCustomListView::RowGoing(const TListItem* Item) {
    if (!Item) {
        m_RightPressRows.clear();
    } else {
        const auto gone = std::find(m_RightPressRows.begin(), m_RightPressRows.end(), Item);
        if (gone != m_RightPressRows.end())
            m_RightPressRows.erase(gone);
    }
    if (m_EditItem && (!Item || Item == m_EditItem)) {
        m_EditItem = nullptr;
        // Ended from the queue: the deletion may be part of a fill that must not be entered.
        if (HandleAllocated())
            PostMessageW(Handle(), LVM_CANCELEDITLABEL, 0, 0);
    }
}

// ---------------------------------------------------------------------------------------------
// Selection and edits for the user's commands.

void TCustomListView::SelectAll() {
    SetStateOfAll(LVIS_SELECTED, true);
}

void TCustomListView::ClearCut() {
    SetStateOfAll(LVIS_CUT, false);
}

void TCustomListView::SetStateOfAll(UINT State, bool Value) {
    for (auto& item : m_Items.m_Items)
        item->m_uState = Value ? (item->m_uState | State) : (item->m_uState & ~State);
    if (!HandleAllocated())
        return;
    LVITEMW state{};
    state.stateMask = State;
    state.state = Value ? State : 0;
    // Drawn once, whole: some controls (Wine's) invalidate each row they change, and every
    // invalidation is a round trip to the window server, seconds for 30,000 rows.
    m_Items.BeginUpdate();
    SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    m_Items.EndUpdate();
}

void TCustomListView::CancelEdit() {
    if (HandleAllocated())
        SendMessageW(Handle(), LVM_CANCELEDITLABEL, 0, 0);
}

void TCustomListView::ClearRightPress() {
    m_RightPressRows.clear();
    m_bRightPressRecorded = false;
}

RECT TCustomListView::ItemRect(const TListItem* Item, bool LabelOnly) const {
    RECT bounds{};
    if (!Item || Item->m_Owner != &m_Items || !HandleAllocated())
        return bounds;
    bounds.left = LabelOnly ? LVIR_LABEL : LVIR_BOUNDS;
    if (!SendMessageW(WindowHandle(), LVM_GETITEMRECT, Item->m_iIndex,
                      reinterpret_cast<LPARAM>(&bounds)))
        bounds = RECT{};
    return bounds;
}

void TCustomListView::WMRButtonDown(TMessage& Message) {
    m_RightPressRows.clear();
    for (TListItem* row = GetNextItem(nullptr, sdAll, isSelected); row;
         row = GetNextItem(row, sdAll, isSelected))
        m_RightPressRows.push_back(row);
    m_bRightPressRecorded = true;
    ClearManyBeforePress(Message);
    Inherited(Message);
}

// Some controls (Wine's) invalidate each row whose selection changes, and every invalidation is a
// round trip to the window server: a press or a key that deselects 30,000 rows holds the thread
// for seconds. Such changes are made with the drawing held, and drawn once, whole.

void TCustomListView::WMLButtonDown(TMessage& Message) {
    ClearManyBeforePress(Message);
    // On a selected row the others are deselected when the button is released without a drag,
    // inside the control's tracking of the press.
    if (!(Message.WParam & MK_CONTROL) &&
        ((Message.WParam & MK_SHIFT) || SelCount() > kManySelected))
        DrawnOnce(Message);
    else
        Inherited(Message);
}

void TCustomListView::WMLButtonUp(TMessage& Message) {
    if (SelCount() > kManySelected)
        DrawnOnce(Message);
    else
        Inherited(Message);
}

// Moving the focus deselects every other row; with Shift it selects the range up to the focus.
void TCustomListView::WMKeyDown(TMessage& Message) {
    const bool moves =
        Message.WParam == VK_UP || Message.WParam == VK_DOWN || Message.WParam == VK_LEFT ||
        Message.WParam == VK_RIGHT || Message.WParam == VK_HOME || Message.WParam == VK_END ||
        Message.WParam == VK_PRIOR || Message.WParam == VK_NEXT || Message.WParam == VK_SPACE;
    if (moves && ((GetKeyState(VK_SHIFT) & 0x8000) || SelCount() > kManySelected))
        DrawnOnce(Message);
    else
        Inherited(Message);
}

// A drag begins inside the tracking of a press: the rows draw again before it runs, so the drop
// target's highlight shows.
void TCustomListView::WndProc(TMessage& Message) {
    if (m_bDrawingHeld && BeginDragItem(Message))
        EndHeldDrawing();
    TWinControl::WndProc(Message);
}

void TCustomListView::ClearManyBeforePress(const TMessage& Message) {
    if ((Message.WParam & (MK_SHIFT | MK_CONTROL)) || SelCount() <= kManySelected)
        return;
    if (const TListItem* pressed = GetItemAt(Message.XPos(), Message.YPos());
        pressed && pressed->Selected())
        return;
    SetStateOfAll(LVIS_SELECTED, false);
}

void TCustomListView::DrawnOnce(TMessage& Message) {
    if (m_bDrawingHeld || !HandleAllocated()) {
        Inherited(Message);
        return;
    }
    m_bDrawingHeld = true;
    m_Items.BeginUpdate();
    Inherited(Message);
    EndHeldDrawing();
}

void TCustomListView::EndHeldDrawing() {
    if (std::exchange(m_bDrawingHeld, false))
        m_Items.EndUpdate();
}
