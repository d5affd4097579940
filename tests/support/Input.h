#pragma once

// The user's keys and clicks, through SendInput, as the platform delivers them: each press and
// release in one call (a control's tracking loop runs inside the press and waits for the release).

#include <windows.h>

#include <atomic>
#include <functional>
#include <initializer_list>
#include <thread>

// Lets the input arrive and be handled.
void Settle();
// Each key pressed and released, all in one call, then Settle.
void PressKeys(std::initializer_list<WORD> Keys);
// Key pressed and released while Modifier (VK_SHIFT, VK_CONTROL, ...) is held, all in one call,
// then Settle.
void PressChord(WORD Modifier, WORD Key);
// The same without Settle, for a loop that takes the keys itself (an open menu's).
void SendKeys(std::initializer_list<WORD> Keys);
// A left click at a point of the screen, then Settle.
void ClickAt(POINT Screen);
// A right click at a point of the screen, then Settle.
void RightClickAt(POINT Screen);
// A left double click at a point of the screen (four events in one call), then Settle.
void DoubleClickAt(POINT Screen);
// The user's drag with a button (the left unless told), from a screen point to another: press, past
// the drag threshold, over in small steps, release. The input comes from a thread of its own while
// the calling thread pumps (the control's press and the drag run their own loops on it); each stage
// waits until that thread has taken the mouse (the control's capture, then the drag's), so a busy
// machine cannot let the release overtake the start of the drag. Returns when the drag is over.
// With the right button, the same drag ends on that button's release.
enum class TDragButton { Left, Right };
// A left-button drag that a window follows with its own capture (a splitter), no drag-and-drop
// loop: press at From, a few moves, release at To, all in one call, then Settle.
void DragCaptured(POINT From, POINT To);
void DragWithMouse(POINT From, POINT To, TDragButton Button = TDragButton::Left);

// Runs Action inside the loop of the next menu shown, from a timer armed now (Action must end
// the menu: keys through SendKeys, or EndMenu).
void DuringNextMenu(std::function<void()> Action);
class TWinControl;
// Gives View a pop-up menu of one entry, right-clicks at Screen and picks the entry from the menu
// shown; the number of times the entry was clicked (the menu is taken off View afterwards).
int ClicksOnOwnPopupEntry(TWinControl& View, POINT Screen);
// Forgets an Action no menu ran (the test expected no menu).
void ForgetMenuAction();

// The user at the shell's confirmation dialogs ("#32770"), answering each with Answer (IDYES,
// IDNO) from a thread of its own for as long as the object lives.
class TDialogAnswerer {
public:
    explicit TDialogAnswerer(int Answer);
    ~TDialogAnswerer();
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;

    // How many times a dialog was answered so far.
    int Answered() const { return m_Answered; }
    // The window that owned the last dialog answered.
    HWND LastOwner() const { return m_LastOwner; }

private:
    std::atomic<bool> m_bDone{false};
    std::atomic<int> m_Answered{0};
    std::atomic<HWND> m_LastOwner{nullptr};
    std::thread m_Thread;
};

// The centre of a control's window on the screen.
POINT CentreOnScreen(const TWinControl& Control);

class TTreeNode;
// Where a tree node's label is on the screen (a little inside its left end), and where the
// control itself says the node's expand button is.
POINT NodeLabelOnScreen(const TTreeNode* Node);
POINT NodeButtonOnScreen(const TTreeNode* Node);
