// How much filling a view with icons and type names adds to enumerating a folder.
//
// Makes a folder of files (10,000 by default; the first argument changes it) under the temporary
// folder, then times, in one process:
//   raw:   EnumObjects + Next + GetDisplayNameOf(SHGDN_NORMAL) + GetAttributesOf per item;
//   fill:  the same plus, per item, its fully qualified list, GetSmallIconIndex,
//          GetOpenSmallIconIndex and GetItemName, as the views call them;
// and prints both with their ratio. The folder is removed afterwards.

#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/Holders.h"
#include "identifiers/OwnedPidl.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace EnumGlobals;

namespace {

constexpr std::array kExtensions{L".txt", L".log", L".ini", L".html", L".bmp",
                                 L".dat", L".csv", L".xml", L".bat",  L".zzq"};

bool MakeFiles(const std::wstring& dir, int count) {
    if (!CreateDirectoryW(dir.c_str(), nullptr))
        return false;
    for (int i = 0; i < count; ++i) {
        wchar_t name[64];
        swprintf(name, 64, L"\\file%05d%ls", i, kExtensions[i % kExtensions.size()]);
        const OwnedHandle file(CreateFileW((dir + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
    }
    return true;
}

// One pass over the folder; `withIcons` adds what a view's fill asks per item. Returns the
// milliseconds taken and counts the items seen.
double Pass(IShellFolder* folder, LPCITEMIDLIST folderPidl, bool withIcons, int& items,
            long long& checksum) {
    const auto start = std::chrono::steady_clock::now();
    items = 0;
    ComPtr<IEnumIDList> list;
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                            &list) != S_OK ||
        !list)
        return 0;
    OwnedPidl child;
    while (list->Next(1, child.Put(), nullptr) == S_OK) {
        std::string name;
        GetNiceName(folder, child.Get(), SHGDN_NORMAL, name);
        LPCITEMIDLIST item = child.Get();
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER | SFGAO_LINK;
        folder->GetAttributesOf(1, &item, &attributes);
        checksum += static_cast<long long>(name.size()) + attributes;
        if (withIcons) {
            OwnedPidl full(OwnedPidl::Adopt, ConcatPidls(folderPidl, item, g_ShellMalloc));
            std::string type;
            GetItemName(full.Get(), type);
            checksum += GetSmallIconIndex(full.Get()) + GetOpenSmallIconIndex(full.Get()) +
                        static_cast<long long>(type.size());
        }
        ++items;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir =
        std::wstring(temp) + L"varnel-bench-" + std::to_wstring(GetCurrentProcessId());
    std::printf("Making %d files in %s ...\n", count, WideToUtf8(dir).c_str());
    if (!MakeFiles(dir, count)) {
        std::printf("Could not make the files.\n");
        return 1;
    }

    int result = 1;
    {
        ComPtr<IShellFolder> desktop;
        OwnedPidl folderPidl;
        ComPtr<IShellFolder> folder;
        std::wstring path = dir;
        if (SHGetDesktopFolder(&desktop) == S_OK &&
            SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, path.data(), nullptr,
                                                folderPidl.Put(), nullptr))) {
            BindToDesktopFolder(folderPidl.Get(), folder);
        }
        if (folder) {
            int items = 0;
            long long checksum = 0;
            // A first, untimed pass reads the folder into the file-system caches; then the two
            // kinds of pass alternate, three of each, and the medians are compared, so that a
            // burst of load on the machine does not fall on one side only.
            Pass(folder.Get(), folderPidl.Get(), false, items, checksum);
            std::vector<double> raws, fills;
            for (int round = 0; round < 3; ++round) {
                raws.push_back(Pass(folder.Get(), folderPidl.Get(), false, items, checksum));
                fills.push_back(Pass(folder.Get(), folderPidl.Get(), true, items, checksum));
            }
            std::sort(raws.begin(), raws.end());
            std::sort(fills.begin(), fills.end());
            const double raw = raws[1];
            const double fill = fills[1];
            std::printf("items: %d\n", items);
            std::printf("raw enumeration, display names and attributes: %8.0f ms (median of 3)\n",
                        raw);
            std::printf("same plus icons and type names (fill):         %8.0f ms (median of 3)\n",
                        fill);
            std::printf("ratio fill / raw: %.2f  (checksum %lld)\n", raw > 0 ? fill / raw : 0.0,
                        checksum);
            result = 0;
        } else {
            std::printf("Could not bind the folder.\n");
        }
    }
    std::error_code error;
    std::filesystem::remove_all(dir, error);
    return result;
}
