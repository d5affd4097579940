// How long the namespace tree takes to fill and to refresh a node of many subfolders, beside the
// shell's own enumeration of the same folder.
//
// For 1,000, 5,000 and 20,000 subfolders (or the sizes given as arguments) it makes a folder under
// C:\ holding that many subfolders, then times, in one process, medians of three:
//   raw:     EnumObjects(folders, hidden) + Next + GetDisplayNameOf(SHGDN_NORMAL) + GetAttributesOf
//            per item;
//   fill:    the first expansion of a tree node rooted at that folder (names, attributes, icons,
//            nodes in a real tree window, sorting), with the icon cache emptied first;
//   refresh: Refresh of that tree, which enumerates the folder again and reuses every node;
// and prints them with the ratios to raw. The folders are removed afterwards.

#include "bench/support/Timing.h"
#include "controls/Application.h"
#include "identifiers/ComPtr.h"
#include "identifiers/OwnedPidl.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"
#include "tree/NameSpaceEnumerator.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace EnumGlobals;

namespace {

using namespace BenchTiming;

std::wstring FolderName(int i) {
    wchar_t name[32];
    swprintf(name, 32, L"\\Folder %05d", i);
    return name;
}

bool MakeFolders(const std::wstring& dir, int count) {
    if (!CreateDirectoryW(dir.c_str(), nullptr))
        return false;
    // Made in a scrambled order, so that the tree has sorting to do.
    for (int i = 0; i < count; ++i) {
        const int n = static_cast<int>((static_cast<long long>(i) * 7919) % count);
        if (!CreateDirectoryW((dir + FolderName(n)).c_str(), nullptr))
            return false;
    }
    return true;
}

void RemoveFolders(const std::wstring& dir, int count) {
    for (int i = 0; i < count; ++i)
        RemoveDirectoryW((dir + FolderName(i)).c_str());
    RemoveDirectoryW(dir.c_str());
}

// The shell's enumeration with what every view asks per item.
double RawPass(const std::wstring& dir, int& items) {
    const auto start = Clock::now();
    items = 0;
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return 0;
    std::wstring path = dir;
    OwnedPidl pidl;
    if (FAILED(
            desktop->ParseDisplayName(nullptr, nullptr, path.data(), nullptr, pidl.Put(), nullptr)))
        return 0;
    ComPtr<IShellFolder> folder;
    BindToFolder(pidl.Get(), desktop.Get(), folder);
    ComPtr<IEnumIDList> list;
    if (!folder ||
        folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, &list) != S_OK ||
        !list)
        return 0;
    OwnedPidl child;
    while (list->Next(1, child.Put(), nullptr) == S_OK) {
        std::string name;
        GetNiceName(folder.Get(), child.Get(), SHGDN_NORMAL, name);
        LPCITEMIDLIST item = child.Get();
        SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER |
                            SFGAO_SHARE | SFGAO_LINK;
        folder->GetAttributesOf(1, &item, &attributes);
        ++items;
    }
    return Milliseconds(start);
}

HWND MakeHost() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TreeFillBenchHost";
    RegisterClassExW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"tree-fill", WS_OVERLAPPEDWINDOW, 0, 0, 400, 600,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

struct TreeTimes {
    double fill = 0;
    double refresh = 0;
    int nodes = 0;
};

TreeTimes TreePass(HWND host, const std::string& dir) {
    TreeTimes times;
    TNameSpaceEnumerator tree(nullptr);
    tree.SetAutoRefresh(false);
    tree.SetParentWindow(host);
    tree.SetBounds(0, 0, 380, 560);
    tree.HandleNeeded();
    tree.SetRootedAt(raFileSystem);
    tree.SetRootFolder(dir);
    TTreeNode* root = tree.Items().GetFirstNode();
    if (!root)
        return times;
    FlushShellInfoCache();
    auto start = Clock::now();
    root->Expand(false);
    times.fill = Milliseconds(start);
    start = Clock::now();
    tree.Refresh();
    times.refresh = Milliseconds(start);
    times.nodes = root->Count();
    return times;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 5000, 20000};
    HWND host = MakeHost();
    if (!host)
        return 1;

    std::printf("%8s %10s %10s %10s %8s %8s\n", "folders", "raw ms", "fill ms", "refresh ms",
                "fill/raw", "refr/raw");
    int status = 0;
    for (const int count : sizes) {
        wchar_t dir[64];
        swprintf(dir, 64, L"C:\\varnel-tree-bench-%d", count);
        RemoveFolders(dir, count);
        if (!MakeFolders(dir, count)) {
            std::printf("cannot make %d folders under C:\\\n", count);
            RemoveFolders(dir, count);
            status = 1;
            continue;
        }
        std::vector<double> raw, fill, refresh;
        int items = 0;
        int nodes = 0;
        for (int run = 0; run < 3; ++run) {
            raw.push_back(RawPass(dir, items));
            const TreeTimes t = TreePass(host, WideToUtf8(dir));
            fill.push_back(t.fill);
            refresh.push_back(t.refresh);
            nodes = t.nodes;
        }
        const double r = Median(raw);
        const double f = Median(fill);
        const double s = Median(refresh);
        std::printf("%8d %10.1f %10.1f %10.1f %8.2f %8.2f%s\n", count, r, f, s, f / r, s / r,
                    items == count && nodes == count ? "" : "  (item count differs)");
        RemoveFolders(dir, count);
    }
    DestroyWindow(host);
    return status;
}
