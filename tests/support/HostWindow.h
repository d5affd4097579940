#pragma once

#include <windows.h>

#include <functional>

// A shown top-level window of a "host application" (a plain window procedure, nothing of the
// framework) for controls to live in during a test; all tests share one.
class THostWindow {
public:
    THostWindow(int Width = 500, int Height = 400);
    ~THostWindow();
    THostWindow(const THostWindow&) = delete;
    THostWindow& operator=(const THostWindow&) = delete;

    HWND Handle() const { return m_hWindow; }

private:
    HWND m_hWindow = nullptr;
};

// Dispatches what is queued for this thread's windows (painting included).
void PumpMessages();
// Lets messages in, sent and posted, for `milliseconds`, as the views' message loop does: a
// message sent from another thread (the watcher's) is handled as soon as it arrives.
void Pump(DWORD milliseconds);
// Pumps until `done` holds or `milliseconds` have passed; whether `done` holds at the end.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000);

// Counts for leak checks: windows of this thread (children included), GDI and USER objects of
// the process, threads of the process.
int CountThreadWindows();
int CountGdiObjects();
int CountThreads();
