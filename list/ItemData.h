#pragma once

#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/OwnedPidl.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <string>
#include <string_view>

// What the disk says of a row's item: its shell attributes, and the size and last-write time of
// its file or folder entry when one was found.
struct TEntryDetails {
    // The shell's attributes of the item, as its folder reports them (the folder and file-system
    // flags among them: the sort reads them).
    SFGAOF uAttrib = 0;
    // The entry's size in bytes, both halves of the search result; 0 when nothing was found.
    int64_t iSize = 0;
    // The last-write time in local time; all zero when nothing was found.
    SYSTEMTIME Date{};
};

// The record of one row of the folder list, made by the fill and freed with the row. Its
// fields are holders: deleting the record frees both lists and releases the folder.
struct TItemData {
    // Not filled: the row holds its image index itself.
    int iIconIndex = 0;
    // The item's fully qualified list: the shown folder's list joined with the item's own.
    OwnedPidl pFQPidl;
    // The item's list relative to the folder that enumerated it.
    OwnedPidl pPidl;
    TEntryDetails EntryDetails;

    // Whether the fill's search found the item on disk (an entry of its own): the Extension and
    // Attributes texts come from that entry; and whether its size and time were read
    // (GetEntryDetails), without which Size and Modified stay empty.
    bool bHasFile = false;
    bool bHasDetails = false;
    DWORD dwFileAttributes = 0;
    // The found entry's name from its last "." on; empty without a dot or an entry.
    std::string sExtension;
    // A hash of the found entry's whole name (0 without an entry): the file a row stands for
    // once its list has changed, as it does with the file's size or time, or when a program saves
    // the file anew under its name. Kept as a hash: a name per row would cost every row its text.
    size_t uNameKey = 0;
    // The folder that enumerated the item: its display name is asked of it when first needed,
    // whatever the list shows by then.
    ComPtr<IShellFolder> sfFolder;
};

// The bytes of a list, its terminator included: what tells one row's item from another's. Two
// items may share a caption, and a caption may pass to another item between two fills.
inline std::string_view PidlBytes(LPCITEMIDLIST pidl) {
    if (!pidl)
        return {};
    return {reinterpret_cast<const char*>(pidl),
            static_cast<size_t>(EnumGlobals::GetPidlSize(pidl))};
}
