#pragma once

// The user's keys and clicks, through SendInput, as the platform delivers them: each press and
// release in one call (a control's tracking loop runs inside the press and waits for the release).

#include <windows.h>

#include <initializer_list>

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
// A left-button drag from one point of the screen to another as a user makes it: press, small
// moves past the drag threshold, on to the target, release. Another thread sends the steps,
// pausing between them, while this one pumps (the control's and the drag's loops run here and
// must see each move as a move); returns once the release has been handled.
void DragWithMouse(POINT From, POINT To);
