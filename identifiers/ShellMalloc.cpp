#include "identifiers/ShellMalloc.h"

#include <windows.h>
#include <shlobj.h>

IMalloc* g_ShellMalloc = nullptr;

namespace {

// Load and unload of the package: one static object whose life spans the program's.
class PackageLifetime {
public:
    PackageLifetime() {
        m_oleInitialised = SUCCEEDED(OleInitialize(nullptr));
        if (FAILED(SHGetMalloc(&g_ShellMalloc)) || !g_ShellMalloc) {
            MessageBoxW(nullptr, L" Unable to obtain the shell's allocator", L"Varnel",
                        MB_OK | MB_ICONERROR);
            ExitProcess(1);
        }
    }
    ~PackageLifetime() {
        if (g_ShellMalloc)
            g_ShellMalloc->Release();
        g_ShellMalloc = nullptr;
        if (m_oleInitialised)
            OleUninitialize();
    }
    PackageLifetime(const PackageLifetime&) = delete;
    PackageLifetime& operator=(const PackageLifetime&) = delete;

private:
    bool m_oleInitialised = false;
};

PackageLifetime g_packageLifetime;

} // namespace
