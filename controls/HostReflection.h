#pragma once

// Notifications go to a control's parent window (WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
// WM_COMMAND); each is sent back to the control of ours it came from as its CN_ message, so every
// control answers its own notifications. Our own parent controls do this in their handlers; a
// window of the host application does it through a procedure of ours put in front of its own
// while it has children of ours.

#include "components/Messages.h"

#include <windows.h>

namespace HostReflection {

// Sends a parent's notification back to the control of ours it came from; false when the message
// is no notification or came from a window that is not one of ours.
bool ReflectToControl(HWND Parent, TMessage& Message);

// A host window leads to our procedure while it has children of ours: each child attaches once
// when its window is made and detaches once when it goes.
void AttachHost(HWND Host);
void DetachHost(HWND Host);

} // namespace HostReflection
