#pragma once

// The user's keys and clicks, through SendInput, as the platform delivers them: each press and
// release in one call (a control's tracking loop runs inside the press and waits for the release).

#include <windows.h>

#include <initializer_list>

// Lets the input arrive and be handled.
void Settle();
// Each key pressed and released, all in one call, then Settle.
void PressKeys(std::initializer_list<WORD> Keys);
// A left click at a point of the screen, then Settle.
void ClickAt(POINT Screen);
