// The folder list: refilling the shown folder while keeping the user's place in it.
#include "list/FolderEnumerator.h"

#include <algorithm>
#include <functional>
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
// cost a display name each. A file's list changes with its size and time, so a kept file whose
// bytes are not found again is found by its name on disk: the file written to, or saved anew.
class TKeptPlace {
public:
    explicit TKeptPlace(TFolderEnumerator& List) {
        const auto keep = [&](TListItem* Row, unsigned Role) {
            const TItemData* data = TFolderEnumerator::ItemData(Row);
            if (!data)
                return;
            TKept& kept = m_Rows[std::string(PidlBytes(data->pFQPidl.Get()))];
            kept.uRoles |= Role;
            kept.uNameKey = data->uNameKey;
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
    void Restore(TFolderEnumerator& List) {
        std::unordered_map<size_t, std::string_view> byName;
        for (const auto& [bytes, kept] : m_Rows)
            if (kept.uNameKey)
                byName.emplace(kept.uNameKey, bytes);
        TListItem* top = nullptr;
        bool selected = false;
        const int count = List.Items().Count();
        for (int i = 0; i < count && !m_Rows.empty(); ++i) {
            TListItem* row = List.Items().Item(i);
            const TItemData* data = TFolderEnumerator::ItemData(row);
            if (!data)
                continue;
            auto found = m_Rows.find(PidlBytes(data->pFQPidl.Get()));
            if (found == m_Rows.end() && data->uNameKey) {
                const auto named = byName.find(data->uNameKey);
                if (named != byName.end())
                    found = m_Rows.find(named->second);
            }
            if (found == m_Rows.end())
                continue;
            const unsigned roles = found->second.uRoles;
            if (roles & kSelected) {
                row->SetSelected(true);
                selected = true;
            }
            if (roles & kFocused)
                row->SetFocused(true);
            if (roles & kTop)
                top = row;
            // Each item has one row; what is found is not looked for again.
            byName.erase(found->second.uNameKey);
            m_Rows.erase(found);
        }
        if (m_bHadSelection && !selected && count > 0)
            List.Items().Item(0)->SetSelected(true);
        // A top row that went leaves the view where it was, as far as the rows reach.
        if (!top && count > 0)
            top = List.Items().Item(std::min(m_iTopIndex, count - 1));
        List.SetTopItem(top);
    }

private:
    struct TKept {
        unsigned uRoles = 0;
        size_t uNameKey = 0;
    };
    // Looked up by the rows' bytes in place, without a copy of each.
    struct TBytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view Bytes) const {
            return std::hash<std::string_view>{}(Bytes);
        }
    };
    std::unordered_map<std::string, TKept, TBytesHash, std::equal_to<>> m_Rows;
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

// A refill under an open edit, or inside another operation of the list, could delete the row the
// edit or the operation works on: it waits for the end, and a refresh then runs once.
bool TFolderEnumerator::RefillHeld() {
    if (!EditOpen() && m_iBusy == 0)
        return false;
    m_bRefreshHeld = true;
    return true;
}

void TFolderEnumerator::Refresh() {
    if (RefillHeld())
        return;
    m_bRefreshHeld = false;
    TKeptPlace place(*this);
    // The rows come back in the order the user asked for, not the shell's.
    m_bSortFollows = m_bSortApplied;
    FillListView(m_pViewPidl.Get());
    m_bSortFollows = false;
    // Rows kept as they were keep their order: their sort keys need not be made again.
    if (m_bSortApplied && !m_bRowsKept)
        Sort();
    // Thousands of rows may be selected again: drawn once.
    Items().BeginUpdate();
    place.Restore(*this);
    Items().EndUpdate();
}
