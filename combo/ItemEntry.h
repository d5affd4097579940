#pragma once

#include "identifiers/ComPtr.h"
#include "identifiers/OwnedPidl.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

// One entry of the namespace combo: entry i belongs to item i of the combo box. Made only of
// holders, so deleting an entry releases its folder and frees both lists through the allocator
// they came from.
struct TItemEntry {
    // The folder pPidl is relative to; none for the desktop entry.
    ComPtr<IShellFolder> sfFolder;
    // The entry's item relative to sfFolder (a private copy); none for the desktop entry.
    OwnedPidl pPidl;
    // The entry's list from the desktop (a private copy); the desktop's own, empty list for the
    // desktop entry.
    OwnedPidl pFQPidl;
    // Indentation level: 1 for the desktop, 2 for its folders, 4 for the drives, 6, 8, ... for
    // the folders below the current drive.
    int iLevel = 0;
    // Indexes in the small system image list: the open icon drawn while the entry is selected,
    // and the normal one.
    int iSelImageIndex = 0;
    int iImageIndex = 0;
    // The file-system path of pFQPidl; empty for a virtual folder.
    std::string sFQPath;
    // What is drawn for the entry; the combo's own item string is a blank.
    std::string sCaption;
};
