// The folder list: refilling the shown folder while keeping the user's place in it.
#include "list/FolderEnumerator.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// What a row was to the user before a refill.
enum : unsigned { kSelected = 1, kFocused = 2, kTop = 4 };

// The rows the user had a hold on, by the bytes of their items' full lists: a row's caption can
// be shared with another row or pass to another item, and asking every row its caption would
// cost a display name each.
class TKeptPlace {
public:
    explicit TKeptPlace(TFolderEnumerator& List) {
        const auto keep = [&](TListItem* Row, unsigned Role) {
            if (const TItemData* data = TFolderEnumerator::ItemData(Row))
                m_Rows.emplace_back(PidlBytes(data->pFQPidl.Get()), Role);
        };
        if (List.HandleAllocated()) {
            // Each search past the last selected row would run to the end of the list.
            int left = List.SelCount();
            for (TListItem* row = left > 0 ? List.GetNextItem(nullptr, sdAll, isSelected) : nullptr;
                 row; row = --left > 0 ? List.GetNextItem(row, sdAll, isSelected) : nullptr)
                keep(row, kSelected);
        } else {
            for (int i = 0; i < List.Items().Count(); ++i)
                if (List.Items().Item(i)->Selected())
                    keep(List.Items().Item(i), kSelected);
        }
        m_bHadSelection = !m_Rows.empty();
        keep(List.GetNextItem(nullptr, sdAll, isFocused), kFocused);
        TListItem* top = List.TopItem();
        m_iTopIndex = top ? top->Index() : 0;
        keep(top, kTop);
    }

    // Gives the refilled rows back what their items had, in one pass over them.
    void Restore(TFolderEnumerator& List) const {
        std::unordered_map<std::string_view, unsigned> roles;
        roles.reserve(m_Rows.size());
        for (const auto& [bytes, role] : m_Rows)
            roles[bytes] |= role;
        TListItem* top = nullptr;
        bool selected = false;
        const int count = List.Items().Count();
        for (int i = 0; i < count && !roles.empty(); ++i) {
            TListItem* row = List.Items().Item(i);
            const TItemData* data = TFolderEnumerator::ItemData(row);
            const auto found = data ? roles.find(PidlBytes(data->pFQPidl.Get())) : roles.end();
            if (found == roles.end())
                continue;
            if (found->second & kSelected) {
                row->SetSelected(true);
                selected = true;
            }
            if (found->second & kFocused)
                row->SetFocused(true);
            if (found->second & kTop)
                top = row;
            // Each item has one row; what is found is not looked for again.
            roles.erase(found);
        }
        if (m_bHadSelection && !selected && count > 0)
            List.Items().Item(0)->SetSelected(true);
        // A top row that went leaves the view where it was, as far as the rows reach.
        if (!top && count > 0)
            top = List.Items().Item(std::min(m_iTopIndex, count - 1));
        List.SetTopItem(top);
    }

private:
    std::vector<std::pair<std::string, unsigned>> m_Rows;
    bool m_bHadSelection = false;
    int m_iTopIndex = 0;
};

} // namespace

// A refresh inside the list's own drag would delete the rows being dragged: it waits for the
// drag's end (ListDragDrop.cpp).
void TFolderEnumerator::ChangeNotify(TMessage&) {
    if (!m_bAutoRefresh)
        return;
    if (m_bDragging)
        m_bChangedWhileDragging = true;
    else
        Refresh();
}

void TFolderEnumerator::Refresh() {
    // A refresh under an open edit would leave the edit on another row: it waits for the end.
    if (EditOpen()) {
        m_bRefreshHeld = true;
        return;
    }
    const TKeptPlace place(*this);
    // The rows come back in the order the user asked for, not the shell's.
    m_bSortFollows = m_bSortApplied;
    FillListView(m_pViewPidl.Get());
    m_bSortFollows = false;
    if (m_bSortApplied)
        Sort();
    place.Restore(*this);
}
