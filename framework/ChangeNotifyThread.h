#pragma once

#include "components/Thread.h"
#include "identifiers/Holders.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

// The messages of the change watchers: to the tree, to the folder list, and the one that ends a
// watcher when found in its own queue.
constexpr UINT WM_TREE_CHANGE_NOTIFY = WM_USER + 21;
constexpr UINT WM_LIST_CHANGE_NOTIFY = WM_USER + 22;
constexpr UINT WM_END_CHANGE_NOTIFY = WM_USER + 12;

using TCNOnRefresh = std::function<void()>;

// A background thread that waits for changes anywhere below one folder and, for each wake-up,
// sends one message to one window, synchronously: the view refreshes on its own thread while the
// watcher waits, and changes made meanwhile are coalesced into the next wake-up. It never touches
// the view.
//
// The owner makes it with new, and stops it with Terminate (through this type or TThread) and
// forgets it; it never waits for it and never deletes it. The object goes away by itself once both
// have happened: its watch has ended and its owner has stopped it. (A watch can end first, for a
// path that cannot be watched or a thread that could not be made; the owner's later Terminate
// must still find a live object.)
class TChangeNotifyThread final : public TThread {
public:
    TChangeNotifyThread(const std::string& WatchPath, HWND hWnd, UINT uMsg, DWORD uFlags);

    const TCNOnRefresh& OnRefresh() const { return m_OnRefresh; }
    void SetOnRefresh(TCNOnRefresh Value) { m_OnRefresh = std::move(Value); }
    HWND MessageWnd() const { return m_hMessageWnd; }
    void SetMessageWnd(HWND Value) { m_hMessageWnd = Value; }

    // Waits until the watch has been set up (or has ended without one), at most Milliseconds; true
    // when it has. Setting up can take a while where every folder below gets a watch of its own
    // (under Wine), and a change made before then is not seen. Only the owner may ask, before it
    // stops the watcher.
    bool WaitUntilWatching(DWORD Milliseconds) const;

protected:
    void Execute() override;
    // Terminate wakes the thread, which then ends without sending anything, and lets go of the
    // owner's hold: the object must not be used afterwards.
    void TerminateRequested() override;

private:
    ~TChangeNotifyThread() override = default;
    void Watch();
    void ReleaseHold();

    std::string m_sToWatchPath;
    HWND m_hMessageWnd = nullptr; // stored for the owner; the watch does not use it
    HWND m_hWindow;
    UINT m_iMessage;
    DWORD m_iNotifyFlags;
    TCNOnRefresh m_OnRefresh; // stored for the owner; the watch never calls it
    // Set once the watch is set up, or has ended without one.
    OwnedHandle m_hWatching{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    // One hold for the running watch, one for the owner; the last to let go frees the object.
    std::atomic<int> m_Holds{2};
    std::atomic<bool> m_bStopped{false}; // the owner's hold is let go once, however often stopped
};
