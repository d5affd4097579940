// How long the folder list takes to show a large folder, beside the platform's own folder view
// showing the same folder, in one process.
//
// For 10,000 and 30,000 files (or the counts given as arguments) it makes a folder on drive C
// holding that many files of about ten extensions (some programs, shortcuts and internet
// shortcuts among them) and 200 subfolders, then times, alternating, three runs of each:
//   platform: the platform's view in details mode, from asking for it until its list holds
//             every item and has drawn;
//   list:     a new TFolderEnumerator in report view, from its construction through its window
//             and SetFolder until it has drawn (icon and type answers forgotten first);
// and prints the medians and their ratio. Then, for each size: what computing every
// row's name, icon and texts at once costs; a sort by Type right after a fill; the idle time
// until every row is computed; a refresh of the unchanged folder with a row selected; each
// column's sort; and the heap bytes the rows take. The folder is removed afterwards.

#include "PlatformView.h"

#include "bench/support/BenchHost.h"
#include "bench/support/Timing.h"
#include "controls/Application.h"
#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/Holders.h"
#include "identifiers/OwnedPidl.h"
#include "identifiers/WideText.h"
#include "list/FolderEnumerator.h"
#include "shell/ShellRoutines.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using namespace EnumGlobals;

namespace {

using namespace BenchTiming;

constexpr int kFolders = 200;
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

bool WriteFile(const std::wstring& path, const char* text) {
    const OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
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

void RemoveData(const std::wstring& dir, int count) {
    for (int i = 0; i < count; ++i)
        DeleteFileW((dir + FileName(i)).c_str());
    for (int i = 0; i < kFolders; ++i)
        RemoveDirectoryW((dir + SubfolderName(i)).c_str());
    DeleteFileW((dir + L"\\shortcut.lnk").c_str());
    RemoveDirectoryW(dir.c_str());
}

bool MakeData(const std::wstring& dir, int count) {
    if (!CreateDirectoryW(dir.c_str(), nullptr))
        return false;
    const std::wstring shortcut = dir + L"\\shortcut.lnk";
    if (!MakeShortcut(dir, shortcut))
        return false;
    for (int i = 0; i < kFolders; ++i)
        if (!CreateDirectoryW((dir + SubfolderName(i)).c_str(), nullptr))
            return false;
    for (int i = 0; i < count; ++i) {
        const std::wstring path = dir + FileName(i);
        const bool ok = i % 100 == 2 ? CopyFileW(shortcut.c_str(), path.c_str(), FALSE) != 0
                        : i % 100 == 3
                            ? WriteFile(path, "[InternetShortcut]\r\nURL=http://example.com/\r\n")
                            : WriteFile(path, "some text\r\n");
        if (!ok)
            return false;
    }
    return DeleteFileW(shortcut.c_str()) != 0;
}

ComPtr<IShellFolder> BindPath(const std::wstring& dir) {
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return nullptr;
    std::wstring path = dir;
    OwnedPidl pidl;
    if (FAILED(
            desktop->ParseDisplayName(nullptr, nullptr, path.data(), nullptr, pidl.Put(), nullptr)))
        return nullptr;
    ComPtr<IShellFolder> folder;
    BindToFolder(pidl.Get(), desktop.Get(), folder);
    return folder;
}

// The bytes in use in every heap of the process: the rows' records and texts, the window's item
// store and the identifier lists all come from these.
size_t HeapBytesInUse() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    size_t total = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        HeapUnlock(heap);
    }
    return total;
}

// What computing every row's parts costs, part by part, on a list just filled.
void TimeParts(TFolderEnumerator& list) {
    const int count = list.Items().Count();
    auto start = Clock::now();
    for (int i = 0; i < count; ++i)
        list.Items().Item(i)->Caption();
    const double names = Milliseconds(start);
    start = Clock::now();
    for (int i = 0; i < count; ++i)
        list.Items().Item(i)->ImageIndex();
    const double icons = Milliseconds(start);
    start = Clock::now();
    for (int i = 0; i < count; ++i)
        list.Items().Item(i)->SubItems();
    const double texts = Milliseconds(start);
    std::printf("  every row's parts at once: names %.0f ms, icons %.0f ms, column texts %.0f "
                "ms\n",
                names, icons, texts);
}

std::unique_ptr<TFolderEnumerator> NewList(HWND host) {
    auto list = std::make_unique<TFolderEnumerator>(nullptr);
    list->SetAutoRefresh(false);
    list->SetViewStyle(vsReport);
    list->SetParentWindow(host);
    RECT area{};
    GetClientRect(host, &area);
    list->SetBounds(0, 0, area.right, area.bottom);
    return list;
}

double TimeList(HWND host, const std::string& dir, std::unique_ptr<TFolderEnumerator>& list) {
    list.reset();
    FlushShellInfoCache();
    const auto start = Clock::now();
    list = NewList(host);
    list->HandleNeeded();
    list->SetFolder(dir);
    UpdateWindow(list->Handle());
    return Milliseconds(start);
}

// Lets idle time compute every row, as it does after a fill while the user looks.
double IdleUntilResolved(TFolderEnumerator& list) {
    const auto start = Clock::now();
    for (;;) {
        bool pending = false;
        for (int i = list.Items().Count() - 1; i >= 0 && !pending; --i)
            pending = list.Items().Item(i)->Pending() != ipNone;
        if (!pending || Milliseconds(start) > 120000)
            break;
        MSG msg;
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0)
            break;
        DispatchMessageW(&msg);
    }
    return Milliseconds(start);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {10000, 30000};
    HWND host = BenchHost::MakeHost(L"list-fill", 800, 600);
    if (!host)
        return 1;

    int status = 0;
    for (const int count : sizes) {
        wchar_t name[64];
        swprintf(name, 64, L"C:\\varnel-list-bench-%d", count);
        const std::wstring dir = name;
        RemoveData(dir, count);
        if (!MakeData(dir, count)) {
            std::printf("cannot make %d files under C:\\\n", count);
            RemoveData(dir, count);
            status = 1;
            continue;
        }
        const int items = count + kFolders;
        ComPtr<IShellFolder> folder = BindPath(dir);
        std::vector<double> platform, ours;
        int platformRows = 0;
        std::unique_ptr<TFolderEnumerator> list;
        for (int run = 0; run < 3 && folder; ++run) {
            platform.push_back(TimePlatformView(host, folder.Get(), items, 60000, platformRows));
            ours.push_back(TimeList(host, WideToUtf8(dir), list));
        }
        const double p = Median(platform);
        const double o = Median(ours);
        std::printf("%d files + %d folders: platform view %.0f ms (%d rows), list %.0f ms (%d "
                    "rows), list/platform %.2f\n",
                    count, kFolders, p, platformRows, o, list ? list->Items().Count() : 0,
                    p > 0 ? o / p : 0.0);

        if (list) {
            TimeParts(*list);
            FlushShellInfoCache();
            list = NewList(host);
            list->HandleNeeded();
            list->SetFolder(WideToUtf8(dir));
            // Right after the fill, before idle time has computed any texts.
            auto cold = Clock::now();
            list->SetColumnSort(cnType);
            std::printf("  sort by Type right after the fill: %.0f ms\n", Milliseconds(cold));
            const double idle = IdleUntilResolved(*list);
            list->SetSelected(list->Items().Item(list->Items().Count() / 2));
            auto start = Clock::now();
            list->Refresh();
            const double refresh = Milliseconds(start);
            std::printf("  idle time to compute every row %.0f ms; refresh, unchanged, a row "
                        "selected: %.0f ms (%.2f of the first fill), selected again: %s\n",
                        idle, refresh, o > 0 ? refresh / o : 0.0,
                        list->Selected() ? list->Selected()->Caption().c_str() : "none");
            const TColumnName columns[] = {cnSize, cnType, cnModified, cnName};
            const char* names[] = {"Size", "Type", "Modified", "Name"};
            for (int c = 0; c < 4; ++c) {
                start = Clock::now();
                list->SetColumnSort(columns[c]);
                std::printf("  sort by %s: %.0f ms\n", names[c], Milliseconds(start));
            }
            // The rows' own memory: a list of the folder against an empty one.
            list.reset();
            auto empty = NewList(host);
            empty->HandleNeeded();
            const size_t before = HeapBytesInUse();
            empty->SetFolder(WideToUtf8(dir));
            IdleUntilResolved(*empty);
            const size_t after = HeapBytesInUse();
            size_t pidlBytes = 0;
            for (int i = 0; i < empty->Items().Count(); ++i) {
                const TItemData* data = TFolderEnumerator::ItemData(empty->Items().Item(i));
                pidlBytes += GetPidlSize(data->pFQPidl.Get()) + GetPidlSize(data->pPidl.Get());
            }
            const int rows = empty->Items().Count();
            std::printf(
                "  heap bytes in use grew %.0f KB for %d rows: %.0f bytes per row, of which "
                "%.0f the two identifier lists\n",
                (after - before) / 1024.0, rows, rows ? double(after - before) / rows : 0.0,
                rows ? double(pidlBytes) / rows : 0.0);
        }
        list.reset();
        folder.Reset();
        RemoveData(dir, count);
    }
    DestroyWindow(host);
    return status;
}
