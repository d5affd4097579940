// The folder list: ordering the rows by a column on request.
#include "list/FolderEnumerator.h"

#include "identifiers/WideText.h"

#include <algorithm>
#include <numeric>

namespace {

// Letters a to z folded to upper case, every other byte kept: the framework's comparison of
// captions, on their UTF-8 bytes.
std::string FoldAscii(std::string Text) {
    for (char& c : Text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return Text;
}

int CompareFolded(const std::string& a, const std::string& b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

int CompareNames(const std::string& a, const std::string& b) {
    return CompareFolded(FoldAscii(a), FoldAscii(b));
}

// Zero for a row without details: the earliest time there is.
int64_t TimeKey(const TEntryDetails& Details) {
    FILETIME time{};
    if (!SystemTimeToFileTime(&Details.Date, &time))
        return 0;
    return (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

int ThreeWay(int64_t a, int64_t b) {
    return a < b ? -1 : a > b ? 1 : 0;
}

const TItemData& RecordOf(const TListItem* Item) {
    // A row added without a record compares as a zeroed one.
    static const TItemData zeroed;
    const TItemData* data = TFolderEnumerator::ItemData(Item);
    return data ? *data : zeroed;
}

} // namespace

// Each row's key, made once per sort by the row's position before the sort: the comparison
// then reads two keys instead of converting texts for each pair.
struct TFolderEnumerator::TSortKeys {
    std::vector<std::string> Names;
    // Texts compared with lstrcmpi, as their rank among the distinct texts of the column.
    std::vector<int> Ranks;
    std::vector<int64_t> Numbers;
};

int TFolderEnumerator::LVCompareProc(TListItem* Item1, TListItem* Item2, LPARAM ParamSort) {
    auto* list = reinterpret_cast<TFolderEnumerator*>(ParamSort);
    if (!Item1 || !Item2 || !list || list->m_SortedOrder == soUnSorted)
        return 0;
    const TItemData& rec1 = RecordOf(Item1);
    const TItemData& rec2 = RecordOf(Item2);
    const TSortKeys* keys = list->m_SortKeys;
    const int i1 = Item1->Index();
    const int i2 = Item2->Index();
    const int column = list->m_iLastColumnSorted;
    const auto textOrder = [&](int index) {
        if (keys)
            return ThreeWay(keys->Ranks[i1], keys->Ranks[i2]);
        const std::wstring a = Utf8ToWide(Item1->SubItems()[index - 1]);
        const std::wstring b = Utf8ToWide(Item2->SubItems()[index - 1]);
        return ThreeWay(lstrcmpiW(a.c_str(), b.c_str()), 0);
    };

    int result = 0;
    if (column == list->m_iNameColumn)
        result = keys ? CompareFolded(keys->Names[i1], keys->Names[i2])
                      : CompareNames(Item1->Caption(), Item2->Caption());
    else if (column == list->m_iExtensionColumn)
        result = textOrder(column);
    else if (column == list->m_iSizeColumn)
        // Larger first in ascending order.
        result = ThreeWay(rec2.EntryDetails.iSize, rec1.EntryDetails.iSize);
    else if (column == list->m_iAttributesColumn)
        result = textOrder(column);
    else if (column == list->m_iTypeColumn)
        result = textOrder(column);
    else if (column == list->m_sModifiedColumn)
        result = keys ? ThreeWay(keys->Numbers[i1], keys->Numbers[i2])
                      : ThreeWay(TimeKey(rec1.EntryDetails), TimeKey(rec2.EntryDetails));

    const bool folder1 = (rec1.EntryDetails.uAttrib & SFGAO_FOLDER) != 0;
    const bool folder2 = (rec2.EntryDetails.uAttrib & SFGAO_FOLDER) != 0;
    if (folder1 && !folder2)
        result = -1;
    else if (folder2 && !folder1)
        result = 1;
    const bool fs1 = (rec1.EntryDetails.uAttrib & SFGAO_FILESYSTEM) != 0;
    const bool fs2 = (rec2.EntryDetails.uAttrib & SFGAO_FILESYSTEM) != 0;
    if (!fs1 && fs2)
        result = -1;
    else if (!fs2 && fs1)
        result = 1;
    if (list->m_SortedOrder == soDescending)
        result = -result;
    return result;
}

void TFolderEnumerator::Sort() {
    // Reading the keys asks the shell for rows' names: a refresh then would replace the rows.
    const TBusy busy(*this);
    TSortKeys keys;
    const int count = Items().Count();
    const int column = m_iLastColumnSorted;
    if (m_SortedOrder != soUnSorted) {
        if (column == m_iNameColumn) {
            keys.Names.reserve(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i)
                keys.Names.push_back(FoldAscii(Items().Item(i)->Caption()));
        } else if (column == m_sModifiedColumn) {
            for (int i = 0; i < count; ++i)
                keys.Numbers.push_back(TimeKey(RecordOf(Items().Item(i)).EntryDetails));
        } else if (column == m_iExtensionColumn || column == m_iAttributesColumn ||
                   column == m_iTypeColumn) {
            std::vector<std::wstring> texts;
            texts.reserve(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i)
                texts.push_back(Utf8ToWide(Items().Item(i)->SubItems()[column - 1]));
            // Columns hold few distinct texts: they are ordered once, each row gets its rank.
            std::vector<int> order(static_cast<size_t>(count));
            std::iota(order.begin(), order.end(), 0);
            std::sort(order.begin(), order.end(),
                      [&](int a, int b) { return texts[a] < texts[b]; });
            std::vector<int> distinct;
            for (size_t i = 0; i < order.size(); ++i)
                if (i == 0 || texts[order[i]] != texts[order[i - 1]])
                    distinct.push_back(order[i]);
            std::stable_sort(distinct.begin(), distinct.end(), [&](int a, int b) {
                return lstrcmpiW(texts[a].c_str(), texts[b].c_str()) < 0;
            });
            std::vector<int> rankOf(static_cast<size_t>(count));
            int rank = 0;
            for (size_t i = 0; i < distinct.size(); ++i) {
                if (i > 0 &&
                    lstrcmpiW(texts[distinct[i - 1]].c_str(), texts[distinct[i]].c_str()) != 0)
                    ++rank;
                rankOf[distinct[i]] = rank;
            }
            keys.Ranks.resize(static_cast<size_t>(count));
            for (size_t i = 0; i < order.size(); ++i) {
                const int first = (i > 0 && texts[order[i]] == texts[order[i - 1]])
                                      ? keys.Ranks[order[i - 1]]
                                      : rankOf[order[i]];
                keys.Ranks[order[i]] = first;
            }
        }
    }
    m_SortKeys = &keys;
    // Rows already in order (a refresh of an unchanged folder) are not handed to the window.
    bool ordered = true;
    for (int i = 1; i < count && ordered; ++i)
        ordered = LVCompareProc(Items().Item(i - 1), Items().Item(i),
                                reinterpret_cast<LPARAM>(this)) <= 0;
    if (!ordered)
        CustomSort(&TFolderEnumerator::LVCompareProc, reinterpret_cast<LPARAM>(this));
    m_SortKeys = nullptr;
    // Rows idle time has not reached may now stand before its next row: it starts again (rows
    // already complete cost it a look each).
    if (!ordered)
        m_iIdleNext = 0;
}

void TFolderEnumerator::ColumnClicked(TObject*, TListColumn* Column) {
    if (!Column)
        return;
    const int index = Column->Index();
    if (index == m_iLastColumnSorted)
        m_SortedOrder = m_SortedOrder == soDescending ? soAscending : soDescending;
    else
        m_SortedOrder = soAscending;
    m_iLastColumnSorted = index;
    m_bSortApplied = true;
    Sort();
}

TColumnName TFolderEnumerator::GetColumnSort() const {
    if (m_bLoadedSortColumn)
        return m_LoadedSortColumn;
    for (int c = cnName; c <= cnModified; ++c)
        if (ColumnIndex(static_cast<TColumnName>(c)) == m_iLastColumnSorted)
            return static_cast<TColumnName>(c);
    return cnName;
}

void TFolderEnumerator::SetColumnSort(TColumnName chColumn) {
    // The layout is read after the sort column: it is counted once the columns are laid out.
    if (InState(csLoading)) {
        m_bLoadedSortColumn = true;
        m_LoadedSortColumn = chColumn;
        m_bSortApplied = true;
        return;
    }
    int index = 0;
    if (chColumn != cnName) {
        if (!IsColumnShown(chColumn))
            return;
        index = 1;
        for (int c = cnExtension; c < chColumn; ++c)
            index += IsColumnShown(static_cast<TColumnName>(c));
    }
    m_iLastColumnSorted = index;
    m_bSortApplied = true;
    Sort();
}

void TFolderEnumerator::SetSortOrder(TColumnSortOrder soSort) {
    m_SortedOrder = soSort;
    m_bSortApplied = true;
    Sort();
}
