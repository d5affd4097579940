#pragma once

#include <windows.h>

#include <string>

// Saves what a window shows, frame included, as a 24-bit BMP file: how the examples leave a
// screenshot when they run without a display. False when the file cannot be written.
bool SaveWindowPicture(HWND window, const std::wstring& path);
