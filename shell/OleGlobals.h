#pragma once

// The unit OleGlobals: the routines the drop target and the property command use, with the unit's
// own reference to the shell allocator. Routines it shares with EnumGlobals are the same routines
// under a second name.

#include "identifiers/Holders.h"
#include "shell/ShellRoutines.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace OleGlobals {

// The unit's counted reference to the shell allocator: taken by the first Initialize, released by
// the Finalize that brings the count back to zero. The package initialises the unit once at load.
extern IMalloc* g_ShellMalloc;
void Initialize();
void Finalize();

// A new counted reference to g_ShellMalloc (null before the unit is initialised).
ComPtr<IMalloc> GetShellMalloc();

using EnumGlobals::GetFilesFromDataObject;
using EnumGlobals::GetSourcePathFromDataObject;
using EnumGlobals::InvokeMenuVerb;
using EnumGlobals::SetDefFormatEtc;

// Shows the property sheet of the file-system object at `sObjectName`. False when the path does not
// lead to an object; true once the command has been sent.
bool DisplayProperties(HWND hWindow, const std::string& sObjectName);
// The shell's data object for the file-system object at `sObjectName`.
bool GetDataObjectOf(HWND hWindow, const std::string& sObjectName, ComPtr<IDataObject>& DataObject);
// The small shell icon of the path, the caller's to keep; empty when the shell knows none.
OwnedIcon ExtractObjectIcon(const std::string& sObjectName);

} // namespace OleGlobals
