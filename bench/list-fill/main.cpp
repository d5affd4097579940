// How the folder list keeps up with a large folder, each figure beside its goal.
//
// For 10,000 and 30,000 files (or the counts given as arguments) it makes a folder on drive C
// holding that many files and 200 subfolders (BenchFolder.h), then measures, medians of three:
//   first fill:  a new list in report view, from its construction through its window and
//                SetFolder until it has drawn, beside the platform's own folder view in details
//                mode showing the same folder (alternating, in one process);
//   sorts:       each column, each way, on a list just filled (nothing computed by idle time
//                yet), each checked against the order of the texts and values the rows show;
//   idle:        from the end of a fill until every row is complete, and the longest a message
//                posted to the window waited meanwhile (another thread posts one every 5 ms);
//   refresh:     the unchanged folder, sorted by Type, a row selected;
//   selection:   every row selected, the folder refreshed so, then no row selected;
//   linked:      SetFolder with a tree and a combo linked, against the list alone, with the
//                shell's icon and type answers forgotten before each and kept;
// then the heap bytes a row takes. Last, how idle completion grows from the first size to the
// last. The folder is removed afterwards.

#include "BenchFolder.h"
#include "ListMeasures.h"
#include "PlatformView.h"

#include "bench/support/BenchHost.h"
#include "bench/support/Timing.h"
#include "identifiers/WideText.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace BenchTiming;
using namespace ListMeasures;

const char* Verdict(bool met) {
    return met ? "met" : "NOT MET";
}

struct TColumnSort {
    TColumnName column;
    const char* name;
};
constexpr TColumnSort kColumns[] = {{cnName, "Name"}, {cnExtension, "Extension"},
                                    {cnSize, "Size"}, {cnAttributes, "Attributes"},
                                    {cnType, "Type"}, {cnModified, "Modified"}};

// Every column's sort, each way, straight after a fill; false if one misses its goal or its
// order.
bool MeasureSorts(HWND host, const std::string& dir, double goal) {
    bool allMet = true;
    for (const TColumnSort& sort : kColumns) {
        std::printf("  sort by %-10s straight after a fill:", sort.name);
        for (TColumnSortOrder order : {soAscending, soDescending}) {
            std::vector<double> times;
            bool ordered = true;
            for (int run = 0; run < 3; ++run) {
                bool inOrder = false;
                times.push_back(SortAfterFill(host, dir, sort.column, order, inOrder));
                ordered = ordered && inOrder;
            }
            const double ms = Median(times);
            const bool met = ms <= goal && ordered;
            allMet = allMet && met;
            std::printf(" %s %.0f ms%s", order == soAscending ? "up" : "down", ms,
                        ordered ? "" : " (ROWS OUT OF ORDER)");
        }
        std::printf("   goal <= %.0f ms\n", goal);
    }
    return allMet;
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
    std::vector<double> completions;
    for (const int count : sizes) {
        wchar_t name[64];
        swprintf(name, 64, L"C:\\varnel-list-bench-%d", count);
        const std::wstring wdir = name;
        const std::string dir = WideToUtf8(wdir);
        BenchFolder::Remove(wdir, count);
        ComPtr<IShellFolder> folder;
        if (!BenchFolder::Make(wdir, count) || !(folder = BenchFolder::Bind(wdir))) {
            std::printf("cannot make %d files under C:\\\n", count);
            BenchFolder::Remove(wdir, count);
            status = 1;
            continue;
        }
        const int items = count + BenchFolder::kFolders;
        std::printf("%d files + %d folders\n", count, BenchFolder::kFolders);

        std::vector<double> platform, ours;
        int platformRows = 0;
        std::unique_ptr<TFolderEnumerator> list;
        for (int run = 0; run < 3; ++run) {
            platform.push_back(TimePlatformView(host, folder.Get(), items, 60000, platformRows));
            ours.push_back(FirstFill(host, dir, list));
        }
        const double p = Median(platform);
        const double fill = Median(ours);
        std::printf("  first fill: list %.0f ms (%d rows), platform view %.0f ms (%d rows): "
                    "%.2fx   goal <= 1.00x %s\n",
                    fill, list->Items().Count(), p, platformRows, p > 0 ? fill / p : 0.0,
                    Verdict(p > 0 && fill <= p));
        PrintParts(*list);
        list.reset();

        const double sortGoal = count <= 10000 ? 100 : 300;
        if (!MeasureSorts(host, dir, sortGoal))
            std::printf("  a sort: NOT MET\n");

        std::vector<double> complete, holds, refreshes, selectAll, refreshAll, clear;
        bool keptAll = true;
        TIdleRun slowest;
        bool selectedAgain = true;
        for (int run = 0; run < 3; ++run) {
            list = NewList(host);
            list->HandleNeeded();
            list->SetFolder(dir);
            // The fill ends when the list has drawn (as the first fill is timed).
            UpdateWindow(list->Handle());
            const TIdleRun idle = IdleCompletion(host, *list);
            complete.push_back(idle.dCompleteMs);
            holds.push_back(idle.dLongestHoldMs);
            if (idle.dSlowestMs > slowest.dSlowestMs)
                slowest = idle;
            bool selected = false;
            refreshes.push_back(RefreshUnchanged(*list, selected));
            selectedAgain = selectedAgain && selected;
            const TSweepRun sweep = SelectionSweep(*list);
            selectAll.push_back(sweep.dSelectAllMs);
            refreshAll.push_back(sweep.dRefreshMs);
            clear.push_back(sweep.dClearMs);
            keptAll = keptAll && sweep.bKept;
        }
        list.reset();
        completions.push_back(Median(complete));
        const double hold = Median(holds);
        std::printf("  idle completion of every row %.0f ms; longest hold of the message loop "
                    "%.1f ms   goal <= 30 ms %s\n",
                    Median(complete), hold, Verdict(hold <= 30));
        std::printf("    (the slowest message handled: 0x%04x, %.1f ms)\n", slowest.uSlowestMessage,
                    slowest.dSlowestMs);
        const double refresh = Median(refreshes);
        std::printf("  refresh, unchanged, sorted by Type, a row selected: %.0f ms, %.2fx the "
                    "first fill%s   goal <= 0.50x %s\n",
                    refresh, fill > 0 ? refresh / fill : 0.0,
                    selectedAgain ? "" : " (SELECTION LOST)",
                    Verdict(selectedAgain && refresh <= 0.5 * fill));

        const double all = Median(selectAll), none = Median(clear), again = Median(refreshAll);
        std::printf("  every row selected %.0f ms, none again %.0f ms   goal <= 100 ms %s\n", all,
                    none, Verdict(all <= 100 && none <= 100));
        // Every row is selected again: no cheaper than filling anew, never dearer.
        std::printf("  refresh with every row selected: %.0f ms, %.2fx the first fill%s   goal <= "
                    "1.00x %s\n",
                    again, fill > 0 ? again / fill : 0.0, keptAll ? "" : " (SELECTION LOST)",
                    Verdict(keptAll && again <= fill));

        for (const bool cold : {true, false}) {
            double alone = 0, linked = 0;
            LinkedSetFolder(host, dir, cold, alone, linked);
            std::printf("  SetFolder, shell answers %s: list alone %.0f ms, with tree and combo "
                        "%.0f ms: %.2fx   goal <= 1.20x %s\n",
                        cold ? "forgotten" : "kept", alone, linked,
                        alone > 0 ? linked / alone : 0.0,
                        Verdict(alone > 0 && linked <= 1.2 * alone));
        }

        double perRow = 0, listsPerRow = 0;
        RowBytes(host, dir, perRow, listsPerRow);
        std::printf("  heap bytes per row %.0f, of which %.0f the two identifier lists\n", perRow,
                    listsPerRow);
        folder.Reset();
        BenchFolder::Remove(wdir, count);
    }
    if (completions.size() >= 2 && completions.front() > 0) {
        const double growth = completions.back() / completions.front();
        const double folders = double(sizes.back()) / sizes.front();
        std::printf("idle completion grows %.2fx for %.1fx the files   goal <= %.2fx %s\n", growth,
                    folders, 3.5 * folders / 3.0, Verdict(growth <= 3.5 * folders / 3.0));
    }
    DestroyWindow(host);
    return status;
}
