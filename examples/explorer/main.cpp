// The explorer: the window of ExplorerWindow.h, opened at the folder named on the command line
// (the Windows folder when none is, or when the one named is not there). With VARNEL_SCREENSHOT
// set to a .bmp path, it saves a picture of its window there and ends.

#include "identifiers/WideText.h"
#include "tree/NameSpaceEnumerator.h"

#include "ExplorerWindow.h"
#include "StartFolder.h"
#include "support/ExampleWindow.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

// The first argument, as Windows names it; empty when there is none.
std::string RequestedFolder() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string folder;
    if (args && count > 1)
        folder = WideToUtf8(WindowsPath(WideToUtf8(args[1]).c_str()));
    if (args)
        LocalFree(args);
    return folder;
}

std::string WindowsFolder() {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return WideToUtf8(windows);
}

} // namespace

int main() {
    RegisterExplorerClasses();
    std::string problem;
    const std::string folder = ChooseStartFolder(RequestedFolder(), WindowsFolder(), problem);
    if (!problem.empty())
        std::fprintf(stderr, "%s\n", problem.c_str());
    TExplorerWindow window(nullptr);
    window.SetEndsApplication(true);
    // The list opens the start folder as it is read; the tree follows it and tells the combo.
    window.SetStartFolder(folder);
    std::string error;
    if (!ReadExplorerWindow(window, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    window.Show();
    window.Tree()->SetFocus();
    return RunOrSaveScreenshot(window.Handle());
}
