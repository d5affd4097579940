#pragma once

// The unit EnumGlobals: routines shared by the three views. This header holds the routines that
// work on identifier lists as bytes and the text and geometry helpers; none of them talks to the
// shell. Every list a routine returns is a new block from the allocator the caller passes in, and
// is the caller's to free with that allocator. A routine never takes over a list it is given.

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

class TStringList;

namespace EnumGlobals {

// Identifier lists.
int GetPidlSize(LPCITEMIDLIST pidl);
LPITEMIDLIST CreatePidl(UINT Size, IMalloc* FShellMalloc);
LPITEMIDLIST ConcatPidls(LPCITEMIDLIST ID1, LPCITEMIDLIST ID2, IMalloc* FShellMalloc);
// Shortens `pidl` in place to its parent and returns a new copy of that parent.
LPITEMIDLIST GetParentpidl(LPITEMIDLIST pidl, IMalloc* ShellMalloc);
// Copies the item under the cursor into a new one-item list and moves the cursor to the next item.
LPITEMIDLIST GetFirstPidl(LPCITEMIDLIST& Pidl, IMalloc* ShellMalloc);
// The item at a zero-based index, as a pointer into `Pidl` itself (nothing is allocated).
LPCITEMIDLIST GetPidlAtIndex(LPCITEMIDLIST Pidl, int Index);
// The number of items before the terminator; 0 for the empty list and for none.
int GetPidlCount(LPCITEMIDLIST Pidl);
bool IsPidlSubsetOf(LPCITEMIDLIST Mainpidl, LPCITEMIDLIST SubPidl);
bool ArePidlsSame(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
void ListPidl(LPCITEMIDLIST Pidl, TStringList& aStrings);

// Text and geometry.
bool MatchWildCard(const std::string& sFileName, const std::string& sWildCard);
std::string StrGetToken(const std::string& sString, const std::string& sDelimeter, int& nPos);
// The strings one after another, each ended by a zero, and one more zero after the last.
std::vector<char> BreakUpStringList(const TStringList& StringList);
// The same list in UTF-16, as the platform's W file operation reads it.
std::vector<wchar_t> BreakUpStringListW(const TStringList& StringList);
std::string EnsureBackSlash(const std::string& szPath);
bool ContainsPoint(const RECT& Rect, const POINT& Point);

} // namespace EnumGlobals
