#pragma once

// Captions for a fill's rows from the names its directory scan read, where the shell's display
// name is proven to be that name.
//
// A display name costs the shell tens of microseconds per item, seconds for a large folder. But
// the shell names an ordinary file after its name on disk, with or without its extension, and
// which of the two depends on the extension alone (the user's setting for known types, a type
// that always or never shows its extension); it names an ordinary folder after its name. So the
// first item of each kind (folder or file, and the extension as written) is asked, and its
// answer sets the rule for the rest of its kind: the name on disk, the name without its
// extension, or (for anything else) the shell asked item by item. Items the shell may name
// otherwise are always asked: system files and folders, read-only folders (both may be
// customised), junctions named after a class (".{"), everything in a folder that holds a
// desktop.ini (it may rename any of its items), and every item not found on disk.

#include "list/DirectoryScan.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <unordered_map>

class TNameStandIns {
public:
    // For the items of Folder, whose directory Scan read.
    TNameStandIns(IShellFolder* Folder, const TDirectoryScan& Scan);

    // The caption of the item Child, found on disk as Entry; nothing when the shell must be
    // asked for it. The first item of a kind is asked here, once.
    std::optional<std::string> CaptionOf(LPCITEMIDLIST Child, const TFoundEntry& Entry);

private:
    enum class TRule { AskShell, FileName, WithoutExtension };

    IShellFolder* m_Folder;
    bool m_bCustomised;
    std::unordered_map<std::string, TRule> m_Rules;
};
