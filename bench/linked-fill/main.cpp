// What the tree and the combo linked to the folder list add to the list's SetFolder: a folder of
// 10,000 files (or the count given) shown by a list alone and by a list with a tree (rooted at
// the desktop) and a combo linked, alternating, medians of five. Before each timed SetFolder
// the list shows drive C, so every run moves all three views. The folder is removed afterwards.

#include "bench/support/BenchHost.h"
#include "bench/support/Timing.h"
#include "combo/NameSpaceCombo.h"
#include "identifiers/Holders.h"
#include "list/FolderEnumerator.h"
#include "shell/ShellRoutines.h"
#include "tree/NameSpaceEnumerator.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace BenchTiming;

std::wstring FileName(int i) {
    wchar_t name[32];
    swprintf(name, 32, L"\\File %05d.txt", i);
    return name;
}

void RemoveData(const std::wstring& dir, int count) {
    for (int i = 0; i < count; ++i)
        DeleteFileW((dir + FileName(i)).c_str());
    RemoveDirectoryW(dir.c_str());
}

bool MakeData(const std::wstring& dir, int count) {
    if (!CreateDirectoryW(dir.c_str(), nullptr))
        return false;
    for (int i = 0; i < count; ++i) {
        const OwnedHandle file(CreateFileW((dir + FileName(i)).c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
    }
    return true;
}

template <class View> void Place(View& Made, HWND Host, int Left, int Top, int Width, int Height) {
    Made.SetParentWindow(Host);
    Made.SetBounds(Left, Top, Width, Height);
    Made.HandleNeeded();
}

double TimeSetFolder(TFolderEnumerator& List, const std::string& Dir) {
    List.SetFolder("C:\\");
    EnumGlobals::FlushShellInfoCache();
    const auto start = Clock::now();
    List.SetFolder(Dir);
    UpdateWindow(List.Handle());
    return Milliseconds(start);
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    HWND host = BenchHost::MakeHost(L"linked-fill", 900, 600);
    if (!host || count <= 0)
        return 1;
    const std::wstring dir = L"C:\\varnel-linked-bench";
    RemoveData(dir, count);
    if (!MakeData(dir, count)) {
        std::printf("cannot make %d files under C:\\\n", count);
        RemoveData(dir, count);
        return 1;
    }
    const std::string path = "C:\\varnel-linked-bench";

    TFolderEnumerator alone(nullptr);
    alone.SetAutoRefresh(false);
    alone.SetViewStyle(vsReport);
    Place(alone, host, 0, 0, 900, 600);

    TFolderEnumerator list(nullptr);
    list.SetAutoRefresh(false);
    list.SetViewStyle(vsReport);
    TNameSpaceEnumerator tree(nullptr);
    tree.SetAutoRefresh(false);
    TNameSpaceCombo combo(nullptr);
    Place(combo, host, 0, 0, 900, 24);
    Place(tree, host, 0, 30, 250, 570);
    Place(list, host, 250, 30, 650, 570);
    tree.SetFolderEnumerator(&list);
    combo.SetNameSpaceEnumerator(&tree);

    std::vector<double> single, linked;
    for (int run = 0; run < 5; ++run) {
        single.push_back(TimeSetFolder(alone, path));
        linked.push_back(TimeSetFolder(list, path));
    }
    std::printf("SetFolder, %d files: list alone %.0f ms (%d rows), list with tree and combo "
                "%.0f ms (%d rows), tree on \"%s\"\n",
                count, Median(single), alone.Items().Count(), Median(linked), list.Items().Count(),
                tree.Selected() ? tree.Selected()->Text().c_str() : "");
    combo.SetNameSpaceEnumerator(nullptr);
    tree.SetFolderEnumerator(nullptr);
    RemoveData(dir, count);
    return 0;
}
