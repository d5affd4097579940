// A window of the host application with the namespace tree rooted at the desktop, moved to the
// folder named on the command line (the Windows folder when none is). With VARNEL_SCREENSHOT set to
// a .bmp path, it saves a picture of its window there and ends.

#include "controls/Application.h"
#include "identifiers/WideText.h"
#include "tree/NameSpaceEnumerator.h"

#include "support/ExampleWindow.h"

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
    HWND host = MakeExampleWindow(L"ExplorerHost", L"Explorer", HostProc, 420, 520);
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

    const int result = RunOrSaveScreenshot(host);
    g_Tree = nullptr;
    return result;
}
