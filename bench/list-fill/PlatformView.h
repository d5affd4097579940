#pragma once

// The platform's own folder view (IShellFolder::CreateViewObject, IShellView::CreateViewWindow)
// in details mode, hosted by the least a shell browser must be, for timing beside the list.

#include <windows.h>
#include <shlobj.h>

// Shows `Folder` in a platform view inside `Host` and waits until its list holds `Expected`
// rows (or `TimeoutMs` passes); the milliseconds that took, from asking for the view, or a
// negative number when the view could not be made or never got there. The view is taken down
// afterwards. `Rows` receives the count its list reached.
double TimePlatformView(HWND Host, IShellFolder* Folder, int Expected, int TimeoutMs, int& Rows);
