#pragma once

#include <windows.h>

#include <string>

// A key with the modifiers held for it: the virtual-key code in the low byte, the modifiers in
// the high bits. 0 is no key. Stored in form files as its text ("Ctrl+1", "F5", "Alt+Up").
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The text shown for a shortcut in menus and stored for it; empty for none.
std::string ShortCutToText(TShortCut ShortCut);
// The shortcut a text names (modifier names and the key joined by "+", case ignored); 0 when it
// names none.
TShortCut TextToShortCut(const std::string& Text);
// The shortcut a key press makes with the modifiers held now.
TShortCut ShortCutOfKey(WORD Key);
