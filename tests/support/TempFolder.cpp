#include "support/TempFolder.h"

#include "identifiers/Holders.h"
#include "identifiers/WideText.h"

#include <windows.h>

#include <atomic>

namespace {

std::string Join(const std::string& folder, const std::string& relative) {
    return folder + "\\" + relative;
}

} // namespace

TempFolder::TempFolder(const std::string& prefix) {
    static std::atomic<int> counter{0};
    for (;;) {
        m_Path = "C:\\" + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(counter++);
        if (CreateDirectoryW(Utf8ToWide(m_Path).c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TempFolder::~TempFolder() {
    // A watcher a test has just stopped may still hold the folder for a moment.
    for (int tries = 0; !RemoveTree(m_Path) && tries < 50; ++tries)
        Sleep(20);
}

std::string TempFolder::MakeFolder(const std::string& relative) const {
    const std::string full = Join(m_Path, relative);
    for (size_t at = m_Path.size() + 1; at != std::string::npos;) {
        at = full.find('\\', at + 1);
        CreateDirectoryW(Utf8ToWide(full.substr(0, at)).c_str(), nullptr);
    }
    return full;
}

std::string TempFolder::MakeFile(const std::string& relative, const std::string& contents) const {
    const std::string full = Join(m_Path, relative);
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos)
        MakeFolder(relative.substr(0, slash));
    const OwnedHandle file(CreateFileW(Utf8ToWide(full).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        DWORD written = 0;
        WriteFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                  nullptr);
    }
    return full;
}

bool RemoveTree(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileW(wide.c_str()) || RemoveDirectoryW(wide.c_str());
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((wide + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                RemoveTree(path + "\\" + WideToUtf8(name));
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(wide.c_str()) != FALSE;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
