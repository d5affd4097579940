// Performing a drop: the shell's copy or move, or shortcuts under names still free.

#include "dragdrop/FileDrop.h"

#include "dragdrop/DropRules.h"
#include "identifiers/StringList.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <shellapi.h>

#include <vector>

using namespace EnumGlobals;

namespace FileDrop {

namespace {

bool FileExists(const std::string& Path) {
    return GetFileAttributesW(Utf8ToWide(Path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

int DropFiles(HWND Owner, int Operation, const TStringList& Files, const std::string& Destination,
              const std::string& SourcePath) {
    if (Operation == DROPEFFECT_NONE || Files.Count() == 0)
        return DROPEFFECT_NONE;
    std::vector<std::string> sources;
    for (int i = 0; i < Files.Count(); ++i)
        sources.push_back(Files[i]);
    if (DropRules::RefusesDrop(Destination, SourcePath, sources, Operation))
        return DROPEFFECT_NONE;
    if (Operation == DROPEFFECT_LINK) {
        bool linked = false;
        for (const std::string& source : sources) {
            const std::string name = DropRules::ShortcutBaseName(source);
            const std::string link = DropRules::FreeShortcutPath(Destination, name, FileExists);
            if (!link.empty() &&
                SUCCEEDED(CreateLink(source, link, DropRules::ShortcutDescription(name))))
                linked = true;
        }
        return linked ? DROPEFFECT_LINK : DROPEFFECT_NONE;
    }
    const bool move = Operation == DROPEFFECT_MOVE;
    PerformFileOperation(Owner, move ? FO_MOVE : FO_COPY, Files, Destination);
    return move ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

} // namespace FileDrop
