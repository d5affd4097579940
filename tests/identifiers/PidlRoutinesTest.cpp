#include "identifiers/StringList.h"
#include "identifiers/EnumGlobals.h"
#include "support/CountingMalloc.h"
#include "support/PidlBuilder.h"

#include <gtest/gtest.h>

using namespace EnumGlobals;

namespace {

class PidlRoutines : public testing::Test {
protected:
    LPITEMIDLIST Make(std::initializer_list<std::vector<BYTE>> items) {
        return Keep(MakePidl(items, &malloc));
    }
    // Every list a test makes or receives is freed when the test ends.
    LPITEMIDLIST Keep(LPITEMIDLIST pidl) {
        if (pidl)
            kept.push_back(pidl);
        return pidl;
    }
    void TearDown() override {
        for (LPITEMIDLIST pidl : kept)
            malloc.Free(pidl);
    }

    CountingMalloc malloc;
    std::vector<LPITEMIDLIST> kept;
};

// A list of items of cb 20 and 14.
std::initializer_list<std::vector<BYTE>> TwoItems() {
    static const std::initializer_list<std::vector<BYTE>> items = {std::vector<BYTE>(18, 1),
                                                                   std::vector<BYTE>(12, 2)};
    return items;
}

TEST_F(PidlRoutines, SizeCountsItemsAndTerminator) {
    EXPECT_EQ(GetPidlSize(nullptr), 0);
    EXPECT_EQ(GetPidlSize(Make({})), 2);
    EXPECT_EQ(GetPidlSize(Make(TwoItems())), 36);
}

TEST_F(PidlRoutines, CreatePidlZeroFillsANewBlockAndPassesFailureOn) {
    LPITEMIDLIST block = Keep(CreatePidl(6, &malloc));
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(malloc.Owns(block));
    const auto* bytes = reinterpret_cast<const BYTE*>(block);
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 6), std::vector<BYTE>(6, 0));

    malloc.FailNextAllocation();
    EXPECT_EQ(CreatePidl(6, &malloc), nullptr);
}

TEST_F(PidlRoutines, ConcatJoinsItemsIntoANewBlockLeavingInputsAlone) {
    LPITEMIDLIST a = Make({{1, 2}, {3}});
    LPITEMIDLIST b = Make({{4, 5, 6}});
    LPITEMIDLIST empty = Make({});
    const auto aBefore = PidlBytes(a);

    LPITEMIDLIST joined = Keep(ConcatPidls(a, b, &malloc));
    EXPECT_EQ(PidlBytes(joined), PidlBytes(Make({{1, 2}, {3}, {4, 5, 6}})));
    EXPECT_EQ(GetPidlSize(joined), GetPidlSize(a) + GetPidlSize(b) - 2);
    EXPECT_EQ(PidlBytes(a), aBefore);

    LPITEMIDLIST copy = Keep(ConcatPidls(nullptr, a, &malloc));
    EXPECT_NE(copy, a);
    EXPECT_TRUE(malloc.Owns(copy));
    EXPECT_EQ(PidlBytes(copy), aBefore);
    EXPECT_EQ(PidlBytes(Keep(ConcatPidls(a, empty, &malloc))), aBefore);
    EXPECT_EQ(PidlBytes(Keep(ConcatPidls(empty, a, &malloc))), aBefore);

    malloc.FailNextAllocation();
    EXPECT_EQ(ConcatPidls(a, b, &malloc), nullptr);
}

TEST_F(PidlRoutines, ParentShortensTheInputInPlaceAndReturnsACopy) {
    EXPECT_EQ(GetParentpidl(nullptr, &malloc), nullptr);

    LPITEMIDLIST empty = Make({});
    EXPECT_EQ(GetParentpidl(empty, &malloc), nullptr);
    EXPECT_EQ(GetPidlSize(empty), 2);

    LPITEMIDLIST one = Make({{9, 9}});
    LPITEMIDLIST desktop = Keep(GetParentpidl(one, &malloc));
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(GetPidlSize(desktop), 2);
    EXPECT_EQ(GetPidlSize(one), 2);

    LPITEMIDLIST three = Make({{1}, {2, 2}, {3, 3, 3}});
    LPITEMIDLIST parent = Keep(GetParentpidl(three, &malloc));
    EXPECT_NE(parent, three);
    EXPECT_EQ(PidlBytes(parent), PidlBytes(Make({{1}, {2, 2}})));
    EXPECT_EQ(PidlBytes(three), PidlBytes(parent));
}

TEST_F(PidlRoutines, ParentWhenTheAllocatorFailsHasStillShortenedTheInput) {
    LPITEMIDLIST two = Make({{1}, {2}});
    malloc.FailNextAllocation();
    EXPECT_EQ(GetParentpidl(two, &malloc), nullptr);
    EXPECT_EQ(PidlBytes(two), PidlBytes(Make({{1}})));
}

TEST_F(PidlRoutines, FirstPidlYieldsEachLevelAndRestsOnTheTerminator) {
    LPITEMIDLIST three = Make({{1}, {2, 2}, {3, 3, 3}});
    LPCITEMIDLIST cursor = three;
    EXPECT_EQ(PidlBytes(Keep(GetFirstPidl(cursor, &malloc))), PidlBytes(Make({{1}})));
    EXPECT_EQ(PidlBytes(Keep(GetFirstPidl(cursor, &malloc))), PidlBytes(Make({{2, 2}})));
    LPITEMIDLIST last = Keep(GetFirstPidl(cursor, &malloc));
    EXPECT_EQ(PidlBytes(last), PidlBytes(Make({{3, 3, 3}})));
    // The block holds the item, its terminator and three spare zero bytes.
    EXPECT_EQ(malloc.GetSize(last), 5u + 5u);
    EXPECT_EQ(GetFirstPidl(cursor, &malloc), nullptr);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(cursor),
              reinterpret_cast<const BYTE*>(three) + 3 + 4 + 5);
    EXPECT_EQ(GetPidlSize(three), 14);
}

TEST_F(PidlRoutines, FirstPidlWhenTheAllocatorFailsLeavesTheCursor) {
    LPITEMIDLIST one = Make({{1}});
    LPCITEMIDLIST cursor = one;
    malloc.FailNextAllocation();
    EXPECT_EQ(GetFirstPidl(cursor, &malloc), nullptr);
    EXPECT_EQ(cursor, one);
}

TEST_F(PidlRoutines, PidlAtIndexPointsInsideTheListWithoutAllocating) {
    LPITEMIDLIST three = Make({{1}, {2, 2}, {3, 3, 3}});
    const auto before = PidlBytes(three);
    const int allocations = malloc.Allocations();
    const auto* base = reinterpret_cast<const BYTE*>(three);

    EXPECT_EQ(reinterpret_cast<const BYTE*>(GetPidlAtIndex(three, 0)), base);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(GetPidlAtIndex(three, 1)), base + 3);
    EXPECT_EQ(reinterpret_cast<const BYTE*>(GetPidlAtIndex(three, 2)), base + 7);
    EXPECT_EQ(GetPidlAtIndex(three, 3), nullptr);
    EXPECT_EQ(GetPidlAtIndex(three, 40), nullptr);
    EXPECT_EQ(GetPidlAtIndex(three, -1), nullptr);
    EXPECT_EQ(GetPidlAtIndex(Make({}), 0), nullptr);
    EXPECT_EQ(GetPidlAtIndex(nullptr, 0), nullptr);

    EXPECT_EQ(malloc.Allocations(), allocations + 1); // the empty list made above, nothing else
    EXPECT_EQ(PidlBytes(three), before);
}

TEST_F(PidlRoutines, SubsetIsALeadingRunOfWholeItems) {
    LPITEMIDLIST a = Make({{1, 2}, {3, 4}, {5, 6}});
    LPITEMIDLIST copyOfA = Keep(ConcatPidls(nullptr, a, &malloc));
    LPITEMIDLIST parentOfA = Keep(GetParentpidl(copyOfA, &malloc));
    EXPECT_TRUE(IsPidlSubsetOf(a, Make({})));
    EXPECT_TRUE(IsPidlSubsetOf(a, a));
    EXPECT_TRUE(IsPidlSubsetOf(a, parentOfA));
    EXPECT_FALSE(IsPidlSubsetOf(parentOfA, a));
    EXPECT_FALSE(IsPidlSubsetOf(a, Make({{1, 2}, {3, 9}})));
    // Same bytes, different item boundaries: not the same items.
    EXPECT_FALSE(IsPidlSubsetOf(a, Make({{1, 2, 4, 0, 3}})));
    EXPECT_FALSE(IsPidlSubsetOf(Make({{1, 2, 3, 4, 5, 6, 7, 8}}), Make({{1}, {2}})));
}

TEST_F(PidlRoutines, SameMeansByteForByte) {
    LPITEMIDLIST a = Make({{1, 2}, {3}});
    EXPECT_TRUE(ArePidlsSame(a, Keep(ConcatPidls(nullptr, a, &malloc))));
    EXPECT_FALSE(ArePidlsSame(a, Make({{1, 2}, {4}})));
    EXPECT_FALSE(ArePidlsSame(a, Make({{1, 2}})));
    EXPECT_FALSE(ArePidlsSame(a, Make({{1}, {2, 3}})));
    EXPECT_TRUE(ArePidlsSame(Make({}), Make({})));
}

TEST_F(PidlRoutines, ListPidlPrintsOneLinePerDataByte) {
    TStringList lines;
    lines.Add("left over");
    ListPidl(Make({{7, 255}}), lines);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0], "0) 4 - 7");
    EXPECT_EQ(lines[1], "1) 4 - 255");

    ListPidl(Make({{1}, {2}}), lines);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[1], "1) 3 - 2");

    ListPidl(Make({}), lines);
    EXPECT_EQ(lines.Count(), 0);
}

} // namespace
