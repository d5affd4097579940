#include "shell/ViewShell.h"

#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <shellapi.h>

bool TViewShell::GetDesktopFolder(ComPtr<IShellFolder>& Result) {
    Result.Reset();
    if (SHGetDesktopFolder(&Result) != S_OK || !Result) {
        Result.Reset();
        return false;
    }
    return true;
}

OwnedPidl TViewShell::GetSpecialFolderLocation(HWND Owner, int nFolder) {
    OwnedPidl pidl;
    if (FAILED(SHGetSpecialFolderLocation(Owner, nFolder, pidl.Put())))
        pidl.Reset();
    return pidl;
}

int TViewShell::Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2) {
    return EnumGlobals::Comparepidls(FQpidl1, FQpidl2);
}

std::string TViewShell::GetDisplayName(LPCITEMIDLIST FQPidl) {
    SHFILEINFOW info{};
    if (!FQPidl || !SHGetFileInfoW(reinterpret_cast<LPCWSTR>(FQPidl), 0, &info, sizeof info,
                                   SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return {};
    info.szDisplayName[MAX_PATH - 1] = L'\0';
    return WideToUtf8(info.szDisplayName);
}

void TViewShell::GetSmallIcons(LPCITEMIDLIST FQPidl, int& Normal, int& Selected) {
    Normal = EnumGlobals::GetSmallIconIndex(FQPidl);
    Selected = EnumGlobals::GetOpenSmallIconIndex(FQPidl);
}

bool TViewShell::IsPlainFolder(IShellFolder* Folder, LPCITEMIDLIST Child, SFGAOF Attributes) {
    if (!Folder || !Child ||
        (Attributes & (SFGAO_FILESYSTEM | SFGAO_FOLDER | SFGAO_LINK | SFGAO_STREAM)) !=
            (SFGAO_FILESYSTEM | SFGAO_FOLDER))
        return false;
    WIN32_FIND_DATAW data{};
    if (FAILED(SHGetDataFromIDListW(Folder, Child, SHGDFIL_FINDDATA, &data, sizeof data)))
        return false;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (data.dwFileAttributes &
         (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    data.cFileName[MAX_PATH - 1] = L'\0';
    return wcsstr(data.cFileName, L".{") == nullptr;
}

std::string TViewShell::GetPathFromIDList(LPCITEMIDLIST FQPidl) {
    wchar_t path[MAX_PATH] = {};
    if (!FQPidl || !SHGetPathFromIDListW(FQPidl, path))
        return {};
    path[MAX_PATH - 1] = L'\0';
    return WideToUtf8(path);
}

namespace {

// The system image list of one size (SHGFI_SMALLICON or SHGFI_LARGEICON). Asked without
// SHGFI_ICON: the answer is the list alone, with no icon handle to destroy.
HIMAGELIST SystemImageList(UINT Size) {
    SHFILEINFOW info{};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | Size));
    if (list)
        return list;
    // Some shells answer nothing for the empty path; any existing path gives the same list.
    wchar_t windows[MAX_PATH] = {};
    if (!GetWindowsDirectoryW(windows, MAX_PATH))
        return nullptr;
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(windows, 0, &info, sizeof info, SHGFI_SYSICONINDEX | Size));
}

} // namespace

HIMAGELIST TViewShell::GetSmallSystemImageList() {
    return SystemImageList(SHGFI_SMALLICON);
}

HIMAGELIST TViewShell::GetLargeSystemImageList() {
    return SystemImageList(SHGFI_LARGEICON);
}

int TViewShell::GetSmallIconIndex(LPCITEMIDLIST FQPidl) {
    return EnumGlobals::GetSmallIconIndex(FQPidl);
}

std::string TViewShell::GetTypeName(LPCITEMIDLIST FQPidl) {
    std::string name;
    EnumGlobals::GetItemName(FQPidl, name);
    return name;
}
