#include "support/Input.h"

#include "controls/Menus.h"
#include "controls/WinControl.h"

#include "support/HostWindow.h"

#include "controls/TreeNode.h"
#include "controls/TreeView.h"

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

// At least 50 ms, then until the queue has stayed quiet for 30 ms (at most a second): on a busy
// machine the input and what it causes (a control's notices, posted follow-ups) come late.
void Settle() {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        PumpMessages();
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed >= 1000)
            return;
        const DWORD woke = MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_ALLINPUT);
        if (woke == WAIT_TIMEOUT && elapsed >= 50)
            return;
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

BOOL CALLBACK RaiseWindow(HWND Window, LPARAM) {
    if (IsWindowVisible(Window))
        SetWindowPos(Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

// Other test programs may show their windows on the same display at the same place while this
// one clicks: its own windows stay above theirs, or a click could land in another program.
void RaiseOwnWindows() {
    EnumThreadWindows(GetCurrentThreadId(), RaiseWindow, 0);
}

void Click(POINT Screen, DWORD Down, DWORD Up) {
    RaiseOwnWindows();
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

namespace {

void SendMouse(DWORD Flags, POINT Screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = Screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = Screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &input, sizeof input);
    Sleep(40);
}

HWND CaptureOf(DWORD Thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(Thread, &info) ? info.hwndCapture : nullptr;
}

// Waits (at most 3 s) until the thread's capture is held by a window Accept agrees to.
template <typename Accept> void WaitForCapture(DWORD Thread, Accept accept) {
    for (int waited = 0; waited < 3000 && !accept(CaptureOf(Thread)); waited += 10)
        Sleep(10);
}

} // namespace

void DragWithMouse(POINT From, POINT To, TDragButton Button) {
    const bool right = Button == TDragButton::Right;
    RaiseOwnWindows();
    const DWORD ui = GetCurrentThreadId();
    std::atomic<bool> finished{false};
    std::thread user([&] {
        SendMouse(MOUSEEVENTF_MOVE, From);
        SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, From);
        // The control tracks the press with the mouse captured.
        WaitForCapture(ui, [](HWND capture) { return capture != nullptr; });
        const HWND pressed = CaptureOf(ui);
        for (int i = 1; i <= 4; ++i)
            SendMouse(MOUSEEVENTF_MOVE, {From.x + 4 * i, From.y});
        // The drag's own loop takes the mouse from the control.
        WaitForCapture(ui, [pressed](HWND capture) { return capture && capture != pressed; });
        for (int i = 1; i <= 6; ++i)
            SendMouse(MOUSEEVENTF_MOVE,
                      {From.x + (To.x - From.x) * i / 6, From.y + (To.y - From.y) * i / 6});
        SendMouse(MOUSEEVENTF_MOVE, {To.x + 2, To.y + 2});
        SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, {To.x + 2, To.y + 2});
        finished = true;
    });
    PumpUntil([&] { return finished.load(); });
    user.join();
    Settle();
}

void DragCaptured(POINT From, POINT To) {
    RaiseOwnWindows();
    std::vector<INPUT> inputs;
    const auto add = [&](DWORD Flags, POINT At) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = Flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        input.mi.dx = At.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = At.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        inputs.push_back(input);
    };
    add(0, From);
    add(MOUSEEVENTF_LEFTDOWN, From);
    for (int i = 1; i <= 4; ++i)
        add(0, {From.x + (To.x - From.x) * i / 4, From.y + (To.y - From.y) * i / 4});
    add(MOUSEEVENTF_LEFTUP, To);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

void DoubleClickAt(POINT Screen) {
    RaiseOwnWindows();
    SetCursorPos(Screen.x, Screen.y);
    INPUT clicks[4]{};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, clicks, sizeof(INPUT));
    Settle();
}

namespace {

std::function<void()>& MenuAction() {
    static std::function<void()> action;
    return action;
}

// A menu is open when the platform's menu window shows.
bool MenuShown() {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu);
}

// A menu still open long after its keys were sent lost them (a busy machine): it is closed, so
// the test fails on what it checks instead of hanging in the menu's loop. Only that very menu:
// the next test's menu may be open by then.
HWND& ForgottenMenu() {
    static HWND menu = nullptr;
    return menu;
}

void CALLBACK CloseForgottenMenu(HWND, UINT, UINT_PTR Timer, DWORD) {
    KillTimer(nullptr, Timer);
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && menu == std::exchange(ForgottenMenu(), nullptr) && IsWindowVisible(menu))
        EndMenu();
}

void CALLBACK RunMenuAction(HWND, UINT, UINT_PTR Timer, DWORD) {
    static int waited = 0;
    static bool seen = false;
    KillTimer(nullptr, Timer);
    // A control may open its menu only after it has tracked the press for a while: the action
    // waits for the menu (at most 5 s), or its keys would go to the control instead; and once
    // it shows, one tick more, so the menu's own loop has taken the keyboard.
    if (MenuAction() && ++waited < 100 && (!MenuShown() || !std::exchange(seen, true))) {
        SetTimer(nullptr, 0, 50, RunMenuAction);
        return;
    }
    waited = 0;
    seen = false;
    if (auto action = std::exchange(MenuAction(), nullptr)) {
        ForgottenMenu() = FindWindowW(L"#32768", nullptr);
        action();
        SetTimer(nullptr, 0, 5000, CloseForgottenMenu);
    }
}

} // namespace

void DuringNextMenu(std::function<void()> Action) {
    ForgottenMenu() = nullptr;
    MenuAction() = std::move(Action);
    SetTimer(nullptr, 0, 150, RunMenuAction);
}

void ForgetMenuAction() {
    ForgottenMenu() = nullptr;
    MenuAction() = nullptr;
}

TDialogAnswerer::TDialogAnswerer(int Answer)
    : m_Thread([this, Answer] {
          while (!m_bDone) {
              if (HWND dialog = FindWindowW(L"#32770", nullptr)) {
                  // Counted before the answer lets the dialog close.
                  m_LastOwner = GetWindow(dialog, GW_OWNER);
                  ++m_Answered;
                  PostMessageW(dialog, WM_COMMAND, Answer, 0);
                  // One answer per dialog: on a busy machine it may take a while to go.
                  for (int waited = 0; IsWindow(dialog) && !m_bDone && waited < 200; ++waited)
                      Sleep(10);
                  if (IsWindow(dialog))
                      continue;
              }
              Sleep(50);
          }
      }) {}

TDialogAnswerer::~TDialogAnswerer() {
    m_bDone = true;
    m_Thread.join();
}

POINT CentreOnScreen(const TWinControl& Control) {
    RECT r{};
    GetWindowRect(Control.WindowHandle(), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT NodeLabelOnScreen(const TTreeNode* Node) {
    const RECT r = Node->DisplayRect(true);
    return Node->TreeView()->ClientToScreen({r.left + 4, (r.top + r.bottom) / 2});
}

POINT NodeButtonOnScreen(const TTreeNode* Node) {
    TCustomTreeView* tree = Node->TreeView();
    const RECT r = Node->DisplayRect(true);
    TVHITTESTINFO hit{};
    for (hit.pt = {0, (r.top + r.bottom) / 2}; hit.pt.x < r.left; ++hit.pt.x) {
        TreeView_HitTest(tree->Handle(), &hit);
        if (hit.flags & TVHT_ONITEMBUTTON)
            break;
    }
    return tree->ClientToScreen(hit.pt);
}

int ClicksOnOwnPopupEntry(TWinControl& View, POINT Screen) {
    TPopupMenu popup(nullptr);
    TMenuItem item(nullptr);
    item.SetCaption("Mine");
    int clicked = 0;
    item.OnClick = [&](TObject*) { ++clicked; };
    popup.Add(&item);
    View.SetPopupMenu(&popup);
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_RETURN}); });
    RightClickAt(Screen);
    View.SetPopupMenu(nullptr);
    return clicked;
}
