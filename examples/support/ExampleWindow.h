#pragma once

#include <windows.h>

#include <string>

// What the example programs share: their main window, paths given on the command line, and the
// screenshot they leave instead of running when there is no one to look at them.

// A top-level window of a class of its own, hidden until shown.
HWND MakeExampleWindow(const wchar_t* ClassName, const wchar_t* Title, WNDPROC Proc, int Width,
                       int Height);
// The path as Windows names it; a Unix path (from the scripts, under Wine) is converted.
std::wstring WindowsPath(const char* path);
// Saves what a window shows, frame included, as a 24-bit BMP file. False when it cannot be written.
bool SaveWindowPicture(HWND window, const std::wstring& path);
// Runs the message loop until the window is closed; or, when VARNEL_SCREENSHOT names a .bmp path,
// lets the window settle, saves its picture there and closes it. The program's exit code.
int RunOrSaveScreenshot(HWND Window);
