#include "ListMeasures.h"

#include "bench/support/BenchHost.h"
#include "bench/support/Timing.h"
#include "combo/NameSpaceCombo.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/Holders.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"
#include "tree/NameSpaceEnumerator.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <cstdio>
#include <thread>
#include <vector>

namespace ListMeasures {
namespace {

using namespace BenchTiming;

constexpr UINT kProbe = WM_APP + 7;

bool AnyPending(TFolderEnumerator& List) {
    // Idle time works from the first row on: the last rows are the last to be done.
    for (int i = List.Items().Count() - 1; i >= 0; --i)
        if (List.Items().Item(i)->Pending() != ipNone)
            return true;
    return false;
}

int64_t TimeKey(const TEntryDetails& Details) {
    FILETIME time{};
    if (!SystemTimeToFileTime(&Details.Date, &time))
        return 0;
    return (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

int Sign(int64_t v) {
    return v < 0 ? -1 : v > 0 ? 1 : 0;
}

// Letters a to z folded to upper case and the bytes compared: how captions are ordered.
int CompareCaptions(std::string a, std::string b) {
    for (std::string* text : {&a, &b})
        for (char& c : *text)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    return Sign(a.compare(b));
}

// The order of two rows by what they show: items that are not file-system objects first, then
// folders, then the column's text (or, for Size and Modified, the value the text shows).
int CompareShown(TListItem* a, TListItem* b, TColumnName Column) {
    const TItemData* ra = TFolderEnumerator::ItemData(a);
    const TItemData* rb = TFolderEnumerator::ItemData(b);
    const auto group = [](const TItemData* r) {
        const SFGAOF attributes = r ? r->EntryDetails.uAttrib : 0;
        return !(attributes & SFGAO_FILESYSTEM) ? 0 : (attributes & SFGAO_FOLDER) ? 1 : 2;
    };
    if (group(ra) != group(rb))
        return Sign(group(ra) - group(rb));
    switch (Column) {
    case cnName:
        return CompareCaptions(a->Caption(), b->Caption());
    case cnSize:
        // Larger first.
        return Sign(rb->EntryDetails.iSize - ra->EntryDetails.iSize);
    case cnModified:
        return Sign(TimeKey(ra->EntryDetails) - TimeKey(rb->EntryDetails));
    default: {
        // Every column shown: a column's text is sub-item Column - 1.
        const std::wstring ta = Utf8ToWide(a->SubItems()[Column - 1]);
        const std::wstring tb = Utf8ToWide(b->SubItems()[Column - 1]);
        return Sign(lstrcmpiW(ta.c_str(), tb.c_str()));
    }
    }
}

bool InShownOrder(TFolderEnumerator& List, TColumnName Column, TColumnSortOrder Order) {
    const int sign = Order == soDescending ? -1 : 1;
    for (int i = 1; i < List.Items().Count(); ++i)
        if (sign * CompareShown(List.Items().Item(i - 1), List.Items().Item(i), Column) > 0)
            return false;
    return true;
}

template <class View> void Place(View& Made, HWND Host, int Left, int Top, int Width, int Height) {
    Made.SetParentWindow(Host);
    Made.SetBounds(Left, Top, Width, Height);
    Made.HandleNeeded();
}

double TimeSetFolder(TFolderEnumerator& List, const std::string& Dir, bool Cold) {
    List.SetFolder("C:\\");
    if (Cold)
        EnumGlobals::FlushShellInfoCache();
    const auto start = Clock::now();
    List.SetFolder(Dir);
    UpdateWindow(List.Handle());
    return Milliseconds(start);
}

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

} // namespace

std::unique_ptr<TFolderEnumerator> NewList(HWND Host) {
    auto list = std::make_unique<TFolderEnumerator>(nullptr);
    list->SetAutoRefresh(false);
    list->SetViewStyle(vsReport);
    list->SetMultiSelect(true);
    for (TColumnName column : {cnExtension, cnAttributes})
        list->FolderColumns().SetVisible(column, true);
    list->SetParentWindow(Host);
    RECT area{};
    GetClientRect(Host, &area);
    list->SetBounds(0, 0, area.right, area.bottom);
    return list;
}

double FirstFill(HWND Host, const std::string& Dir, std::unique_ptr<TFolderEnumerator>& List) {
    List.reset();
    EnumGlobals::FlushShellInfoCache();
    const auto start = Clock::now();
    List = NewList(Host);
    List->HandleNeeded();
    List->SetFolder(Dir);
    UpdateWindow(List->Handle());
    return Milliseconds(start);
}

void PrintParts(TFolderEnumerator& List) {
    const int count = List.Items().Count();
    auto start = Clock::now();
    for (int i = 0; i < count; ++i)
        List.Items().Item(i)->Caption();
    const double names = Milliseconds(start);
    // Icons by extension: the time of the first and of the last tenth of each kind's rows tells
    // whether an icon costs more as more are asked.
    std::map<std::string, std::vector<double>> icons;
    start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const TItemData* data = TFolderEnumerator::ItemData(List.Items().Item(i));
        const auto one = Clock::now();
        List.Items().Item(i)->ImageIndex();
        icons[data ? data->sExtension : std::string()].push_back(Milliseconds(one));
    }
    const double allIcons = Milliseconds(start);
    start = Clock::now();
    for (int i = 0; i < count; ++i)
        List.Items().Item(i)->SubItems();
    std::printf("  every row's parts at once: names %.0f ms, icons %.0f ms, column texts %.0f "
                "ms\n",
                names, allIcons, Milliseconds(start));
    for (const auto& [extension, times] : icons) {
        const size_t tenth = std::max<size_t>(1, times.size() / 10);
        double total = 0, first = 0, last = 0;
        for (size_t i = 0; i < times.size(); ++i) {
            total += times[i];
            first += i < tenth ? times[i] : 0;
            last += i >= times.size() - tenth ? times[i] : 0;
        }
        std::printf("    icons of \"%s\": %zu rows, %.0f ms; per row %.3f ms in the first tenth, "
                    "%.3f ms in the last\n",
                    extension.c_str(), times.size(), total, first / tenth, last / tenth);
    }
}

double SortAfterFill(HWND Host, const std::string& Dir, TColumnName Column, TColumnSortOrder Order,
                     bool& InOrder) {
    auto list = NewList(Host);
    list->HandleNeeded();
    // Set on the empty list: nothing is sorted yet.
    list->SetSortOrder(Order);
    EnumGlobals::FlushShellInfoCache();
    list->SetFolder(Dir);
    UpdateWindow(list->Handle());
    const auto start = Clock::now();
    list->SetColumnSort(Column);
    const double ms = Milliseconds(start);
    InOrder = InShownOrder(*list, Column, Order);
    return ms;
}

TIdleRun IdleCompletion(HWND Host, TFolderEnumerator& List) {
    TIdleRun run;
    std::atomic<bool> done{false};
    std::thread prober([&] {
        while (!done) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            PostMessageW(Host, kProbe, 0, static_cast<LPARAM>(now.QuadPart));
            Sleep(5);
        }
    });
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const auto start = Clock::now();
    while (AnyPending(List) && Milliseconds(start) < 300000) {
        MSG msg;
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0)
            break;
        if (msg.message == kProbe) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            const double waited = 1000.0 * double(now.QuadPart - msg.lParam) / frequency.QuadPart;
            run.dLongestHoldMs = std::max(run.dLongestHoldMs, waited);
            continue;
        }
        TranslateMessage(&msg);
        const auto dispatched = Clock::now();
        DispatchMessageW(&msg);
        if (Milliseconds(dispatched) > run.dSlowestMs) {
            run.dSlowestMs = Milliseconds(dispatched);
            run.uSlowestMessage = msg.message;
        }
    }
    run.dCompleteMs = Milliseconds(start);
    done = true;
    prober.join();
    // The probes still queued.
    MSG msg;
    while (PeekMessageW(&msg, Host, kProbe, kProbe, PM_REMOVE)) {
    }
    return run;
}

double RefreshUnchanged(TFolderEnumerator& List, bool& Selected) {
    List.SetColumnSort(cnType);
    TListItem* middle = List.Items().Item(List.Items().Count() / 2);
    const std::string caption = middle ? middle->Caption() : std::string();
    List.SetSelected(middle);
    const auto start = Clock::now();
    List.Refresh();
    const double ms = Milliseconds(start);
    Selected = List.Selected() && List.Selected()->Caption() == caption;
    return ms;
}

TSweepRun SelectionSweep(TFolderEnumerator& List) {
    TSweepRun run;
    auto start = Clock::now();
    List.SelectAll();
    UpdateWindow(List.Handle());
    run.dSelectAllMs = Milliseconds(start);
    start = Clock::now();
    List.Refresh();
    UpdateWindow(List.Handle());
    run.dRefreshMs = Milliseconds(start);
    run.bKept = List.SelCount() == List.Items().Count();
    start = Clock::now();
    List.SetSelected(nullptr);
    UpdateWindow(List.Handle());
    run.dClearMs = Milliseconds(start);
    return run;
}

void LinkedSetFolder(HWND Host, const std::string& Dir, bool Cold, double& Alone, double& Linked) {
    RECT area{};
    GetClientRect(Host, &area);
    // The list alone in a window of its own, the same size as the linked list.
    const int width = area.right - 250;
    const int height = area.bottom - 30;
    const OwnedWindow aloneHost(BenchHost::MakeHost(L"list alone", width, height));
    TFolderEnumerator alone(nullptr);
    alone.SetAutoRefresh(false);
    alone.SetViewStyle(vsReport);
    Place(alone, aloneHost.Get(), 0, 0, width, height);

    TFolderEnumerator list(nullptr);
    list.SetAutoRefresh(false);
    list.SetViewStyle(vsReport);
    TNameSpaceEnumerator tree(nullptr);
    tree.SetAutoRefresh(false);
    TNameSpaceCombo combo(nullptr);
    Place(combo, Host, 0, 0, area.right, 24);
    Place(tree, Host, 0, 30, 250, height);
    Place(list, Host, 250, 30, width, height);
    tree.SetFolderEnumerator(&list);
    combo.SetNameSpaceEnumerator(&tree);

    std::vector<double> single, linked;
    for (int run = 0; run < 3; ++run) {
        single.push_back(TimeSetFolder(alone, Dir, Cold));
        linked.push_back(TimeSetFolder(list, Dir, Cold));
    }
    Alone = Median(single);
    Linked = Median(linked);
    combo.SetNameSpaceEnumerator(nullptr);
    tree.SetFolderEnumerator(nullptr);
}

void RowBytes(HWND Host, const std::string& Dir, double& PerRow, double& ListsPerRow) {
    auto list = NewList(Host);
    list->HandleNeeded();
    const size_t before = HeapBytesInUse();
    list->SetFolder(Dir);
    IdleCompletion(Host, *list);
    const size_t after = HeapBytesInUse();
    size_t pidlBytes = 0;
    const int rows = list->Items().Count();
    for (int i = 0; i < rows; ++i) {
        const TItemData* data = TFolderEnumerator::ItemData(list->Items().Item(i));
        pidlBytes += EnumGlobals::GetPidlSize(data->pFQPidl.Get()) +
                     EnumGlobals::GetPidlSize(data->pPidl.Get());
    }
    PerRow = rows ? double(after - before) / rows : 0.0;
    ListsPerRow = rows ? double(pidlBytes) / rows : 0.0;
}

} // namespace ListMeasures
