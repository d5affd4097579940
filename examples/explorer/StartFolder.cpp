#include "StartFolder.h"

#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <windows.h>
#include <shlobj.h>

using namespace EnumGlobals;

namespace {

enum class TFound { Folder, File, Nothing };

// The desktop parses many paths that name nothing (a drive letter that does not exist binds as a
// folder), so a path on the disk is asked of the file system; only what has no path there, a
// virtual folder, is left to the shell.
TFound Look(const std::string& Path) {
    const DWORD attributes = GetFileAttributesW(Utf8ToWide(Path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TFound::Folder : TFound::File;
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return TFound::Nothing;
    const OwnedPidl parsed = ParsePath(desktop.Get(), nullptr, Path);
    if (!parsed)
        return TFound::Nothing;
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(parsed.Get(), path) && path[0])
        return TFound::Nothing;
    return GetAttributesOfItem(desktop.Get(), parsed.Get(), SFGAO_FOLDER) ? TFound::Folder
                                                                          : TFound::File;
}

} // namespace

std::string ChooseStartFolder(const std::string& Requested, const std::string& Fallback,
                              std::string& Problem) {
    Problem.clear();
    if (Requested.empty())
        return Fallback;
    switch (Look(Requested)) {
    case TFound::Folder:
        return Requested;
    case TFound::File:
        Problem =
            "explorer: \"" + Requested + "\" is not a folder; opening \"" + Fallback + "\" instead";
        return Fallback;
    case TFound::Nothing:
        break;
    }
    Problem = "explorer: the folder \"" + Requested + "\" does not exist; opening \"" + Fallback +
              "\" instead";
    return Fallback;
}
