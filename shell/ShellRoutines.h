#pragma once

// The unit EnumGlobals, shell half: the routines through which the views reach shell folders,
// run shell commands, carry out file operations and read dropped file lists. Each wraps one or two
// platform calls and turns their answers into plain values. Failures are reported by the results
// only (a null folder, false, an empty string, 0); nothing is thrown and nothing is shown.
//
// Strings are UTF-8. Identifier lists are never taken over: a routine that is given a list leaves
// it to its owner. Every folder or data object handed out is a counted reference the caller holds.

#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/OwnedPidl.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

class TStringList;

namespace EnumGlobals {

// Folder access.

// Binds a fully qualified list to its folder. `Result` is null when `pidl` is null or the shell
// cannot bind it.
void BindToDesktopFolder(LPCITEMIDLIST pidl, ComPtr<IShellFolder>& Result);
// Binds a list relative to `Folder`. `Result` is null when either argument is null or binding
// fails.
void BindToFolder(LPCITEMIDLIST pidl, IShellFolder* Folder, ComPtr<IShellFolder>& Result);
// The desktop's fully qualified list for a path, with Owner as the window of any dialog; empty
// when the path does not parse or does not fit the platform's buffer (it is never cut short: a
// shortened path may name another folder).
OwnedPidl ParsePath(IShellFolder* Desktop, HWND Owner, const std::string& Path);
// The object's display name for `Flags` (SHGDN_*). False, with `Name` empty, when the folder
// cannot name it.
bool GetNiceName(IShellFolder* ShellFolder, LPCITEMIDLIST IDList, DWORD Flags, std::string& Name);
// Reads a display-name answer the caller already holds; `pidl` is the list it was asked about
// (the base of an offset answer). A wide answer stays the caller's to free.
void GetStrRetStr(LPCITEMIDLIST pidl, const STRRET& lpName, std::string& Result);
// The object's type name, as the shell shows it in its type column.
void GetItemName(LPCITEMIDLIST pidl, std::string& Result);
// The object's index in the system image list, for the SHGetFileInfo flags given (SHGFI_PIDL is
// implied). kNoIconIndex when the shell knows no icon.
int GetIconIndex(LPCITEMIDLIST IDList, UINT Flags);
int GetSmallIconIndex(LPCITEMIDLIST pidl);
int GetOpenSmallIconIndex(LPCITEMIDLIST pidl);
void GetNormalAndSelectedIcons(LPCITEMIDLIST IDList, int& Normal, int& Selected);
// True when the object has at least one of the bits of `ulAttrs`.
bool HasAttribute(IShellFolder* pFolder, LPCITEMIDLIST pidl, SFGAOF ulAttrs);
// The same for a fully qualified list of any depth.
bool HasAttributeFQ(LPCITEMIDLIST FQPidl, SFGAOF ulAttrs);
// The bits of `ulAttrs` that the object named by `pidl` has; `pidl` is relative to `Folder` and of
// any depth (fully qualified when `Folder` is the desktop). The folder that holds the list's last
// item is asked: a folder asked about a deeper list may answer for the list's first item (Wine's
// desktop does). 0 when that folder cannot be bound or does not answer.
SFGAOF GetAttributesOfItem(IShellFolder* Folder, LPCITEMIDLIST pidl, SFGAOF ulAttrs);
bool AttributeExists(SFGAOF ulAttribs, SFGAOF ulAttrib);
// Whether two lists relative to `Folder` name one object: the same bytes, or else the folder's own
// comparison. A parsed list and the enumerated list of one item may differ in their bytes (the
// shell keeps times and sizes in them), so bytes alone miss the match.
bool AreItemsSame(IShellFolder* Folder, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
// The desktop's comparison of two fully qualified lists: 0 when they name one object. A null list
// compares as the same object.
int Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2);

inline constexpr int kNoIconIndex = 0;

// The icon and type-name answers above are remembered per kind of item (see ShellInfoCache.h).
// Forgets them, for when file associations have changed.
void FlushShellInfoCache();

// Commands and file operations.

// Runs the default command of the items (what a double-click does) without showing a menu.
void InvokeDefaultVerb(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls);
// Shows the items' context menu (the explorer's, CMF_EXPLORE) at a point of the screen, owned by
// Wnd, and runs the command chosen with Wnd as its window. Nothing is run when the menu is
// dismissed, or when the folder offers no menu.
void ShowContextMenu(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls,
                     POINT Screen);
// Runs the named command ("Delete", "properties", ...) of the items without showing a menu.
void InvokeMenuVerb(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls,
                    const std::string& Verb);
// Moves (1), copies (2) or deletes (3) the files through the shell, with its dialogs and undo.
// False only for another operation code.
bool PerformFileOperation(HWND hWnd, UINT Operation, const TStringList& SourceFiles,
                          const std::string& szDestPath);
// Writes a shortcut to `lpszPathObj` exactly at `lpszPathLink`; the platform's result code.
HRESULT CreateLink(const std::string& lpszPathObj, const std::string& lpszPathLink,
                   const std::string& lpszDesc);

// Data transfer.

void SetDefFormatEtc(FORMATETC& fe, CLIPFORMAT cf, DWORD med);
// Appends the dropped file paths to `SourceFiles`; false when the object offers no file list.
bool GetFilesFromDataObject(IDataObject* DataObject, TStringList& SourceFiles);
// The directory (with its trailing "\") of the first dropped path; empty when there is none.
void GetSourcePathFromDataObject(IDataObject* DataObject, std::string& Result);

} // namespace EnumGlobals
