#include "BenchFolder.h"

#include "identifiers/Holders.h"
#include "identifiers/OwnedPidl.h"
#include "shell/ShellRoutines.h"

#include <cstdio>
#include <cstring>

namespace BenchFolder {
namespace {

const wchar_t* const kExtensions[] = {L".txt", L".doc", L".bmp", L".log",  L".dat",
                                      L".ini", L".csv", L".xml", L".html", L".zip"};

std::wstring FileName(int i) {
    wchar_t name[64];
    // One file in a hundred each a program, a shortcut or an internet shortcut.
    const wchar_t* extension = i % 100 == 1   ? L".exe"
                               : i % 100 == 2 ? L".lnk"
                               : i % 100 == 3 ? L".url"
                                              : kExtensions[i % 10];
    swprintf(name, 64, L"\\File %05d%ls", i, extension);
    return name;
}

std::wstring SubfolderName(int i) {
    wchar_t name[32];
    swprintf(name, 32, L"\\Folder %03d", i);
    return name;
}

bool WriteText(const std::wstring& path, const char* text) {
    const OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

// A real shortcut to the folder itself, copied for every .lnk.
bool MakeShortcut(const std::wstring& dir, const std::wstring& path) {
    ComPtr<IShellLinkW> link;
    if (FAILED(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return false;
    link->SetPath(dir.c_str());
    ComPtr<IPersistFile> file;
    return SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Save(path.c_str(), TRUE));
}

} // namespace

void Remove(const std::wstring& Dir, int Count) {
    for (int i = 0; i < Count; ++i)
        DeleteFileW((Dir + FileName(i)).c_str());
    for (int i = 0; i < kFolders; ++i)
        RemoveDirectoryW((Dir + SubfolderName(i)).c_str());
    DeleteFileW((Dir + L"\\shortcut.lnk").c_str());
    RemoveDirectoryW(Dir.c_str());
}

bool Make(const std::wstring& Dir, int Count) {
    if (!CreateDirectoryW(Dir.c_str(), nullptr))
        return false;
    const std::wstring shortcut = Dir + L"\\shortcut.lnk";
    if (!MakeShortcut(Dir, shortcut))
        return false;
    for (int i = 0; i < kFolders; ++i)
        if (!CreateDirectoryW((Dir + SubfolderName(i)).c_str(), nullptr))
            return false;
    for (int i = 0; i < Count; ++i) {
        const std::wstring path = Dir + FileName(i);
        const bool ok = i % 100 == 2 ? CopyFileW(shortcut.c_str(), path.c_str(), FALSE) != 0
                        : i % 100 == 3
                            ? WriteText(path, "[InternetShortcut]\r\nURL=http://example.com/\r\n")
                            : WriteText(path, "some text\r\n");
        if (!ok)
            return false;
    }
    return DeleteFileW(shortcut.c_str()) != 0;
}

ComPtr<IShellFolder> Bind(const std::wstring& Dir) {
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return nullptr;
    std::wstring path = Dir;
    OwnedPidl pidl;
    if (FAILED(
            desktop->ParseDisplayName(nullptr, nullptr, path.data(), nullptr, pidl.Put(), nullptr)))
        return nullptr;
    ComPtr<IShellFolder> folder;
    EnumGlobals::BindToFolder(pidl.Get(), desktop.Get(), folder);
    return folder;
}

} // namespace BenchFolder
