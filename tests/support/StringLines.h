#pragma once

#include "identifiers/StringList.h"

#include <string>
#include <vector>

// The strings of a list as a vector, for container matchers.
inline std::vector<std::string> Lines(const TStringList& list) {
    return {list.begin(), list.end()};
}
