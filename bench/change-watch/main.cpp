// What watching a subtree costs: the time to start watching a tree of N folders, the processor time
// used while nothing changes, and how soon a change at the bottom of the tree is seen.
//   change-watch [folders]   (default 10000; the tree is made under C:\ and removed afterwards)
//   change-watch root        the whole of C:\, as the views watch it; the change is made three
//                            levels below a folder made under C:\ before the watch starts

#include "framework/ChangeSource.h"
#include "framework/HostInotifyChangeSource.h"
#include "identifiers/Holders.h"
#include "identifiers/WideText.h"

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return (value(kernel) + value(user)) / 10000.0;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring full = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

// Folders below `path`, itself included.
int CountFolders(const std::wstring& path) {
    int count = 1;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return count;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            count += CountFolders(path + L"\\" + name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

// Starts watching `watched`, idles, then makes a file in `deepest` and waits for the signal.
int Measure(const std::wstring& watched, const std::wstring& deepest) {
    PROCESS_MEMORY_COUNTERS memoryBefore{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memoryBefore, sizeof memoryBefore);
    const double cpuBefore = CpuMs();
    const auto start = Clock::now();
    auto source = TChangeSource::Open(WideToUtf8(watched), 0x1F);
    const auto opened = Clock::now();
    const double cpuOpen = CpuMs() - cpuBefore;
    if (!source) {
        std::printf("the tree cannot be watched\n");
        return 1;
    }
    if (auto* host = dynamic_cast<THostInotifyChangeSource*>(source.get()))
        std::printf("host watches           %d (%d past the host's limit)\n", host->WatchCount(),
                    host->ShallowCount());
    else
        std::printf("host watches           none: the platform's own notification\n");

    Sleep(200);
    source->Rearm();
    const double cpuIdleStart = CpuMs();
    Sleep(5000);
    const double cpuIdle = CpuMs() - cpuIdleStart;

    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

    const auto before = Clock::now();
    OwnedHandle(CreateFileW((deepest + L"\\new.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
    HANDLE handle = source->Handle();
    const DWORD woke = WaitForSingleObject(handle, 5000);
    const auto seen = Clock::now();

    std::printf("start watching         %.1f ms wall, %.1f ms processor\n", Ms(opened - start),
                cpuOpen);
    std::printf("idle for 5 s           %.1f ms processor\n", cpuIdle);
    std::printf("working set            %.1f MB (%.1f MB before watching)\n",
                memory.WorkingSetSize / 1048576.0, memoryBefore.WorkingSetSize / 1048576.0);
    std::printf("deepest change seen    %s after %.1f ms\n", woke == WAIT_OBJECT_0 ? "yes" : "NO",
                Ms(seen - before));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool wholeDrive = argc > 1 && std::string(argv[1]) == "root";
    const int folders = argc > 1 && !wholeDrive ? std::atoi(argv[1]) : 10000;
    const std::wstring root = L"C:\\varnel-bench-watch";
    RemoveTree(root);
    CreateDirectoryW(root.c_str(), nullptr);
    if (wholeDrive) {
        const std::wstring deepest = root + L"\\x\\y\\z";
        for (const wchar_t* level : {L"\\x", L"\\x\\y", L"\\x\\y\\z"})
            CreateDirectoryW((root + level).c_str(), nullptr);
        std::printf("folders on C:\\         %d\n", CountFolders(L"C:"));
        const int status = Measure(L"C:\\", deepest);
        RemoveTree(root);
        return status;
    }
    // Three levels: 20 x 25 x the rest, so the tree is both wide and deep.
    std::wstring deepest;
    for (int i = 0; i < folders; ++i) {
        const std::wstring a = root + L"\\a" + std::to_wstring(i % 20);
        const std::wstring b = a + L"\\b" + std::to_wstring(i % 500);
        const std::wstring c = b + L"\\c" + std::to_wstring(i);
        CreateDirectoryW(a.c_str(), nullptr);
        CreateDirectoryW(b.c_str(), nullptr);
        CreateDirectoryW(c.c_str(), nullptr);
        deepest = c;
    }

    std::printf("folders watched        %d (+ %d levels above them)\n", folders, 2);
    const int status = Measure(root, deepest);
    RemoveTree(root);
    return status;
}
