#pragma once

// The texts of the folder list's detail columns, made from a row's record. Free of any window:
// each is a plain function of what the fill found.

#include "list/ItemData.h"

#include <string>

namespace ColumnTexts {

// "0KB" for nothing or less, "1KB" up to 1023 bytes, else whole kilobytes rounded down; empty
// for a folder and for an item whose details were not found.
std::string SizeText(const TItemData& Data);
std::string SizeText(int64_t iSize);
// Five characters HSRAD, a "." for each attribute not set; "....." without a file on disk.
std::string AttributesText(const TItemData& Data);
// The text of a name from its last "." to its end, dot included; empty without a dot.
std::string ExtensionOf(const std::wstring& FileName);
// The system default locale's short date, a blank and its time without seconds; empty when the
// item's details were not found.
std::string ModifiedText(const TItemData& Data);
std::string ModifiedText(const SYSTEMTIME& Date);
// The Type text of an item outside the file system: the bin's own name for an item captioned
// "Recycled" (whatever its case), "System Folder" for every other.
std::string VirtualTypeText(const std::string& Caption);

} // namespace ColumnTexts
