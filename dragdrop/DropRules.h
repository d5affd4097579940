#pragma once

// What a view's drop handler decides from paths alone: which drops are refused, and the names of
// the shortcuts a link drop writes. Paths are UTF-8 file-system paths with backslashes.

#include <functional>
#include <string>
#include <vector>

namespace DropRules {

// Whether two paths name one folder: compared by whole components and ignoring case, as the file
// system does; a trailing backslash makes no difference ("C:\Data\" is "c:\data").
bool SamePath(const std::string& Path1, const std::string& Path2);
// Whether Path is Folder itself or lies anywhere below it ("C:\Data\x" is below "C:\Data", while
// "C:\Database" is not).
bool IsSameOrBelow(const std::string& Path, const std::string& Folder);

// Whether dropping Sources, which come from the folder SourcePath, into Destination with the drop
// effect Operation is refused: files are never copied or moved back into the folder they come
// from (the shell does nothing, or stops in a dialog), and a folder never goes into itself or a
// folder below it (the shell would report success and do nothing, or worse). Shortcuts may go
// beside what they lead to (DROPEFFECT_LINK, 4), never into a dragged folder.
bool RefusesDrop(const std::string& Destination, const std::string& SourcePath,
                 const std::vector<std::string>& Sources, int Operation = 0);

// The name a shortcut to Source is called after: the name after the last backslash without its
// extension (the whole name when nothing is left before the extension); a drive's letter for the
// drive's root ("C" for "C:\").
std::string ShortcutBaseName(const std::string& Source);

// The first link file in the folder Destination (ending in a backslash) that Exists does not
// report: "Shortcut to Report.lnk", then "Shortcut (2) to Report.lnk", "Shortcut (3) to ...".
// Empty when no such path fits the platform's MAX_PATH (a shortened name could land on another
// file) or a thousand are taken.
std::string FreeShortcutPath(const std::string& Destination, const std::string& BaseName,
                             const std::function<bool(const std::string&)>& Exists);

// "Shortcut to " and the base name: the shortcut's description.
std::string ShortcutDescription(const std::string& BaseName);

} // namespace DropRules
