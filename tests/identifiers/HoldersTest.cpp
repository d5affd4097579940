#include "identifiers/Holders.h"
#include "support/CountingMalloc.h"
#include "support/FakeShell.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

bool HandleOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

HANDLE NewEvent() {
    return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

TEST(Holders, KernelHandleIsClosedOnceOnEveryPath) {
    HANDLE first = NewEvent();
    HANDLE second = NewEvent();
    HANDLE kept = NewEvent();
    {
        OwnedHandle held(first);
        OwnedHandle moved = std::move(held);
        EXPECT_FALSE(held);
        EXPECT_TRUE(moved);
        EXPECT_TRUE(HandleOpen(first));

        moved.Reset(second);
        EXPECT_FALSE(HandleOpen(first)) << "resetting closes what was held";
        EXPECT_TRUE(HandleOpen(second));

        OwnedHandle other(kept);
        EXPECT_EQ(other.Release(), kept);
        EXPECT_FALSE(other);
    }
    EXPECT_FALSE(HandleOpen(second)) << "going out of scope closes what is held";
    EXPECT_TRUE(HandleOpen(kept)) << "a released handle is the caller's again";
    CloseHandle(kept);
}

TEST(Holders, FailedKernelAnswersHoldNothing) {
    // CreateFile answers INVALID_HANDLE_VALUE, most other routines null: both are no handle, and
    // neither is ever closed (INVALID_HANDLE_VALUE is also this process's own pseudo-handle).
    const OwnedHandle missing(CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.Get(), nullptr);
    const OwnedHandle none(nullptr);
    EXPECT_FALSE(none);
}

TEST(Holders, MenuIsDestroyedWithItsHolder) {
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(IsMenu(menu));
    { const OwnedMenu held(menu); }
    EXPECT_FALSE(IsMenu(menu));
}

TEST(Holders, ShellTextGoesBackToTheShellAllocator) {
    CountingMalloc malloc;
    {
        const ScopedShellMalloc scoped(&malloc);
        auto* text = static_cast<wchar_t*>(malloc.Alloc(6 * sizeof(wchar_t)));
        ASSERT_NE(text, nullptr);
        std::wcscpy(text, L"named");
        const ShellText held(text);
        EXPECT_EQ(malloc.LiveBlocks(), 1);
    }
    EXPECT_EQ(malloc.LiveBlocks(), 0);
}

} // namespace
