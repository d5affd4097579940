#include "controls/Dialogs.h"

#include "identifiers/WideText.h"

#include <windows.h>

void ShowMessage(const std::string& Text) {
    wchar_t title[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, title, MAX_PATH);
    title[MAX_PATH - 1] = L'\0';
    // The program's file name without its folder and extension, as the box's title.
    std::wstring caption = title;
    caption = caption.substr(caption.find_last_of(L"\\/") + 1);
    caption = caption.substr(0, caption.rfind(L'.'));
    MessageBoxW(GetActiveWindow(), Utf8ToWide(Text).c_str(), caption.c_str(), MB_OK);
}
