#include "identifiers/StringList.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace EnumGlobals;

namespace {

TEST(MatchWildCard, PlainMasks) {
    EXPECT_TRUE(MatchWildCard("readme.txt", "*.txt"));
    EXPECT_FALSE(MatchWildCard("readme.txy", "*.txt"));
    EXPECT_TRUE(MatchWildCard("README.TXT", "*.txt"));
    EXPECT_TRUE(MatchWildCard("readme.txt", "README.*"));
    for (const char* mask : {"*", "abc*", "abc**", "a?c", "*abc"})
        EXPECT_TRUE(MatchWildCard("abc", mask)) << mask;
    EXPECT_FALSE(MatchWildCard("ab", "abc"));
    EXPECT_FALSE(MatchWildCard("abcd", "abc"));
    EXPECT_FALSE(MatchWildCard("abc", "a?"));
}

TEST(MatchWildCard, StarsTakeWhateverRunMakesTheMatch) {
    EXPECT_TRUE(MatchWildCard("notes.v2.txt", "*.txt"));
    EXPECT_TRUE(MatchWildCard("jquery.min.js", "*.js"));
    EXPECT_TRUE(MatchWildCard("a.b.c", "*.c"));
    EXPECT_TRUE(MatchWildCard("abcbc", "*bc"));
    EXPECT_TRUE(MatchWildCard("abcbc", "*c"));
    EXPECT_TRUE(MatchWildCard("aaa", "*a"));
    EXPECT_TRUE(MatchWildCard("abc", "a*b*c"));
    EXPECT_TRUE(MatchWildCard("ac", "a*c"));
    EXPECT_FALSE(MatchWildCard("abcbd", "*bc"));
    EXPECT_FALSE(MatchWildCard("a.b.c", "*.d"));
}

TEST(MatchWildCard, QuestionMarksCountExactlyOneCharacter) {
    EXPECT_FALSE(MatchWildCard("b", "*?b"));
    EXPECT_TRUE(MatchWildCard("ab", "*?b"));
    EXPECT_TRUE(MatchWildCard("xyzb", "*??b"));
    EXPECT_FALSE(MatchWildCard("zb", "*??b"));
    // One character is one code point, however many bytes it takes.
    EXPECT_TRUE(MatchWildCard("\xCE\xA9.txt", "?.txt")); // Ω.txt
    EXPECT_FALSE(MatchWildCard("\xCE\xA9.txt", "??.txt"));
    EXPECT_TRUE(MatchWildCard("\xF0\x9F\x98\x80", "?")); // one emoji, four bytes
}

TEST(MatchWildCard, EmptyInputsAndFolding) {
    EXPECT_FALSE(MatchWildCard("", "*"));
    EXPECT_FALSE(MatchWildCard("abc", ""));
    EXPECT_FALSE(MatchWildCard("", ""));
    // Only A to Z fold; other letters compare as they are.
    EXPECT_FALSE(MatchWildCard("\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9")); // Été vs été
    EXPECT_TRUE(MatchWildCard("\xC3\xA9T\xC3\xA9", "\xC3\xA9t\xC3\xA9"));
    EXPECT_FALSE(MatchWildCard("a[b", "A{B"));
}

TEST(MatchWildCard, ManyStarsAgainstALongNameStayFast) {
    const std::string name(255, 'a');
    const std::string mask = std::string(40, '*') + "a*a*a*a*a*a*a*a*a*a*b";
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i)
        ASSERT_FALSE(MatchWildCard(name, mask));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(500));
    EXPECT_TRUE(MatchWildCard(name + "b", mask));
}

TEST(StrGetToken, WalksTheTokensAndStops) {
    int pos = 1;
    EXPECT_EQ(StrGetToken("*.pas;*.dpr", ";", pos), "*.pas");
    EXPECT_EQ(pos, 7);
    EXPECT_EQ(StrGetToken("*.pas;*.dpr", ";", pos), "*.dpr");
    EXPECT_EQ(pos, -1);
    EXPECT_EQ(StrGetToken("*.pas;*.dpr", ";", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(StrGetToken, EdgesOfTheText) {
    int pos = 1;
    EXPECT_EQ(StrGetToken("a;", ";", pos), "a");
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(StrGetToken("a;", ";", pos), "");
    EXPECT_EQ(pos, 3);

    pos = 1;
    EXPECT_EQ(StrGetToken(";a", ";", pos), "");
    EXPECT_EQ(pos, 2);

    pos = 0;
    EXPECT_EQ(StrGetToken("abc", ";", pos), "");
    EXPECT_EQ(pos, 0);
    pos = 1;
    EXPECT_EQ(StrGetToken("", ";", pos), "");
    EXPECT_EQ(pos, 1);
}

TEST(BreakUpStringList, BytesAndWideCharacters) {
    TStringList list;
    EXPECT_EQ(BreakUpStringList(list), std::vector<char>{0});
    EXPECT_EQ(BreakUpStringListW(list), std::vector<wchar_t>{0});

    list.Add("a");
    list.Add("bc");
    EXPECT_EQ(BreakUpStringList(list), (std::vector<char>{'a', 0, 'b', 'c', 0, 0}));
    EXPECT_EQ(BreakUpStringListW(list), (std::vector<wchar_t>{L'a', 0, L'b', L'c', 0, 0}));

    TStringList names;
    names.Add("C:\\t\\\xCE\xA9 1.txt");
    names.Add("C:\\t\\a 1.txt");
    const std::wstring expected =
        std::wstring(L"C:\\t\\\u03A9 1.txt") + L'\0' + L"C:\\t\\a 1.txt" + L'\0' + L'\0';
    const auto wide = BreakUpStringListW(names);
    EXPECT_EQ(std::wstring(wide.begin(), wide.end()), expected);
    EXPECT_EQ(names.Count(), 2);
}

TEST(EnsureBackSlash, AppendsOnlyWhenMissing) {
    EXPECT_EQ(EnsureBackSlash("C:"), "C:\\");
    EXPECT_EQ(EnsureBackSlash("C:\\"), "C:\\");
    EXPECT_EQ(EnsureBackSlash(""), "\\");
    EXPECT_EQ(EnsureBackSlash("C:/"), "C:/\\");
}

TEST(ContainsPoint, AllFourEdgesAreInside) {
    const RECT r{10, 10, 20, 20};
    EXPECT_TRUE(ContainsPoint(r, POINT{20, 20}));
    EXPECT_TRUE(ContainsPoint(r, POINT{10, 15}));
    EXPECT_FALSE(ContainsPoint(r, POINT{21, 15}));
    EXPECT_FALSE(ContainsPoint(r, POINT{15, 9}));
    EXPECT_TRUE(ContainsPoint(RECT{-20, -20, -10, -10}, POINT{-15, -10}));
}

TEST(WidePath, AcceptsWhatFitsTheBufferAndRefusesRatherThanCut) {
    std::wstring path;
    const std::string fits = "C:\\" + std::string(MAX_PATH - 4, 'a'); // 259 units and the zero
    EXPECT_TRUE(WidePath(fits, path));
    EXPECT_EQ(path.size(), MAX_PATH - 1u);
    EXPECT_FALSE(WidePath(fits + "a", path)) << "one more unit leaves no room for the zero";

    // Counted in UTF-16 units, not in bytes: two-byte characters fit as one unit, a character
    // beyond the basic plane takes two.
    std::string accented = "C:\\";
    for (int i = 0; i < MAX_PATH - 4; ++i)
        accented += "\xc3\xa9";
    EXPECT_TRUE(WidePath(accented, path));
    EXPECT_EQ(path[3], L'\x00e9');
    std::string astral = "C:\\" + std::string(MAX_PATH - 5, 'a') + "\xf0\x9f\x98\x80";
    EXPECT_FALSE(WidePath(astral, path)) << "a pair split at the limit would be another name";

    EXPECT_TRUE(WidePath("", path));
    EXPECT_TRUE(path.empty());
}

TEST(WideNewName, RefusesANameWhoseFullPathWouldNotFitRatherThanCutIt) {
    std::wstring name;
    // "C:\Data", a backslash, the name and the zero: MAX_PATH in all.
    const std::string fits(MAX_PATH - 1 - 8, 'n');
    EXPECT_TRUE(WideNewName("C:\\Data", fits, name));
    EXPECT_EQ(name, Utf8ToWide(fits));
    EXPECT_FALSE(WideNewName("C:\\Data", fits + "n", name));
    // A drive's root brings its own backslash.
    EXPECT_TRUE(WideNewName("C:\\", std::string(MAX_PATH - 1 - 3, 'n'), name));
    EXPECT_FALSE(WideNewName("C:\\", std::string(MAX_PATH - 3, 'n'), name));
    // Folder and name are counted in UTF-16 units.
    std::string accented = "C:\\";
    for (int i = 0; i < 4; ++i)
        accented += "\xc3\xa9";
    EXPECT_TRUE(WideNewName(accented, std::string(MAX_PATH - 1 - 8, 'n'), name));
    EXPECT_FALSE(WideNewName(accented, std::string(MAX_PATH - 8, 'n'), name));
    // A folder without a path: the name alone must fit.
    EXPECT_TRUE(WideNewName("", std::string(MAX_PATH - 1, 'n'), name));
    EXPECT_FALSE(WideNewName("", std::string(MAX_PATH, 'n'), name));
}

} // namespace
