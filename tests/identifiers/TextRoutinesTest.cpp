#include "identifiers/StringList.h"
#include "identifiers/EnumGlobals.h"

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

} // namespace
