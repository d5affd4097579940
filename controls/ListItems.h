#pragma once

#include "controls/UpdateCounter.h"

#include "controls/ListItem.h"

#include <memory>
#include <vector>

// The rows of a list view.
class TListItems {
public:
    explicit TListItems(TCustomListView* AOwner);
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    TCustomListView* Owner() const { return m_Owner; }
    int Count() const { return static_cast<int>(m_Items.size()); }
    TListItem* Item(int Index) const;
    TListItem* operator[](int Index) const { return Item(Index); }
    int IndexOf(const TListItem* Value) const;

    // A new row at the end.
    TListItem* Add();
    // A new row at the end that has its caption, data, images and pending parts from the start:
    // one message to the window.
    TListItem* Add(const TItemLook& Look);
    TListItem* Insert(int Index);
    // Removes the row, raising OnDeletion first.
    void Delete(int Index);
    // Removes every row, raising OnDeletion for each.
    void Clear();

    // Bulk updates: the window stops redrawing until the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_Update.Active(); }

private:
    friend class TListItem;
    friend class TCustomListView;

    void InsertIntoWindow(TListItem* Item);
    void Renumber(int From);

    TCustomListView* m_Owner;
    std::vector<std::unique_ptr<TListItem>> m_Items;
    TUpdateCounter m_Update;
};
