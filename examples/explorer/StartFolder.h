#pragma once

#include <string>

// The folder the explorer opens: Requested when it names a folder (a path, or the parsing name of
// a virtual folder such as My Computer), else Fallback. Empty Requested is no request. A request
// that names nothing there, or a file, leaves Problem one line saying so and naming both folders;
// otherwise Problem is empty.
std::string ChooseStartFolder(const std::string& Requested, const std::string& Fallback,
                              std::string& Problem);
