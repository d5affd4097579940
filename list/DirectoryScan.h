#pragma once

// One pass over a directory that answers, for each item lying directly in it, what a search for
// the item's own path would answer: its name as on disk, its attributes, size and last-write
// time. A fill asks this instead of searching the disk once or twice per item.

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// What a file search tells of one entry.
struct TFoundEntry {
    std::wstring sName;
    DWORD dwFileAttributes = 0;
    int64_t iSize = 0;
    FILETIME ftLastWriteTime{};
};

// Searches the disk for exactly this path, as FindFirstFile does; false when nothing is found or
// the path does not fit the platform (a path too long is never cut).
bool FindEntry(const std::wstring& Path, TFoundEntry& Entry);

class TDirectoryScan {
public:
    TDirectoryScan() = default;
    // Reads the directory with that path (a drive root may end in "\"). An empty path, or one
    // that cannot be read, gives a scan that knows nothing.
    explicit TDirectoryScan(const std::wstring& Directory);

    // The entry of a full path that lies directly in the scanned directory and was there when it
    // was read; nullptr for any other path (the caller then searches for it alone).
    const TFoundEntry* Find(const std::wstring& Path) const;
    int Count() const { return static_cast<int>(m_Entries.size()); }
    // Whether the directory held an entry of that name, in any case.
    bool Contains(const std::wstring& Name) const;

private:
    std::wstring m_Prefix; // the directory with its trailing "\"
    std::vector<TFoundEntry> m_Entries;
    std::unordered_map<std::wstring, size_t> m_ByName;
};
