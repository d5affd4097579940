#include "controls/Application.h"

#include "controls/Form.h"

#include <windows.h>

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::Run() {
    while (!m_bTerminated && HandleMessage()) {
    }
}

bool TApplication::HandleMessage() {
    MSG msg{};
    const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
    if (result <= 0) {
        m_bTerminated = true;
        return false;
    }
    TForm::DispatchQueued(msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_bTerminated = true;
            return;
        }
        TForm::DispatchQueued(msg);
    }
}

void TApplication::Terminate() {
    m_bTerminated = true;
    PostQuitMessage(0);
}
