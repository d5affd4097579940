#include "support/Input.h"

#include "support/HostWindow.h"

#include <vector>

void Settle() {
    for (int i = 0; i < 5; ++i) {
        PumpMessages();
        Sleep(10);
    }
}

void PressKeys(std::initializer_list<WORD> Keys) {
    std::vector<INPUT> inputs;
    for (WORD key : Keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(down);
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

void ClickAt(POINT Screen) {
    SetCursorPos(Screen.x, Screen.y);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    Settle();
}
