#pragma once

// What a view does with files dropped onto one of its folders (or pasted there): copied or moved
// through the shell's file operation, or linked by shortcuts that never take an existing file's
// name. Tree and list call the same routine, so a drop means the same whichever view takes it.

#include <windows.h>

#include <string>

class TStringList;

namespace FileDrop {

// Copies (DROPEFFECT_COPY), moves (DROPEFFECT_MOVE) or links (DROPEFFECT_LINK) Files, which come
// from the folder SourcePath, into the folder Destination (a path ending in a backslash), with
// Owner as the window of the shell's dialogs. Answers the effect performed: DROPEFFECT_NONE when
// the drop is refused (DropRules), no shortcut could be written, or Operation is none; any other
// operation copies.
int DropFiles(HWND Owner, int Operation, const TStringList& Files, const std::string& Destination,
              const std::string& SourcePath);

} // namespace FileDrop
