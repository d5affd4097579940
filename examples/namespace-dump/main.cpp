// Walks the real shell namespace from the desktop: the desktop's items, the items of each of its
// folders (My Computer's drives among them) and the folders of each of those, printing each item's
// display name, attributes and identifier-list size; then lists one full list byte by byte.
// A diagnostic for the toolchain, Wine and the shell working end to end.

#include "identifiers/StringList.h"
#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/OwnedPidl.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

using namespace EnumGlobals;

namespace {

constexpr int kMaxDepth = 3;

std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST child) {
    STRRET name{};
    if (folder->GetDisplayNameOf(child, SHGDN_NORMAL, &name) != S_OK)
        return "?";
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(StrRetToBufW(&name, child, buffer, MAX_PATH)))
        return "?";
    return WideToUtf8(buffer);
}

void Walk(IShellFolder* folder, int depth) {
    SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN;
    if (depth < kMaxDepth)
        flags |= SHCONTF_NONFOLDERS;
    ComPtr<IEnumIDList> items;
    if (folder->EnumObjects(nullptr, flags, &items) != S_OK || !items)
        return;
    for (;;) {
        OwnedPidl child;
        if (items->Next(1, child.Put(), nullptr) != S_OK)
            break;
        LPCITEMIDLIST list = child.Get();
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER |
                            SFGAO_FILESYSANCESTOR | SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_LINK |
                            SFGAO_SHARE;
        if (FAILED(folder->GetAttributesOf(1, &list, &attributes)))
            attributes = 0;
        std::printf("%*s%s  [attributes 0x%08lX, %d bytes]\n", depth * 2, "",
                    DisplayName(folder, list).c_str(), static_cast<unsigned long>(attributes),
                    GetPidlSize(list));
        if (depth < kMaxDepth && (attributes & SFGAO_FOLDER)) {
            ComPtr<IShellFolder> sub;
            if (SUCCEEDED(folder->BindToObject(list, nullptr, IID_PPV_ARGS(&sub))) && sub)
                Walk(sub.Get(), depth + 1);
        }
    }
}

} // namespace

int main() {
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK) {
        std::printf("The desktop folder is not available.\n");
        return 1;
    }
    std::printf("Desktop\n");
    Walk(desktop.Get(), 1);

    OwnedPidl drive;
    ULONG eaten = 0;
    wchar_t path[] = L"C:\\";
    if (SUCCEEDED(
            desktop->ParseDisplayName(nullptr, nullptr, path, &eaten, drive.Put(), nullptr))) {
        TStringList lines;
        ListPidl(drive.Get(), lines);
        std::printf("\nListPidl of C:\\ (%d bytes):\n", GetPidlSize(drive.Get()));
        for (const std::string& line : lines)
            std::printf("  %s\n", line.c_str());
    }
    return 0;
}
