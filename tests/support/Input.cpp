#include "support/Input.h"

#include "support/HostWindow.h"

#include <atomic>
#include <thread>
#include <vector>

void Settle() {
    for (int i = 0; i < 5; ++i) {
        PumpMessages();
        Sleep(10);
    }
}

void PressKeys(std::initializer_list<WORD> Keys) {
    SendKeys(Keys);
    Settle();
}

void PressChord(WORD Modifier, WORD Key) {
    INPUT inputs[4]{};
    const WORD order[] = {Modifier, Key, Key, Modifier};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = order[i];
        inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
    Settle();
}

void SendKeys(std::initializer_list<WORD> Keys) {
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
}

namespace {

void Click(POINT Screen, DWORD Down, DWORD Up) {
    SetCursorPos(Screen.x, Screen.y);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = Down;
    click[1].mi.dwFlags = Up;
    SendInput(2, click, sizeof(INPUT));
    Settle();
}

} // namespace

void ClickAt(POINT Screen) {
    Click(Screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void RightClickAt(POINT Screen) {
    Click(Screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

void DragWithMouse(POINT From, POINT To) {
    std::atomic<bool> finished{false};
    std::thread user([&] {
        const auto send = [](DWORD Flags, LONG x, LONG y) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE;
            input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
            SendInput(1, &input, sizeof input);
            Sleep(40);
        };
        send(MOUSEEVENTF_MOVE, From.x, From.y);
        send(MOUSEEVENTF_LEFTDOWN, From.x, From.y);
        for (int i = 1; i <= 4; ++i)
            send(MOUSEEVENTF_MOVE, From.x + 4 * i, From.y);
        for (int i = 1; i <= 6; ++i)
            send(MOUSEEVENTF_MOVE, From.x + (To.x - From.x) * i / 6,
                 From.y + (To.y - From.y) * i / 6);
        send(MOUSEEVENTF_MOVE, To.x + 2, To.y + 2);
        send(MOUSEEVENTF_LEFTUP, To.x + 2, To.y + 2);
        finished = true;
    });
    PumpUntil([&] { return finished.load(); });
    user.join();
    Settle();
}
