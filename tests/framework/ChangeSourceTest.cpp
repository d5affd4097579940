#include "framework/ChangeSource.h"
#include "framework/HostInotifyChangeSource.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// Waits, as a watcher does, until the source is signalled or the time is up.
bool Signalled(TChangeSource& source, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        HANDLE handle = source.Handle();
        const DWORD result =
            MsgWaitForMultipleObjectsEx(1, &handle, left, QS_ALLEVENTS, MWMO_ALERTABLE);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result == WAIT_TIMEOUT)
            return false;
        if (result == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
    }
}

constexpr DWORD kFilter = 0x1F;

class SubtreeChanges : public testing::Test {
protected:
    void SetUp() override {
        temp.MakeFolder("a\\b\\c");
        temp.MakeFolder("other");
        source = TChangeSource::Open(temp.Path(), kFilter);
        ASSERT_NE(source, nullptr);
        EXPECT_FALSE(Signalled(*source, 200)) << "signalled with nothing changed";
    }
    // A change must signal; once re-armed the source settles again (the few events that one
    // file operation makes may cost one further round, never one per event).
    void ExpectChange(const char* what) {
        EXPECT_TRUE(Signalled(*source, 3000)) << what;
        int rounds = 0;
        while (rounds < 3) {
            ASSERT_TRUE(source->Rearm());
            if (!Signalled(*source, 150))
                break;
            ++rounds;
        }
        EXPECT_LT(rounds, 3) << what << ": never settles";
    }

    TempFolder temp;
    std::unique_ptr<TChangeSource> source;
};

TEST_F(SubtreeChanges, ReportChangesAnywhereBelowTheRoot) {
    temp.MakeFile("a\\b\\c\\deep.txt", "x");
    ExpectChange("a file three levels down");
    temp.MakeFile("top.txt");
    ExpectChange("a file in the root");
    temp.MakeFile("a\\b\\c\\deep.txt", "longer contents");
    ExpectChange("a file rewritten three levels down");
}

TEST_F(SubtreeChanges, FollowFoldersMadeRenamedAndRemoved) {
    temp.MakeFolder("a\\new\\newer");
    ExpectChange("new folders");
    temp.MakeFile("a\\new\\newer\\inside.txt");
    ExpectChange("a file in a folder made after the watch began");

    const std::wstring from = std::wstring(temp.Path().begin(), temp.Path().end()) + L"\\a\\new";
    const std::wstring to = std::wstring(temp.Path().begin(), temp.Path().end()) + L"\\a\\renamed";
    ASSERT_TRUE(MoveFileW(from.c_str(), to.c_str()));
    ExpectChange("a renamed folder");
    temp.MakeFile("a\\renamed\\newer\\after-rename.txt");
    ExpectChange("a file in a renamed folder");

    ASSERT_TRUE(RemoveTree(temp.Path() + "\\a\\b"));
    ExpectChange("a removed branch");
    temp.MakeFile("a\\after-removal.txt");
    ExpectChange("a file beside the removed branch");
}

TEST_F(SubtreeChanges, ChangesWhileSignalledAreKeptForTheNextRound) {
    // Nothing is re-armed while the watcher's receiver is busy; what happens then is not lost.
    temp.MakeFile("a\\one.txt");
    EXPECT_TRUE(Signalled(*source, 3000));
    for (int i = 0; i < 50; ++i)
        temp.MakeFile("a\\b\\burst" + std::to_string(i) + ".txt");
    ASSERT_TRUE(source->Rearm());
    EXPECT_TRUE(Signalled(*source, 3000));
}

TEST(ChangeSource, WatchesNothingOutsideItsPath) {
    TempFolder watched;
    TempFolder elsewhere;
    auto source = TChangeSource::Open(watched.Path(), kFilter);
    ASSERT_NE(source, nullptr);
    elsewhere.MakeFile("x\\y.txt");
    EXPECT_FALSE(Signalled(*source, 300));
}

TEST(ChangeSource, AMissingPathCannotBeWatched) {
    EXPECT_EQ(TChangeSource::Open("C:\\no such folder\\below", kFilter), nullptr);
}

TEST(ChangeSource, StopsWhenItsRootGoes) {
    auto temp = std::make_unique<TempFolder>();
    temp->MakeFolder("x");
    auto source = TChangeSource::Open(temp->Path(), kFilter);
    ASSERT_NE(source, nullptr);
    temp.reset();
    EXPECT_TRUE(Signalled(*source, 3000));
    // Completions for the vanished folders may still arrive; in the end re-arming fails.
    bool rearmed = true;
    for (int i = 0; i < 20 && rearmed; ++i) {
        rearmed = source->Rearm();
        Signalled(*source, 100);
    }
    EXPECT_FALSE(rearmed);
}

TEST(HostChangeSource, ManyFoldersAreWatchedAndReleased) {
    TempFolder temp;
    for (int i = 0; i < 300; ++i)
        temp.MakeFolder("f" + std::to_string(i / 20) + "\\g" + std::to_string(i));
    HANDLE process = GetCurrentProcess();
    DWORD handlesBefore = 0, handlesAfter = 0;
    GetProcessHandleCount(process, &handlesBefore);
    {
        auto source = THostInotifyChangeSource::Open(temp.Path(), kFilter);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->WatchCount(), 1 + 15 + 300);
        temp.MakeFile("f3\\g70\\x.txt");
        EXPECT_TRUE(Signalled(*source, 3000));
    }
    GetProcessHandleCount(process, &handlesAfter);
    EXPECT_LE(handlesAfter, handlesBefore);
}

// The views watch the drive root itself, which Wine maps to the prefix's drive link.
TEST(HostChangeSource, WatchesTheDriveRootThroughItsLink) {
    auto source = THostInotifyChangeSource::Open("C:\\", kFilter);
    ASSERT_NE(source, nullptr) << "C:\\ would fall back to the shallow notification";
    EXPECT_GT(source->WatchCount(), 10) << "the root's folders below are watched too";
}

// Past the host's limit on watches a folder is watched by the platform's notification instead:
// its direct contents are still seen, whether it was there at the start or made later.
TEST(HostChangeSource, FoldersPastTheWatchLimitAreStillSeen) {
    TempFolder temp;
    temp.MakeFolder("one\\two");
    auto source = THostInotifyChangeSource::Open(temp.Path(), kFilter, 2);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->WatchCount(), 2);
    EXPECT_EQ(source->ShallowCount(), 1);
    EXPECT_FALSE(Signalled(*source, 200));
    temp.MakeFile("one\\two\\past-the-limit.txt");
    EXPECT_TRUE(Signalled(*source, 3000)) << "a folder past the limit is skipped";

    ASSERT_TRUE(source->Rearm());
    temp.MakeFolder("one\\three");
    EXPECT_TRUE(Signalled(*source, 3000));
    for (int settled = 0; settled < 3 && Signalled(*source, 200); ++settled)
        source->Rearm();
    EXPECT_EQ(source->ShallowCount(), 2);
    ASSERT_TRUE(source->Rearm());
    temp.MakeFile("one\\three\\made-later.txt");
    EXPECT_TRUE(Signalled(*source, 3000)) << "a folder made past the limit is skipped";
}

} // namespace
