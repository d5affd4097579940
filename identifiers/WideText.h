#pragma once

#include <string>
#include <string_view>

// The package keeps text as UTF-8; the platform's W calls take UTF-16. These convert at that
// boundary. Invalid sequences become U+FFFD rather than being dropped.
std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);
// Bytes in the ANSI code page (what the shell hands back in some answers) to UTF-8.
std::string AnsiToUtf8(std::string_view s);
// A path in UTF-16 for the platform, false when it is longer than MAX_PATH allows: cut short, it
// could name another folder, or split a character in two.
bool WidePath(std::string_view Path, std::wstring& Result);
// The new name of an item renamed inside the folder FolderPath, in UTF-16 for the shell; false
// when the item's new full path (the folder, a backslash, the name and the terminator) would not
// fit MAX_PATH. FolderPath is empty for a folder with no path (a virtual one): the name alone
// must fit then. The shell would cut a destination that does not fit to another, shorter name.
bool WideNewName(std::string_view FolderPath, std::string_view Name, std::wstring& Result);
