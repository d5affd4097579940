// The folder list beside the namespace tree, linked: the list opens the folder given on the
// command line (C:\windows by default) and the tree follows it; choosing a folder in the tree
// shows it in the list. All six columns are shown, sorted by type. With VARNEL_SCREENSHOT set to
// a .bmp path, it saves a picture of its window there and ends.

#include "controls/Application.h"
#include "identifiers/WideText.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include "support/ExampleWindow.h"

#include <windows.h>

#include <string>

namespace {

TNameSpaceEnumerator* g_Tree = nullptr;
TFolderEnumerator* g_List = nullptr;
constexpr int kTreeWidth = 240;

void Layout(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    if (g_Tree)
        g_Tree->SetBounds(0, 0, kTreeWidth, area.bottom);
    if (g_List)
        g_List->SetBounds(kTreeWidth + 4, 0, area.right - kTreeWidth - 4, area.bottom);
}

LRESULT CALLBACK HostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        Layout(window);
        return 0;
    case WM_DESTROY:
        Application().Terminate();
        return 0;
    default:
        return DefWindowProcW(window, msg, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string start = argc > 1 ? WideToUtf8(WindowsPath(argv[1])) : "C:\\windows";
    HWND host = MakeExampleWindow(L"ListDemoHost", L"Folder list", HostProc, 900, 520);
    if (!host)
        return 1;

    TNameSpaceEnumerator tree(nullptr);
    tree.SetParentWindow(host);
    TFolderEnumerator list(nullptr);
    list.SetParentWindow(host);
    list.SetViewStyle(vsReport);
    g_Tree = &tree;
    g_List = &list;
    Layout(host);
    tree.HandleNeeded();
    list.HandleNeeded();
    // The tree shows its selection in the list; the list's folder opens the tree down to it.
    tree.SetFolderEnumerator(&list);
    list.FolderColumns().SetVisible(cnExtension, true);
    list.FolderColumns().SetVisible(cnAttributes, true);
    list.FolderColumns().SetWidth(cnName, 180);
    list.FolderColumns().SetWidth(cnModified, 130);
    list.SetFolder(start);
    list.SetColumnSort(cnType);
    if (list.Items().Count() > 0)
        list.SetSelected(list.Items().Item(0));

    ShowWindow(host, SW_SHOWNORMAL);
    UpdateWindow(host);
    const int status = RunOrSaveScreenshot(host);
    g_Tree = nullptr;
    g_List = nullptr;
    return status;
}
