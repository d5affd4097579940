#include "framework/ChangeNotifyThread.h"

#include "framework/ChangeSource.h"

namespace {

// Every queue event except sent messages (QS_ALLEVENTS without raw input).
constexpr DWORD kWakeMask =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY;

} // namespace

TChangeNotifyThread::TChangeNotifyThread(const std::string& WatchPath, HWND hWnd, UINT uMsg,
                                         DWORD uFlags)
    : m_sToWatchPath(WatchPath), m_hWindow(hWnd), m_iMessage(uMsg), m_iNotifyFlags(uFlags) {
    // No thread, no watch: its hold goes now, and the owner's Terminate frees the object.
    if (!Start()) {
        SetEvent(m_hWatching.Get());
        ReleaseHold();
    }
}

void TChangeNotifyThread::TerminateRequested() {
    if (m_bStopped.exchange(true))
        return;
    // The object lives until the owner's hold goes below, whatever the watch does meanwhile.
    if (Handle())
        PostThreadMessageW(ThreadID(), WM_END_CHANGE_NOTIFY, 0, 0);
    ReleaseHold();
}

void TChangeNotifyThread::ReleaseHold() {
    if (m_Holds.fetch_sub(1) != 1)
        return;
    // Last to let go. On the watch's own thread the framework deletes the object once Execute has
    // returned; on the owner's, the watch has ended already and deleting waits only for its exit.
    if (GetCurrentThreadId() == ThreadID())
        SetFreeOnTerminate(true);
    else
        delete this;
}

bool TChangeNotifyThread::WaitUntilWatching(DWORD Milliseconds) const {
    return m_hWatching && WaitForSingleObject(m_hWatching.Get(), Milliseconds) == WAIT_OBJECT_0;
}

void TChangeNotifyThread::Execute() {
    // The queue exists before Terminated is first read, so the wake-up that Terminate posts is
    // never lost: either the flag is seen here, or the message arrives in the queue.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    Watch();
    SetEvent(m_hWatching.Get());
    ReleaseHold();
}

void TChangeNotifyThread::Watch() {
    if (Terminated())
        return;
    const auto source = TChangeSource::Open(m_sToWatchPath, m_iNotifyFlags);
    if (!source)
        return;
    SetEvent(m_hWatching.Get());
    for (;;) {
        HANDLE handle = source->Handle();
        const DWORD woke = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, kWakeMask);
        if (Terminated())
            return;
        if (woke == WAIT_OBJECT_0) {
            if (IsWindow(m_hWindow))
                SendMessageW(m_hWindow, m_iMessage, 0, 0);
            if (!source->Rearm())
                return;
        } else if (woke == WAIT_OBJECT_0 + 1) {
            // Everything queued is taken, not one message a wake: the wait reports only input that
            // arrived since the queue was last looked at.
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_END_CHANGE_NOTIFY)
                    return;
                SendMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            }
        } else if (woke == WAIT_FAILED) {
            return;
        }
    }
}
