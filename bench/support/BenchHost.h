#pragma once

// The plain top-level window a benchmark places its views in.

#include <windows.h>

namespace BenchHost {

// A window of the given size at the screen's corner; shown unless Show is false (a view that is
// never shown skips its painting).
inline HWND MakeHost(const wchar_t* Title, int Width, int Height, bool Show = true) {
    static const ATOM registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = L"VarnelBenchHost";
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    HWND host = CreateWindowExW(0, L"VarnelBenchHost", Title, WS_OVERLAPPEDWINDOW, 0, 0, Width,
                                Height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (host && Show)
        ShowWindow(host, SW_SHOWNORMAL);
    return host;
}

} // namespace BenchHost
