#include "support/ModalSteps.h"

namespace {

TModalSteps* g_Current = nullptr;

} // namespace

TModalSteps::TModalSteps(std::vector<std::function<void()>> Steps, DWORD WatchdogMs)
    : m_Steps(std::move(Steps)), m_Deadline(GetTickCount64() + WatchdogMs) {
    g_Current = this;
    m_Timer = SetTimer(nullptr, 0, 40, Tick);
}

TModalSteps::~TModalSteps() {
    if (m_Timer)
        KillTimer(nullptr, m_Timer);
    if (g_Current == this)
        g_Current = nullptr;
}

void CALLBACK TModalSteps::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TModalSteps* self = g_Current;
    if (!self)
        return;
    // Checked first: a step may be what hangs, in a loop of its own.
    if (GetTickCount64() > self->m_Deadline) {
        self->m_bTimedOut = true;
        if (HWND active = GetActiveWindow())
            PostMessageW(active, WM_CLOSE, 0, 0);
        return;
    }
    if (self->m_bRunning)
        return;
    if (self->m_iNext == self->m_Steps.size())
        return;
    self->m_bRunning = true;
    const std::function<void()> step = self->m_Steps[self->m_iNext++];
    step();
    self->m_bRunning = false;
}
