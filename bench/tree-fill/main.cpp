// How long the namespace tree takes to fill and to refresh a node of many subfolders, beside the
// shell's own enumeration of the same folder.
//
// For 1,000, 5,000 and 20,000 subfolders (or the sizes given as arguments) it makes a folder under
// C:\ holding that many subfolders, then times, in one process, medians of three:
//   raw:     EnumObjects(folders, hidden) + Next + GetDisplayNameOf(SHGDN_NORMAL) + GetAttributesOf
//            per item;
//   fill:    the first expansion of that folder's node in a tree opened down to drive C (names,
//            attributes, nodes in a real tree window, sorting), with the icon cache emptied first;
//   paint:   drawing the window after the fill, which finds the icons of the rows in view (the
//            first of them asked of the shell with its cache empty);
//   refresh: Refresh of that tree, which enumerates the folder again and reuses every node (and
//            refills the desktop, My Computer and the drive, a few items each);
//   sweep:   the refill's sweep when every other child has vanished (half the children deleted
//            from the tree and its window: 10,000 of 20,000 at the largest size);
// and prints them with the ratios to raw. The folders are removed afterwards, unless the first
// argument is --keep (they are then kept, and a later run finds them made).

#include "bench/support/BenchHost.h"
#include "bench/support/Timing.h"
#include "controls/Application.h"
#include "identifiers/ComPtr.h"
#include "identifiers/OwnedPidl.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"
#include "tree/NameSpaceEnumerator.h"
#include "framework/ViewServices.h"

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
        return GetLastError() == ERROR_ALREADY_EXISTS &&
               GetFileAttributesW((dir + FolderName(count - 1)).c_str()) != INVALID_FILE_ATTRIBUTES;
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

// The platform's shell without the change watcher: its start (a watch on every folder of drive C,
// the bench's own included) would run beside the fill being timed.
class TUnwatchedShell : public TViewServices {
public:
    TChangeNotifyThread* StartChangeNotifyThread(HWND, UINT) override { return nullptr; }
};

struct TreeTimes {
    double fill = 0;
    double paint = 0;
    double refresh = 0;
    double sweep = 0;
    int nodes = 0;
};

TreeTimes TreePass(HWND host, const std::string& dir) {
    TreeTimes times;
    TUnwatchedShell shell;
    TNameSpaceEnumerator tree(nullptr, &shell);
    tree.SetAutoRefresh(false);
    tree.SetParentWindow(host);
    tree.SetBounds(0, 0, 380, 560);
    tree.HandleNeeded();
    // The folder's node as a user meets it: a child of the drive's node.
    tree.GotoFolder("C:\\");
    TTreeNode* drive = tree.Selected();
    const std::string name = dir.substr(dir.rfind('\\') + 1);
    TTreeNode* root = drive ? drive->GetFirstChild() : nullptr;
    while (root && root->Text() != name)
        root = root->GetNextSibling();
    if (!root)
        return times;
    FlushShellInfoCache();
    auto start = Clock::now();
    root->Expand(false);
    times.fill = Milliseconds(start);
    start = Clock::now();
    UpdateWindow(tree.Handle());
    times.paint = Milliseconds(start);
    start = Clock::now();
    tree.Refresh();
    times.refresh = Milliseconds(start);
    times.nodes = root->Count();
    // Every other child as if its folder had gone: the sweep alone, inside a bulk update as in a
    // refill.
    tree.SetFoundFlag(root, true);
    for (TTreeNode* child = root->GetFirstChild(); child; child = child->GetNextSibling())
        if (child->Index() % 2 == 0)
            TNameSpaceEnumerator::NodeData(child)->bFound = false;
    tree.Items().BeginUpdate();
    start = Clock::now();
    tree.DeleteNodesNotFound(root);
    times.sweep = Milliseconds(start);
    tree.Items().EndUpdate();
    if (root->Count() != times.nodes / 2)
        times.nodes = -1;
    return times;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--keep")
            keep = true;
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty())
        sizes = {1000, 5000, 20000};
    HWND host = BenchHost::MakeHost(L"tree-fill", 400, 600, false);
    if (!host)
        return 1;
    // Shown, so that the rows in view are drawn (and their icons found) as part of a fill.
    ShowWindow(host, SW_SHOWNOACTIVATE);

    std::printf("%8s %10s %10s %10s %8s %8s %10s %10s\n", "folders", "raw ms", "fill ms",
                "refresh ms", "fill/raw", "refr/raw", "paint ms", "sweep ms");
    int status = 0;
    for (const int count : sizes) {
        wchar_t dir[64];
        swprintf(dir, 64, L"C:\\varnel-tree-bench-%d", count);
        if (!keep)
            RemoveFolders(dir, count);
        if (!MakeFolders(dir, count)) {
            std::printf("cannot make %d folders under C:\\\n", count);
            RemoveFolders(dir, count);
            status = 1;
            continue;
        }
        std::vector<double> raw, fill, paint, refresh, sweep;
        int items = 0;
        int nodes = 0;
        for (int run = 0; run < 3; ++run) {
            raw.push_back(RawPass(dir, items));
            const TreeTimes t = TreePass(host, WideToUtf8(dir));
            fill.push_back(t.fill);
            paint.push_back(t.paint);
            refresh.push_back(t.refresh);
            sweep.push_back(t.sweep);
            nodes = t.nodes;
        }
        const double r = Median(raw);
        const double f = Median(fill);
        const double s = Median(refresh);
        std::printf("%8d %10.1f %10.1f %10.1f %8.2f %8.2f %10.1f %10.1f%s\n", count, r, f, s, f / r,
                    s / r, Median(paint), Median(sweep),
                    items == count && nodes == count ? "" : "  (item count differs)");
        if (!keep)
            RemoveFolders(dir, count);
    }
    DestroyWindow(host);
    return status;
}
