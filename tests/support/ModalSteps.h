#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// Drives a modal loop from inside: while it lives, a thread timer runs the steps one by one,
// each once the one before has returned (a step may press keys or open a nested loop of its
// own). A watchdog closes whatever window is active once the time is up, so a dialog that never
// ends cannot hang the test; TimedOut then says so.
class TModalSteps {
public:
    explicit TModalSteps(std::vector<std::function<void()>> Steps, DWORD WatchdogMs = 15000);
    ~TModalSteps();
    TModalSteps(const TModalSteps&) = delete;
    TModalSteps& operator=(const TModalSteps&) = delete;

    bool TimedOut() const { return m_bTimedOut; }
    bool Done() const { return m_iNext == m_Steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<std::function<void()>> m_Steps;
    std::size_t m_iNext = 0;
    bool m_bRunning = false;
    bool m_bTimedOut = false;
    ULONGLONG m_Deadline;
    UINT_PTR m_Timer = 0;
};
