// A plain Win32 window of an application's own, made in code, hosting the three views linked: the
// tree tells the list and the combo where the user goes. The views have no owner; whatever order
// they go in, none is left naming a partner that is gone.
//
//   consumer [tree|list|combo]   checks the views, then destroys the one named first
//                                (the tree by default); prints what it found, exit code 0 when
//                                everything held
//   consumer window              checks the views, then closes the window while they are linked
//                                and destroys them after the message loop, as a program does
//   consumer --run               shows the window until it is closed

#include "combo/NameSpaceCombo.h"
#include "controls/Application.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

LRESULT CALLBACK MainProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(Window, Msg, WParam, LParam);
}

HWND MakeMainWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ConsumerWindow";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"Varnel in an application", WS_OVERLAPPEDWINDOW,
                           40, 40, 820, 520, nullptr, nullptr, wc.hInstance, nullptr);
}

void Settle() {
    for (int i = 0; i < 40; ++i) {
        Application().ProcessMessages();
        Sleep(10);
    }
}

// Common controls 6 are loaded from the side-by-side store the manifest names (their version
// number does not tell them apart).
bool CommonControls6() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
    return StrStrIW(path, L"\\winsxs\\") != nullptr;
}

int g_iFailures = 0;

void Check(bool Holds, const char* What) {
    std::printf("%s: %s\n", Holds ? "ok" : "FAILED", What);
    g_iFailures += Holds ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "tree";
    HWND window = MakeMainWindow();
    ShowWindow(window, SW_SHOW);

    auto tree = std::make_unique<TNameSpaceEnumerator>(nullptr);
    auto list = std::make_unique<TFolderEnumerator>(nullptr);
    auto combo = std::make_unique<TNameSpaceCombo>(nullptr);
    combo->SetParentWindow(window);
    combo->SetBounds(8, 8, 796, 24);
    tree->SetParentWindow(window);
    tree->SetBounds(8, 40, 260, 432);
    list->SetParentWindow(window);
    list->SetBounds(276, 40, 528, 432);
    list->SetViewStyle(vsReport);
    tree->SetFolderEnumerator(list.get());
    combo->SetNameSpaceEnumerator(tree.get());

    list->SetFolder("C:\\windows");
    Settle();
    if (first == "--run") {
        Application().Run();
        return 0;
    }
    const std::string shown = tree->GetSelection();
    Check(_stricmp(shown.c_str(), "C:\\windows") == 0, "the tree followed the list to C:\\windows");
    Check(list->Items().Count() > 0, "the list shows the folder's items");
    Check(combo->NameSpaceEnumerator() == tree.get() && tree->FolderEnumerator() == list.get(),
          "the views are linked");
    Check(FindResourceW(nullptr, L"FOLDERCOLUMNFORM", MAKEINTRESOURCEW(10)) != nullptr,
          "the package's resources came with the library");
    Check(CommonControls6(), "the application manifest asks for common controls 6");

    if (first == "list") {
        list.reset();
        Check(tree->FolderEnumerator() == nullptr, "the tree forgot the list");
        tree->GotoParent(); // would tell the list that is gone
        tree.reset();
        Check(combo->NameSpaceEnumerator() == nullptr, "the combo forgot the tree");
    } else if (first == "combo") {
        combo.reset();
        Check(tree->NameSpaceCombo() == nullptr, "the tree forgot the combo");
        tree->GotoParent(); // would tell the combo that is gone
        tree.reset();
        Check(list->NameSpaceEnumerator() == nullptr, "the list forgot the tree");
    } else if (first == "window") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        Application().Run(); // ends with the window
        Check(!IsWindow(window) && !tree->HandleAllocated() && !list->HandleAllocated() &&
                  !combo->HandleAllocated(),
              "the views' windows went with the application's window");
        tree.reset();
        Check(list->NameSpaceEnumerator() == nullptr, "the list forgot the tree");
    } else {
        tree.reset();
        Check(combo->NameSpaceEnumerator() == nullptr && list->NameSpaceEnumerator() == nullptr,
              "list and combo forgot the tree");
        list->SetFolder("C:\\"); // would tell the tree that is gone
    }
    if (IsWindow(window))
        Settle();
    combo.reset();
    list.reset();
    tree.reset();
    if (IsWindow(window))
        DestroyWindow(window);
    std::printf("%s\n", g_iFailures ? "consumer: FAILED"
                                    : "consumer: all views linked and "
                                      "parted cleanly");
    return g_iFailures ? 1 : 0;
}
