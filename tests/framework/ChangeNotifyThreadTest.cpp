#include "framework/ChangeNotifyThread.h"
#include "support/HostWindow.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <functional>

namespace {

constexpr DWORD kFilter = 0x1F;

// A hidden window that counts the watcher's messages, optionally
// staying busy in its handler the way a view does while it refreshes.
class Receiver {
public:
    Receiver() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &Receiver::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"VarnelWatchReceiver";
            return RegisterClassW(&wc);
        }();
        (void)atom;
        m_hWnd = CreateWindowExW(0, L"VarnelWatchReceiver", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), this);
    }
    ~Receiver() {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
    }
    HWND Handle() const { return m_hWnd; }
    int Count() const { return m_Changes; }
    DWORD SenderThread() const { return m_SenderThread; }
    std::function<void()> onChange;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (self && msg == WM_TREE_CHANGE_NOTIFY) {
            ++self->m_Changes;
            self->m_SenderThread = GetCurrentThreadId();
            if (self->onChange)
                self->onChange();
            return 0;
        }
        return DefWindowProcW(hWnd, msg, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
    int m_Changes = 0;
    DWORD m_SenderThread = 0;
};

// A handle on the watcher's thread that outlives the watcher object, to see when it ends.
HANDLE ThreadOf(const TChangeNotifyThread* watcher) {
    return OpenThread(SYNCHRONIZE, FALSE, watcher->ThreadID());
}

bool Ends(HANDLE thread, DWORD milliseconds) {
    const bool ended =
        PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }, milliseconds);
    CloseHandle(thread);
    return ended;
}

// The owner's stop, and whether the watcher's thread then ends in time.
bool StopsWithin(TChangeNotifyThread* watcher, DWORD milliseconds) {
    HANDLE thread = ThreadOf(watcher);
    watcher->Terminate();
    return Ends(thread, milliseconds);
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

TEST(ChangeNotifyThread, SendsForAChangeDeepBelowItsPathOnTheReceiversThread) {
    TempFolder temp;
    temp.MakeFolder("a\\b\\c");
    Receiver receiver;
    auto* watcher =
        new TChangeNotifyThread(temp.Path(), receiver.Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
    ASSERT_TRUE(watcher->WaitUntilWatching(10000));
    Pump(200);
    EXPECT_EQ(receiver.Count(), 0);
    temp.MakeFile("a\\b\\c\\deep.txt", "x");
    EXPECT_TRUE(PumpUntil([&] { return receiver.Count() > 0; }, 3000));
    EXPECT_EQ(receiver.SenderThread(), GetCurrentThreadId());
    Pump(300);
    const int settled = receiver.Count();
    EXPECT_LE(settled, 2) << "one change, one wake (and at most one more for its tail)";
    Pump(300);
    EXPECT_EQ(receiver.Count(), settled) << "messages without changes";
    EXPECT_TRUE(StopsWithin(watcher, 2000));
}

// Exactly what the views watch: the drive root, with a change a few levels below a folder made
// before the watch began. Other programs may change C:\ meanwhile, so only the change is waited
// for.
TEST(ChangeNotifyThread, SendsForAChangeDeepBelowTheDriveRoot) {
    TempFolder temp;
    temp.MakeFolder("a\\b\\c");
    Receiver receiver;
    auto* watcher =
        new TChangeNotifyThread("C:\\", receiver.Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
    ASSERT_TRUE(watcher->WaitUntilWatching(20000)) << "the whole drive is watched in time";
    // Quiet first: other programs' changes on C:\\ die down.
    int seen = -1;
    for (int rounds = 0; rounds < 20 && seen != receiver.Count(); ++rounds) {
        seen = receiver.Count();
        Pump(300);
    }
    temp.MakeFile("a\\b\\c\\deep.txt", "x");
    EXPECT_TRUE(PumpUntil([&] { return receiver.Count() > seen; }, 3000))
        << "a change three levels below a folder on C:\\ went unseen";
    EXPECT_TRUE(StopsWithin(watcher, 2000));
}

TEST(ChangeNotifyThread, CoalescesABurstWhileTheReceiverIsBusy) {
    TempFolder temp;
    temp.MakeFolder("burst");
    Receiver receiver;
    bool first = true;
    receiver.onChange = [&] {
        if (!first)
            return;
        first = false;
        // The view is refreshing: a thousand changes happen meanwhile.
        for (int i = 0; i < 1000; ++i)
            temp.MakeFile("burst\\f" + std::to_string(i) + ".txt");
    };
    auto* watcher =
        new TChangeNotifyThread(temp.Path(), receiver.Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
    Pump(100);
    temp.MakeFile("start.txt");
    EXPECT_TRUE(PumpUntil([&] { return !first; }, 3000));
    Pump(1000);
    EXPECT_GE(receiver.Count(), 2);
    EXPECT_LE(receiver.Count(), 12); // a few rounds while the burst is read, never one per change
    EXPECT_TRUE(StopsWithin(watcher, 2000));
}

// Stopped through its own type, or through its base as any code holding a thread may stop it.
TEST(ChangeNotifyThread, EndsAtOnceWhenStoppedWithNothingChanging) {
    for (const bool throughBase : {false, true}) {
        TempFolder temp;
        Receiver receiver;
        auto* watcher =
            new TChangeNotifyThread(temp.Path(), receiver.Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
        Pump(100);
        HANDLE thread = ThreadOf(watcher);
        const ULONGLONG start = GetTickCount64();
        if (throughBase)
            static_cast<TThread*>(watcher)->Terminate();
        else
            watcher->Terminate();
        EXPECT_TRUE(Ends(thread, 1000)) << (throughBase ? "never woken through the base" : "");
        EXPECT_LT(GetTickCount64() - start, 500u);
        temp.MakeFile("after.txt");
        Pump(200);
        EXPECT_EQ(receiver.Count(), 0);
    }
}

TEST(ChangeNotifyThread, AMissingPathEndsTheWatchAndStoppingLaterIsStillSafe) {
    Receiver receiver;
    auto* watcher = new TChangeNotifyThread("C:\\no such folder here", receiver.Handle(),
                                            WM_TREE_CHANGE_NOTIFY, kFilter);
    HANDLE thread = ThreadOf(watcher);
    EXPECT_TRUE(watcher->WaitUntilWatching(1000))
        << "a watch that could not start is not waited for";
    EXPECT_TRUE(Ends(thread, 1000));
    watcher->Terminate(); // the owner's stop: the object is still there to be told
}

TEST(ChangeNotifyThread, EndsWhenItsQueueSaysSo) {
    TempFolder temp;
    Receiver receiver;
    auto* watcher =
        new TChangeNotifyThread(temp.Path(), receiver.Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
    Pump(100);
    HANDLE thread = ThreadOf(watcher);
    // Another message in its queue does not end it.
    ASSERT_TRUE(PostThreadMessageW(watcher->ThreadID(), WM_APP + 5, 0, 0));
    Pump(200);
    EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(PostThreadMessageW(watcher->ThreadID(), WM_END_CHANGE_NOTIFY, 0, 0));
    EXPECT_TRUE(Ends(thread, 1000));
    watcher->Terminate();
}

TEST(ChangeNotifyThread, SendsNothingToADestroyedWindowAndKeepsWaiting) {
    TempFolder temp;
    auto receiver = std::make_unique<Receiver>();
    auto* watcher =
        new TChangeNotifyThread(temp.Path(), receiver->Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
    HANDLE thread = ThreadOf(watcher);
    receiver.reset();
    temp.MakeFile("x.txt");
    Pump(300);
    EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    watcher->Terminate();
    EXPECT_TRUE(Ends(thread, 1000));
}

TEST(ChangeNotifyThread, ManyStartsAndStopsLeaveNothingBehind) {
    TempFolder temp;
    Receiver receiver;
    // One cycle first, so that what the first watch sets up for good is counted as before.
    auto* first =
        new TChangeNotifyThread(temp.Path(), receiver.Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
    Pump(200);
    DWORD handlesBefore = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);
    const int threadsBefore = ThreadsOfThisProcess();
    for (int i = 0; i < 200; ++i) {
        auto* watcher =
            new TChangeNotifyThread(temp.Path(), receiver.Handle(), WM_TREE_CHANGE_NOTIFY, kFilter);
        if (i % 2)
            Pump(1);
        watcher->Terminate();
    }
    PumpUntil([&] { return ThreadsOfThisProcess() <= threadsBefore; }, 5000);
    Pump(200);
    DWORD handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_LE(ThreadsOfThisProcess(), threadsBefore);
    EXPECT_LE(handlesAfter, handlesBefore + 2);
    first->Terminate();
}

} // namespace
