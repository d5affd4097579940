#include "WindowPicture.h"

#include <cstdio>

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
