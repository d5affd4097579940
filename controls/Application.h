#pragma once

#include <windows.h>

// The application's message loop on the thread that owns the windows.
class TApplication {
public:
    // Dispatches messages until Terminate (or another WM_QUIT).
    void Run();
    // Dispatches every message queued now and returns.
    void ProcessMessages();
    // Waits for one message and dispatches it; false once the loop is to end.
    bool HandleMessage();
    // Ends Run.
    void Terminate();
    bool Terminated() const { return m_bTerminated; }

private:
    bool m_bTerminated = false;
};

TApplication& Application();
