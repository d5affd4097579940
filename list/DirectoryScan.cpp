// The folder list: one read of the shown directory serves every item's search.
#include "list/DirectoryScan.h"

namespace {

TFoundEntry EntryOf(const WIN32_FIND_DATAW& Data) {
    TFoundEntry entry;
    entry.sName = Data.cFileName;
    entry.dwFileAttributes = Data.dwFileAttributes;
    entry.iSize = (static_cast<int64_t>(Data.nFileSizeHigh) << 32) | Data.nFileSizeLow;
    entry.ftLastWriteTime = Data.ftLastWriteTime;
    return entry;
}

struct FindHandle {
    HANDLE h = INVALID_HANDLE_VALUE;
    ~FindHandle() {
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    }
};

bool HasWildcard(const std::wstring& Path) {
    return Path.find_first_of(L"*?") != std::wstring::npos;
}

} // namespace

bool FindEntry(const std::wstring& Path, TFoundEntry& Entry) {
    // A pattern would find some other entry; a path the platform cannot take is not cut short.
    if (Path.empty() || Path.size() >= MAX_PATH || HasWildcard(Path))
        return false;
    WIN32_FIND_DATAW data{};
    FindHandle search;
    search.h = FindFirstFileW(Path.c_str(), &data);
    if (search.h == INVALID_HANDLE_VALUE)
        return false;
    Entry = EntryOf(data);
    return true;
}

TDirectoryScan::TDirectoryScan(const std::wstring& Directory) {
    if (Directory.empty() || HasWildcard(Directory))
        return;
    m_Prefix = Directory;
    if (m_Prefix.back() != L'\\')
        m_Prefix += L'\\';
    const std::wstring pattern = m_Prefix + L"*";
    if (pattern.size() >= MAX_PATH)
        return;
    WIN32_FIND_DATAW data{};
    FindHandle search;
    // Basic information (no short names) and large fetches: the same entries, read faster.
    search.h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search.h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        m_ByName.emplace(data.cFileName, m_Entries.size());
        m_Entries.push_back(EntryOf(data));
    } while (FindNextFileW(search.h, &data));
}

const TFoundEntry* TDirectoryScan::Find(const std::wstring& Path) const {
    if (m_Prefix.empty() || Path.size() <= m_Prefix.size() || Path.size() >= MAX_PATH)
        return nullptr;
    if (CompareStringOrdinal(Path.data(), static_cast<int>(m_Prefix.size()), m_Prefix.data(),
                             static_cast<int>(m_Prefix.size()), TRUE) != CSTR_EQUAL)
        return nullptr;
    const std::wstring name = Path.substr(m_Prefix.size());
    if (name.find(L'\\') != std::wstring::npos)
        return nullptr;
    // Names are matched as written; another case is searched for alone, as the disk decides.
    const auto found = m_ByName.find(name);
    return found == m_ByName.end() ? nullptr : &m_Entries[found->second];
}

bool TDirectoryScan::Contains(const std::wstring& Name) const {
    for (const TFoundEntry& entry : m_Entries)
        if (CompareStringOrdinal(entry.sName.data(), static_cast<int>(entry.sName.size()),
                                 Name.data(), static_cast<int>(Name.size()), TRUE) == CSTR_EQUAL)
            return true;
    return false;
}
