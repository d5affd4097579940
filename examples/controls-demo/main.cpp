// A small window of the host application holding the framework's three controls: a tree, a
// report list and an owner-drawn combo box filled with plain text. With VARNEL_SCREENSHOT set
// to a .bmp path, it saves a picture of its window there and ends.

#include "controls/Application.h"
#include "controls/ComboBox.h"
#include "controls/ListView.h"
#include "controls/TreeView.h"
#include "identifiers/WideText.h"

#include "support/WindowPicture.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        Application().Terminate();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

HWND MakeHostWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"ControlsDemoHost";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"Controls demo", WS_OVERLAPPEDWINDOW, 40, 40, 640,
                           400, nullptr, nullptr, wc.hInstance, nullptr);
}

void FillTree(TCustomTreeView& tree) {
    TTreeNodes& nodes = tree.Items();
    TTreeNode* desktop = nodes.AddChild(nullptr, "Desktop");
    TTreeNode* computer = nodes.AddChild(desktop, "My Computer");
    TTreeNode* drive = nodes.AddChild(computer, "Local Disk (C:)");
    for (const char* name : {"Program Files", "users", "windows"})
        nodes.AddChild(drive, name);
    nodes.AddChild(computer, "Control Panel");
    nodes.AddChild(desktop, "Documents");
    nodes.AddChild(desktop, "Trash");
    desktop->Expand(false);
    computer->Expand(false);
    drive->Expand(false);
    tree.SetSelected(drive);
}

void FillList(TCustomListView& list) {
    struct Row {
        const char *Name, *Size, *Type;
    };
    const Row rows[] = {{"Program Files", "", "File folder"},
                        {"users", "", "File folder"},
                        {"windows", "", "File folder"},
                        {"readme.txt", "1KB", "Text Document"},
                        {"setup.log", "12KB", "Log file"}};
    for (const char* caption : {"Name", "Size", "Type"}) {
        TListColumn* column = list.Columns().Add();
        column->SetCaption(caption);
        column->SetWidth(caption[0] == 'S' ? 60 : 130);
        if (caption[0] == 'S')
            column->SetAlignment(taRightJustify);
    }
    list.Items().BeginUpdate();
    for (const Row& row : rows) {
        TListItem* item = list.Items().Add();
        item->SetCaption(row.Name);
        item->SubItems().Add(row.Size);
        item->SubItems().Add(row.Type);
    }
    list.Items().EndUpdate();
    list.SetSelected(list.Items()[3]);
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

} // namespace

int main() {
    HWND host = MakeHostWindow();
    if (!host)
        return 1;

    TCustomComboBox combo(nullptr);
    combo.SetStyle(csOwnerDrawFixed);
    combo.SetBounds(8, 8, 300, 24);
    combo.SetItemHeight(18);
    for (const char* s : {"Desktop", "My Computer", "Local Disk (C:)", "Documents"})
        combo.Items().Add(s);
    combo.SetItemIndex(2);
    combo.SetParentWindow(host);

    TCustomTreeView tree(nullptr);
    tree.SetBounds(8, 40, 220, 310);
    tree.SetHideSelection(false);
    tree.SetParentWindow(host);
    FillTree(tree);

    TCustomListView list(nullptr);
    list.SetViewStyle(vsReport);
    list.SetHideSelection(false);
    list.SetBounds(236, 40, 380, 310);
    list.SetParentWindow(host);
    FillList(list);

    ShowWindow(host, SW_SHOW);
    UpdateWindow(host);
    // The controls were placed while the host was hidden: they make their windows now.
    combo.HandleNeeded();
    tree.HandleNeeded();
    list.HandleNeeded();

    const char* shot = std::getenv("VARNEL_SCREENSHOT");
    if (!shot || !*shot) {
        Application().Run();
        return 0;
    }
    for (int i = 0; i < 20; ++i) {
        Application().ProcessMessages();
        Sleep(25);
    }
    RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application().ProcessMessages();
    const bool saved = SaveWindowPicture(host, WindowsPath(shot));
    DestroyWindow(host);
    return saved ? 0 : 1;
}
