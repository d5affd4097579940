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
    Dispatch(msg);
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_bTerminated = true;
            return;
        }
        Dispatch(msg);
    }
}

// The dialog keys of a form (Tab, access keys, Enter, Escape) come before the window's own.
void TApplication::Dispatch(MSG& Message) {
    if (TForm::IsFormDialogMessage(Message))
        return;
    TranslateMessage(&Message);
    DispatchMessageW(&Message);
}

void TApplication::Terminate() {
    m_bTerminated = true;
    PostQuitMessage(0);
}
