#pragma once

// The bench's test folder: a folder on drive C holding many files of about ten extensions (some
// programs, shortcuts and internet shortcuts among them) and 200 subfolders.

#include <windows.h>
#include <shlobj.h>

#include "identifiers/ComPtr.h"

#include <string>

namespace BenchFolder {

constexpr int kFolders = 200;

// Makes the folder `Dir` with `Count` files; false when any of it could not be made.
bool Make(const std::wstring& Dir, int Count);
// Removes what Make made (whatever part of it exists).
void Remove(const std::wstring& Dir, int Count);
// The shell folder of a path, or null.
ComPtr<IShellFolder> Bind(const std::wstring& Dir);

} // namespace BenchFolder
