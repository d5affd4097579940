// A window of the host application with the namespace combo above the namespace tree rooted at the
// desktop, linked, moved to the folder named on the command line (the Windows folder when none is).
// With VARNEL_SCREENSHOT set to a .bmp path, it saves a picture of its window there and ends.

#include "combo/NameSpaceCombo.h"
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
TNameSpaceCombo* g_Combo = nullptr;

// The combo across the top, the tree below it.
void Arrange(int Width, int Height) {
    const int comboHeight = g_Combo ? g_Combo->Height() : 0;
    if (g_Combo)
        g_Combo->SetBounds(8, 8, Width - 16, comboHeight);
    if (g_Tree)
        g_Tree->SetBounds(8, 14 + comboHeight, Width - 16, Height - 22 - comboHeight);
}

LRESULT CALLBACK HostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        Arrange(LOWORD(lParam), HIWORD(lParam));
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

    TNameSpaceCombo combo(nullptr);
    combo.SetParentWindow(host);
    g_Combo = &combo;
    TNameSpaceEnumerator tree(nullptr);
    tree.SetHideSelection(false);
    tree.SetParentWindow(host);
    g_Tree = &tree;

    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    combo.HandleNeeded();
    tree.HandleNeeded();
    RECT client{};
    GetClientRect(host, &client);
    Arrange(client.right, client.bottom);
    combo.SetNameSpaceEnumerator(&tree);
    tree.GotoFolder(StartFolder());
    // Moving itself, the tree tells nobody: the combo is shown the folder reached.
    tree.SelectionChange(&tree, tree.Selected());
    tree.SetFocus();

    const int result = RunOrSaveScreenshot(host);
    g_Tree = nullptr;
    g_Combo = nullptr;
    return result;
}
