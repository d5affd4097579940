#pragma once

#include <string>

// Tells the user Text in a message box with an OK button, owned by the thread's active window
// (which it keeps from input meanwhile); returns when the box closes.
void ShowMessage(const std::string& Text);
