#include "ExampleWindow.h"

#include "controls/Application.h"
#include "identifiers/WideText.h"

#include <cstdio>
#include <cstdlib>

HWND MakeExampleWindow(const wchar_t* ClassName, const wchar_t* Title, WNDPROC Proc, int Width,
                       int Height) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    RegisterClassExW(&wc);
    return CreateWindowExW(0, ClassName, Title, WS_OVERLAPPEDWINDOW, 40, 40, Width, Height, nullptr,
                           nullptr, wc.hInstance, nullptr);
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

int RunOrSaveScreenshot(HWND Window) {
    const char* shot = std::getenv("VARNEL_SCREENSHOT");
    if (!shot || !*shot) {
        Application().Run();
        return 0;
    }
    for (int i = 0; i < 20; ++i) {
        Application().ProcessMessages();
        Sleep(25);
    }
    RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application().ProcessMessages();
    const bool saved = SaveWindowPicture(Window, WindowsPath(shot));
    DestroyWindow(Window);
    return saved ? 0 : 1;
}
