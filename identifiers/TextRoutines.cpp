#include "identifiers/EnumGlobals.h"

#include "identifiers/WideText.h"
#include "identifiers/StringList.h"

namespace EnumGlobals {

std::string StrGetToken(const std::string& sString, const std::string& sDelimeter, int& nPos) {
    if (nPos <= 0 || nPos > static_cast<int>(sString.size()))
        return {};
    const std::string rest = sString.substr(static_cast<size_t>(nPos) - 1);
    const size_t at = rest.find(sDelimeter);
    if (at == std::string::npos) {
        nPos = -1;
        return rest;
    }
    // `at` counts from 0; the position moves just past the delimiter's first character.
    nPos += static_cast<int>(at) + 1;
    return rest.substr(0, at);
}

namespace {

template <typename Char, typename Convert>
std::vector<Char> DoubleZeroList(const TStringList& strings, Convert convert) {
    std::vector<Char> block;
    for (const std::string& s : strings) {
        const auto text = convert(s);
        block.insert(block.end(), text.begin(), text.end());
        block.push_back(Char{0});
    }
    block.push_back(Char{0});
    return block;
}

} // namespace

std::vector<char> BreakUpStringList(const TStringList& StringList) {
    return DoubleZeroList<char>(StringList,
                                [](const std::string& s) -> const std::string& { return s; });
}

std::vector<wchar_t> BreakUpStringListW(const TStringList& StringList) {
    return DoubleZeroList<wchar_t>(StringList, [](const std::string& s) { return Utf8ToWide(s); });
}

std::string EnsureBackSlash(const std::string& szPath) {
    if (!szPath.empty() && szPath.back() == '\\')
        return szPath;
    return szPath + '\\';
}

bool ContainsPoint(const RECT& Rect, const POINT& Point) {
    return Rect.left <= Point.x && Point.x <= Rect.right && Rect.top <= Point.y &&
           Point.y <= Rect.bottom;
}

} // namespace EnumGlobals
