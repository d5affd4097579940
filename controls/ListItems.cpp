#include "controls/ListItems.h"

#include "controls/ListView.h"

TListItems::TListItems(TCustomListView* AOwner) : m_Owner(AOwner), m_Update(AOwner) {}

TListItem* TListItems::Item(int Index) const {
    return Index >= 0 && Index < Count() ? m_Items[Index].get() : nullptr;
}

int TListItems::IndexOf(const TListItem* Value) const {
    return Value && Value->m_Owner == this ? Value->m_iIndex : -1;
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Add(const TItemLook& Look) {
    auto owned = std::unique_ptr<TListItem>(new TListItem(this));
    TListItem* item = owned.get();
    item->m_iIndex = Count();
    item->m_sCaption = Look.Caption;
    item->m_pData = Look.Data;
    item->m_iImageIndex = Look.ImageIndex;
    item->m_iOverlayIndex = Look.OverlayIndex;
    item->m_uPending = Look.Pending;
    m_Items.push_back(std::move(owned));
    InsertIntoWindow(item);
    return item;
}

TListItem* TListItems::Insert(int Index) {
    if (Index < 0 || Index > Count())
        Index = Count();
    auto owned = std::unique_ptr<TListItem>(new TListItem(this));
    TListItem* item = owned.get();
    m_Items.insert(m_Items.begin() + Index, std::move(owned));
    Renumber(Index);
    InsertIntoWindow(item);
    return item;
}

void TListItems::InsertIntoWindow(TListItem* Item) {
    if (!m_Owner->HandleAllocated())
        return;
    // Texts and images are asked for when the row is drawn; the row itself is the parameter.
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = Item->m_iIndex;
    row.pszText = LPSTR_TEXTCALLBACKW;
    row.iImage = I_IMAGECALLBACK;
    row.lParam = reinterpret_cast<LPARAM>(Item);
    row.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED | LVIS_CUT | LVIS_OVERLAYMASK;
    row.state = Item->m_uState;
    if (Item->m_iOverlayIndex >= 0)
        row.state |= INDEXTOOVERLAYMASK(Item->m_iOverlayIndex + 1);
    if (row.state)
        row.mask |= LVIF_STATE;
    SendMessageW(m_Owner->Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
}

void TListItems::Renumber(int From) {
    for (int i = From < 0 ? 0 : From; i < Count(); ++i)
        m_Items[i]->m_iIndex = i;
}

void TListItems::Delete(int Index) {
    TListItem* item = Item(Index);
    if (!item)
        return;
    if (m_Owner->OnDeletion)
        m_Owner->OnDeletion(m_Owner, item);
    // The handler may have removed rows itself.
    Index = item->m_iIndex;
    if (Item(Index) != item)
        return;
    m_Owner->RowGoing(item);
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), LVM_DELETEITEM, Index, 0);
    m_Items.erase(m_Items.begin() + Index);
    Renumber(Index);
}

void TListItems::Clear() {
    if (m_Items.empty())
        return;
    if (m_Owner->OnDeletion)
        for (int i = 0; i < Count(); ++i)
            m_Owner->OnDeletion(m_Owner, m_Items[i].get());
    m_Owner->RowGoing(nullptr);
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), LVM_DELETEALLITEMS, 0, 0);
    m_Items.clear();
}

void TListItems::BeginUpdate() {
    m_Update.Begin();
}

void TListItems::EndUpdate() {
    m_Update.End();
}
