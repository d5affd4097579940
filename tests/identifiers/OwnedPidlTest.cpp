#include "identifiers/OwnedPidl.h"
#include "support/CountingMalloc.h"
#include "support/PidlBuilder.h"

#include <gtest/gtest.h>

namespace {

TEST(OwnedPidl, FreesThroughItsAllocatorOnEveryPath) {
    CountingMalloc malloc;
    {
        OwnedPidl held(OwnedPidl::Adopt, MakePidl({{1}}, &malloc), &malloc);
        OwnedPidl moved = std::move(held);
        EXPECT_FALSE(held);
        EXPECT_TRUE(moved);
        EXPECT_EQ(malloc.LiveBlocks(), 1);

        moved.Reset(MakePidl({{2}}, &malloc));
        EXPECT_EQ(malloc.LiveBlocks(), 1);

        OwnedPidl other(OwnedPidl::Adopt, MakePidl({{3}}, &malloc), &malloc);
        other = std::move(moved);
        EXPECT_EQ(malloc.LiveBlocks(), 1);
        EXPECT_EQ(PidlBytes(other.Get()), (std::vector<BYTE>{3, 0, 2, 0, 0}));

        // An out-parameter frees the old list before the new one is written.
        LPITEMIDLIST* slot = other.Put();
        EXPECT_EQ(malloc.LiveBlocks(), 0);
        *slot = MakePidl({{4}}, &malloc);
    }
    EXPECT_EQ(malloc.LiveBlocks(), 0);

    OwnedPidl given(OwnedPidl::Adopt, MakePidl({{5}}, &malloc), &malloc);
    LPITEMIDLIST raw = given.Release();
    EXPECT_FALSE(given);
    EXPECT_EQ(malloc.LiveBlocks(), 1);
    malloc.Free(raw);
}

TEST(OwnedPidl, UsesTheShellAllocatorByDefault) {
    ASSERT_NE(g_ShellMalloc, nullptr);
    OwnedPidl held(OwnedPidl::Adopt, EnumGlobals::CreatePidl(2, g_ShellMalloc));
    EXPECT_EQ(held.Allocator(), g_ShellMalloc);
    EXPECT_EQ(g_ShellMalloc->DidAlloc(held.Get()), 1);
}

TEST(PidlPrinting, FailuresShowEachItemsBytes) {
    CountingMalloc malloc;
    OwnedPidl two(OwnedPidl::Adopt, MakePidl({{1, 0xAB}, {3}}, &malloc), &malloc);
    OwnedPidl empty(OwnedPidl::Adopt, MakePidl({}, &malloc), &malloc);
    EXPECT_EQ(testing::PrintToString(two.Get()), "{01 AB} {03}");
    EXPECT_EQ(testing::PrintToString(static_cast<LPCITEMIDLIST>(two.Get())), "{01 AB} {03}");
    EXPECT_EQ(testing::PrintToString(empty.Get()), "{}");
    EXPECT_EQ(testing::PrintToString(static_cast<LPCITEMIDLIST>(nullptr)), "null");

    // An item whose length cannot be one is shown up to there, not read past.
    const BYTE broken[] = {3, 0, 7, 1, 0, 0, 0};
    EXPECT_EQ(testing::PrintToString(reinterpret_cast<LPCITEMIDLIST>(broken)),
              "{07} <bad item of cb 1>");
}

} // namespace
