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
// A left double click at a point of the screen (four events in one call), then Settle.
void DoubleClickAt(POINT Screen);
// The user's drag with the left button, from a screen point to another: press, past the drag
// threshold, over in small steps, release. The input comes from a thread of its own while the
// calling thread pumps (the control's press and the drag run their own loops on it); each stage
// waits until that thread has taken the mouse (the control's capture, then the drag's), so a busy
// machine cannot let the release overtake the start of the drag. Returns when the drag is over.
void DragWithMouse(POINT From, POINT To);
