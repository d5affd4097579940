#include "support/HostWindow.h"

#include "controls/Form.h"

#include "identifiers/Holders.h"

#include <tlhelp32.h>
#include <winternl.h>

namespace {

constexpr wchar_t kHostClass[] = L"VarnelTestHost";

void RegisterHostClass() {
    static bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kHostClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

} // namespace

// One host window serves every test (making and destroying a shown window costs Wine seconds);
// each test destroys the controls it placed in it.
THostWindow::THostWindow(int Width, int Height) {
    static HWND shared = nullptr;
    if (!IsWindow(shared)) {
        RegisterHostClass();
        shared =
            CreateWindowExW(0, kHostClass, L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 10, 10,
                            Width, Height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ShowWindow(shared, SW_SHOWNOACTIVATE);
    }
    m_hWindow = shared;
    SetWindowPos(m_hWindow, nullptr, 10, 10, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
}

THostWindow::~THostWindow() {
    PumpMessages();
}

// As the application's loop does: a form's dialog keys come first.
void PumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        TForm::DispatchQueued(msg);
}

void Pump(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now; (now = GetTickCount64()) < end;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        PumpMessages();
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() >= end)
            return done();
        Pump(20);
    }
    return true;
}

int CountThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

namespace {

// One entry of the process's shared GDI handle table; a live object has a type.
struct GdiHandleEntry {
    unsigned long long Object;
    unsigned int Owner;
    unsigned short Unique;
    unsigned char Type;
    unsigned char Flags;
    unsigned long long UserData;
};
constexpr int kGdiHandleTableEntries = 0x10000;

// Wine answers 0 to GetGuiResources, but keeps the platform's shared handle table, whose address
// the process environment block holds: count the live entries there instead.
int CountGdiObjectsInHandleTable() {
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof basic, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0xF8);
    if (!table)
        return -1;
    int count = 0;
    for (int i = 0; i < kGdiHandleTableEntries; ++i)
        count += table[i].Type != 0;
    return count;
}

} // namespace

int CountGdiObjects() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return counted ? static_cast<int>(counted) : CountGdiObjectsInHandleTable();
}

int CountThreads() {
    const OwnedHandle held(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!held)
        return -1;
    HANDLE snapshot = held.Get();
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    return count;
}
