#include "controls/ListItem.h"

#include "controls/ListItems.h"
#include "controls/ListView.h"

const std::string& TSubItems::operator[](int Index) const {
    static const std::string empty;
    return Index >= 0 && Index < Count() ? m_Strings[Index] : empty;
}

int TSubItems::Add(const std::string& S) {
    m_Strings.push_back(S);
    m_Item->Update();
    return Count() - 1;
}

void TSubItems::Set(int Index, const std::string& S) {
    if (Index < 0 || Index >= Count())
        return;
    m_Strings[Index] = S;
    m_Item->Update();
}

void TSubItems::Assign(std::vector<std::string> Strings) {
    m_Strings = std::move(Strings);
    m_Item->Update();
}

void TSubItems::Clear() {
    m_Strings.clear();
    m_Item->Update();
}

TCustomListView* TListItem::ListView() const {
    return m_Owner->Owner();
}

HWND TListItem::Window() const {
    TCustomListView* list = ListView();
    return list->HandleAllocated() ? list->Handle() : nullptr;
}

void TListItem::Resolve(TItemParts Parts) const {
    const TItemParts due = m_uPending & Parts;
    // Cleared first: the list's computation reads and writes the parts through the row.
    m_uPending &= ~due;
    ListView()->ResolveParts(const_cast<TListItem*>(this), due);
}

void TListItem::SetPending(TItemParts Parts) {
    m_uPending |= Parts;
}

void TListItem::SetCaption(const std::string& Value) {
    m_sCaption = Value;
    m_uPending &= ~ipCaption;
    HWND window = Window();
    if (!window || m_Owner->Updating() || ListView()->Resolving())
        return;
    // The window asks for the text when it draws; this tells it the text changed.
    LVITEMW item{};
    item.pszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(window, LVM_SETITEMTEXTW, m_iIndex, reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetImageIndex(int Value) {
    m_iImageIndex = Value;
    m_uPending &= ~ipImage;
    HWND window = Window();
    // The window asks for the image by callback; a part computed while it asks needs no message.
    if (!window || ListView()->Resolving())
        return;
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = m_iIndex;
    item.iImage = I_IMAGECALLBACK;
    SendMessageW(window, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetOverlayIndex(int Value) {
    m_iOverlayIndex = Value;
    HWND window = Window();
    if (!window)
        return;
    LVITEMW item{};
    item.stateMask = LVIS_OVERLAYMASK;
    item.state = Value >= 0 ? INDEXTOOVERLAYMASK(Value + 1) : 0;
    SendMessageW(window, LVM_SETITEMSTATE, m_iIndex, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::HasState(UINT State) const {
    HWND window = Window();
    if (!window)
        return (m_uState & State) != 0;
    return (SendMessageW(window, LVM_GETITEMSTATE, m_iIndex, State) & State) != 0;
}

void TListItem::SetState(UINT State, bool Value) {
    m_uState = Value ? (m_uState | State) : (m_uState & ~State);
    HWND window = Window();
    if (!window)
        return;
    LVITEMW item{};
    item.stateMask = State;
    item.state = Value ? State : 0;
    SendMessageW(window, LVM_SETITEMSTATE, m_iIndex, reinterpret_cast<LPARAM>(&item));
}

void TListItem::Delete() {
    m_Owner->Delete(m_iIndex);
}

bool TListItem::EditCaption() {
    TCustomListView* list = ListView();
    if (!list->Handle())
        return false;
    list->SetFocus();
    return SendMessageW(list->Handle(), LVM_EDITLABELW, m_iIndex, 0) != 0;
}

void TListItem::MakeVisible(bool PartialOK) {
    if (HWND window = Window())
        SendMessageW(window, LVM_ENSUREVISIBLE, m_iIndex, PartialOK);
}

void TListItem::Update() {
    HWND window = Window();
    if (window && !m_Owner->Updating() && !ListView()->Resolving())
        SendMessageW(window, LVM_REDRAWITEMS, m_iIndex, m_iIndex);
}
