// A small window of the host application holding the framework's three controls: a tree, a
// report list and an owner-drawn combo box filled with plain text. With VARNEL_SCREENSHOT set
// to a .bmp path, it saves a picture of its window there and ends.

#include "controls/Application.h"
#include "controls/ComboBox.h"
#include "controls/ListView.h"
#include "controls/TreeView.h"
#include "identifiers/WideText.h"

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

bool SaveWindowPicture(HWND window, const std::wstring& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC windowDC = GetWindowDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memoryDC, bitmap);
    BitBlt(memoryDC, 0, 0, width, height, windowDC, 0, 0, SRCCOPY);
    SelectObject(memoryDC, old);
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    bool saved = false;
    if (FILE* out = _wfopen(path.c_str(), L"wb")) {
        saved = fwrite(&file, sizeof(file), 1, out) == 1 &&
                fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                fwrite(bits, 1, imageSize, out) == imageSize;
        fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    return saved;
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
