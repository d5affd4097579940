// A window of the host application with the namespace tree rooted at the desktop, moved to the
// folder named on the command line (the Windows folder when none is). With VARNEL_SCREENSHOT set to
// a .bmp path, it saves a picture of its window there and ends.

#include "controls/Application.h"
#include "identifiers/WideText.h"
#include "tree/NameSpaceEnumerator.h"

#include "support/WindowPicture.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TNameSpaceEnumerator* g_Tree = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (g_Tree)
            g_Tree->SetBounds(8, 8, LOWORD(lParam) - 16, HIWORD(lParam) - 16);
        return 0;
    case WM_DESTROY:
        Application().Terminate();
        return 0;
    default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

HWND MakeHostWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ExplorerHost";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"Explorer", WS_OVERLAPPEDWINDOW, 40, 40, 420, 520,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

// The path as Windows names it. Under Wine a Unix path (from the scripts) is handed to Wine's
// own converter.
std::wstring WindowsPath(const char* path) {
    if (path[0] != '/')
        return Utf8ToWide(path);
    using Convert = wchar_t* (*)(const char*);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    wchar_t* converted = convert ? convert(path) : nullptr;
    if (!converted)
        return Utf8ToWide(path);
    std::wstring result = converted;
    HeapFree(GetProcessHeap(), 0, converted);
    return result;
}

// The folder to show: the first argument, else the Windows folder.
std::string StartFolder() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string folder;
    if (args && count > 1)
        folder = WideToUtf8(WindowsPath(WideToUtf8(args[1]).c_str()));
    if (args)
        LocalFree(args);
    if (!folder.empty())
        return folder;
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return WideToUtf8(windows);
}

} // namespace

int main() {
    HWND host = MakeHostWindow();
    if (!host)
        return 1;

    TNameSpaceEnumerator tree(nullptr);
    tree.SetHideSelection(false);
    tree.SetParentWindow(host);
    g_Tree = &tree;
    RECT client{};
    GetClientRect(host, &client);
    tree.SetBounds(8, 8, client.right - 16, client.bottom - 16);

    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    tree.HandleNeeded();
    tree.GotoFolder(StartFolder());
    tree.SetFocus();

    const char* shot = std::getenv("VARNEL_SCREENSHOT");
    if (!shot || !*shot) {
        Application().Run();
        g_Tree = nullptr;
        return 0;
    }
    for (int i = 0; i < 20; ++i) {
        Application().ProcessMessages();
        Sleep(25);
    }
    RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application().ProcessMessages();
    const bool saved = SaveWindowPicture(host, WindowsPath(shot));
    g_Tree = nullptr;
    DestroyWindow(host);
    return saved ? 0 : 1;
}
