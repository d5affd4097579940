#pragma once

#include "identifiers/EnumGlobals.h"

#include <initializer_list>
#include <ostream>
#include <vector>

// Builds identifier lists for tests from the data bytes of each item: MakePidl({{1, 2}, {3}})
// is a list of two items of cb 4 and 3. The list comes from `allocator` and is the caller's.
LPITEMIDLIST MakePidl(std::initializer_list<std::vector<BYTE>> items, IMalloc* allocator);

// The bytes of a list, terminator included, for comparisons that read well when they fail.
std::vector<BYTE> PidlBytes(LPCITEMIDLIST pidl);

// How a failing assertion shows a list: each item's data bytes in hex, "{01 02} {03}", "{}" for
// the desktop's empty list, "null" for none. A list that runs on past 4096 bytes or has an item
// too short to be one is shown up to that point and marked.
void PrintTo(const ITEMIDLIST* pidl, std::ostream* os);
void PrintTo(ITEMIDLIST* pidl, std::ostream* os);
