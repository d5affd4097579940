#include "identifiers/EnumGlobals.h"

namespace EnumGlobals {

namespace {

// Splits UTF-8 into code points so that "?" stands for one character, not one byte. Letters are
// folded by the ASCII rule only; every other character compares as it is. A byte that starts no
// valid sequence stands for itself.
std::u32string FoldedCodePoints(const std::string& s) {
    std::u32string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        size_t length = lead < 0x80             ? 1
                        : (lead & 0xE0) == 0xC0 ? 2
                        : (lead & 0xF0) == 0xE0 ? 3
                        : (lead & 0xF8) == 0xF0 ? 4
                                                : 1;
        if (i + length > s.size())
            length = 1;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) {
                length = 1;
                c = lead;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (c >= U'A' && c <= U'Z')
            c += U'a' - U'A';
        out.push_back(c);
        i += length;
    }
    return out;
}

} // namespace

// "*" matches any run of characters, the empty run included; "?" matches exactly one. On a
// mismatch after a star, the star takes one more character and the match resumes: at most
// length(name) x length(mask) steps, however many stars the mask holds.
bool MatchWildCard(const std::string& sFileName, const std::string& sWildCard) {
    if (sFileName.empty() || sWildCard.empty())
        return false;
    const std::u32string s = FoldedCodePoints(sFileName);
    const std::u32string w = FoldedCodePoints(sWildCard);

    size_t i = 0, j = 0;
    size_t starMask = std::u32string::npos; // mask position after the last star seen
    size_t starName = 0;                    // name position that star's run currently ends at
    while (i < s.size()) {
        if (j < w.size() && w[j] == U'*') {
            starMask = ++j;
            starName = i;
        } else if (j < w.size() && (w[j] == U'?' || w[j] == s[i])) {
            ++i;
            ++j;
        } else if (starMask != std::u32string::npos) {
            j = starMask;
            i = ++starName;
        } else {
            return false;
        }
    }
    while (j < w.size() && w[j] == U'*')
        ++j;
    return j == w.size();
}

} // namespace EnumGlobals
