#include "controls/ListColumns.h"

#include "controls/ListView.h"
#include "identifiers/WideText.h"

namespace {

int ColumnFormat(TAlignment Alignment) {
    if (Alignment == taRightJustify)
        return LVCFMT_RIGHT;
    if (Alignment == taCenter)
        return LVCFMT_CENTER;
    return LVCFMT_LEFT;
}

} // namespace

void TListColumn::Apply(UINT Mask) {
    TCustomListView* list = m_Owner->Owner();
    if (!list->HandleAllocated())
        return;
    std::wstring caption = Utf8ToWide(m_sCaption);
    LVCOLUMNW column{};
    column.mask = Mask;
    column.pszText = caption.data();
    column.cx = m_iWidth;
    column.fmt = ColumnFormat(m_Alignment);
    SendMessageW(list->Handle(), LVM_SETCOLUMNW, m_iIndex, reinterpret_cast<LPARAM>(&column));
}

void TListColumn::SetCaption(const std::string& Value) {
    m_sCaption = Value;
    Apply(LVCF_TEXT);
}

int TListColumn::Width() const {
    TCustomListView* list = m_Owner->Owner();
    if (!list->HandleAllocated())
        return m_iWidth;
    return static_cast<int>(SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, m_iIndex, 0));
}

void TListColumn::SetWidth(int Value) {
    m_iWidth = Value;
    Apply(LVCF_WIDTH);
}

void TListColumn::SetAlignment(TAlignment Value) {
    m_Alignment = Value;
    Apply(LVCF_FMT);
}

TListColumn* TListColumns::Item(int Index) const {
    return Index >= 0 && Index < Count() ? m_Columns[Index].get() : nullptr;
}

TListColumn* TListColumns::Add() {
    auto owned = std::unique_ptr<TListColumn>(new TListColumn(this));
    TListColumn* column = owned.get();
    column->m_iIndex = Count();
    m_Columns.push_back(std::move(owned));
    InsertIntoWindow(column);
    return column;
}

void TListColumns::InsertIntoWindow(TListColumn* Column) {
    if (!m_Owner->HandleAllocated())
        return;
    std::wstring caption = Utf8ToWide(Column->m_sCaption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.pszText = caption.data();
    column.cx = Column->m_iWidth;
    column.fmt = ColumnFormat(Column->m_Alignment);
    column.iSubItem = Column->m_iIndex;
    SendMessageW(m_Owner->Handle(), LVM_INSERTCOLUMNW, Column->m_iIndex,
                 reinterpret_cast<LPARAM>(&column));
}

void TListColumns::Delete(int Index) {
    if (!Item(Index))
        return;
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), LVM_DELETECOLUMN, Index, 0);
    m_Columns.erase(m_Columns.begin() + Index);
    for (int i = Index; i < Count(); ++i)
        m_Columns[i]->m_iIndex = i;
}

void TListColumns::Clear() {
    while (Count() > 0)
        Delete(Count() - 1);
}

void TListColumns::ReadWidths() {
    for (auto& column : m_Columns)
        column->m_iWidth = column->Width();
}
