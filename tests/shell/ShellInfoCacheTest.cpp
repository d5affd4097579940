// The icon indexes and type names the routines give, compared with the shell's own answer asked
// item by item, over a folder that mixes every kind of item the cache treats differently, and
// over the virtual folders and drives of the namespace.

#include "support/RealShellFixture.h"

#include "identifiers/ComPtr.h"
#include "identifiers/WideText.h"
#include "shell/ShellInfoCache.h"
#include "shell/ShellRoutines.h"

#include <shellapi.h>

#include <vector>

using namespace EnumGlobals;

namespace {

struct ShellAnswer {
    int small = -1;
    int open = -1;
    std::string type;
    bool operator==(const ShellAnswer&) const = default;
};

void PrintTo(const ShellAnswer& a, std::ostream* os) {
    *os << "{small " << a.small << ", open " << a.open << ", \"" << a.type << "\"}";
}

ShellAnswer AskShell(LPCITEMIDLIST pidl) {
    ShellAnswer answer;
    SHFILEINFOW info{};
    auto id = reinterpret_cast<LPCWSTR>(pidl);
    if (SHGetFileInfoW(id, 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        answer.small = info.iIcon;
    if (SHGetFileInfoW(id, 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
        answer.open = info.iIcon;
    info.szTypeName[0] = L'\0';
    if (SHGetFileInfoW(id, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_TYPENAME))
        answer.type = WideToUtf8(info.szTypeName);
    return answer;
}

ShellAnswer AskRoutines(LPCITEMIDLIST pidl) {
    ShellAnswer answer;
    answer.small = GetSmallIconIndex(pidl);
    answer.open = GetOpenSmallIconIndex(pidl);
    GetItemName(pidl, answer.type);
    return answer;
}

// The fully qualified lists of a folder's items, as a view filling itself would have them.
std::vector<OwnedPidl> ItemsOf(LPCITEMIDLIST folderPidl) {
    std::vector<OwnedPidl> items;
    ComPtr<IShellFolder> folder;
    if (GetPidlSize(folderPidl) == 2)
        SHGetDesktopFolder(&folder);
    else
        BindToDesktopFolder(folderPidl, folder);
    if (!folder)
        return items;
    ComPtr<IEnumIDList> list;
    if (folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                            &list) != S_OK ||
        !list)
        return items;
    OwnedPidl child;
    while (list->Next(1, child.Put(), nullptr) == S_OK)
        items.emplace_back(OwnedPidl::Adopt, ConcatPidls(folderPidl, child.Get(), g_ShellMalloc));
    return items;
}

std::string Describe(LPCITEMIDLIST pidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetPathFromIDListW(pidl, path);
    return WideToUtf8(path);
}

// A 16x16 icon of one colour, as an .ico file's bytes.
std::string IconFile(DWORD colour) {
    std::string bytes;
    auto put = [&](const void* p, size_t n) { bytes.append(static_cast<const char*>(p), n); };
    const WORD header[3] = {0, 1, 1};
    put(header, sizeof header);
    const DWORD imageSize = 40 + 16 * 16 * 4 + 16 * 4;
    const BYTE entry[4] = {16, 16, 0, 0};
    put(entry, 4);
    const WORD planesBits[2] = {1, 32};
    put(planesBits, sizeof planesBits);
    const DWORD sizeOffset[2] = {imageSize, 22};
    put(sizeOffset, sizeof sizeOffset);
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = 16;
    bih.biHeight = 32;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    put(&bih, sizeof bih);
    for (int i = 0; i < 16 * 16; ++i)
        put(&colour, 4);
    bytes.append(16 * 4, '\0');
    return bytes;
}

class ShellInfoCacheTest : public RealShellTest {
protected:
    void MakeMixedFolder() {
        for (const char* name : {"a.txt", "b.txt", "C.TXT", "d.zzq", "e.zzq", "noext", "other",
                                 "page.html", "setup.ini", "run.bat", "x.dll", "y.dll", "z.bmp"})
            WriteFile(name);
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        const std::wstring sys = windows;
        ASSERT_TRUE(CopyFileW((sys + L"\\notepad.exe").c_str(),
                              Utf8ToWide(PathOf("first.exe")).c_str(), FALSE));
        ASSERT_TRUE(CopyFileW((sys + L"\\regedit.exe").c_str(),
                              Utf8ToWide(PathOf("second.exe")).c_str(), FALSE));
        WriteFile("red.ico", IconFile(0xFFFF0000));
        WriteFile("green.ico", IconFile(0xFF00FF00));
        ASSERT_EQ(CreateLink(PathOf("a.txt"), PathOf("to text.lnk"), "text"), S_OK);
        ASSERT_EQ(CreateLink(PathOf("first.exe"), PathOf("to program.lnk"), "program"), S_OK);
        ASSERT_EQ(CreateLink(PathOf("a.txt"), PathOf("to text again.lnk"), "text"), S_OK);
        ASSERT_EQ(CreateLink(PathOf("plain"), PathOf("to folder.lnk"), "folder"), S_OK);
        for (const char* name : {"site.url", "other site.url"})
            WriteFile(name, "[InternetShortcut]\r\nURL=http://example.com/\r\n");
        MakeDir("plain");
        MakeDir("plain two");
        MakeDir("dir.txt");
        MakeDir("custom");
        WriteFile("custom\\desktop.ini", "[.ShellClassInfo]\r\nIconResource=" + WideToUtf8(sys) +
                                             "\\regedit.exe,0\r\nIconFile=" + WideToUtf8(sys) +
                                             "\\regedit.exe\r\nIconIndex=0\r\n");
        SetFileAttributesW(Utf8ToWide(PathOf("custom")).c_str(), FILE_ATTRIBUTE_SYSTEM);
        // The same without the system attribute: the shell ignores it.
        MakeDir("uncustomised");
        WriteFile("uncustomised\\desktop.ini",
                  "[.ShellClassInfo]\r\nIconResource=" + WideToUtf8(sys) + "\\regedit.exe,0\r\n");
    }

    // Every item's answer through the routines equals the shell's, in both orders, cold and warm.
    void ExpectSameAnswers(const std::vector<OwnedPidl>& items) {
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t k = 0; k < items.size(); ++k) {
                const LPCITEMIDLIST pidl = items[pass == 0 ? k : items.size() - 1 - k].Get();
                EXPECT_EQ(AskRoutines(pidl), AskShell(pidl)) << Describe(pidl);
            }
        }
    }
};

TEST_F(ShellInfoCacheTest, AnswersEqualTheShellsOwnOverAMixedFolder) {
    MakeMixedFolder();
    FlushShellInfoCache();
    TShellInfoCache& cache = TShellInfoCache::Instance();
    const int cachedBefore = cache.CachedAnswers();
    OwnedPidl dir = ParsePath(Dir());
    const std::vector<OwnedPidl> items = ItemsOf(dir.Get());
    ASSERT_GE(items.size(), 28u);
    ExpectSameAnswers(items);

    // Now warm: nothing is asked of the shell again but a customised folder's three answers.
    auto lookups = [&](const std::string& name) {
        OwnedPidl pidl = ParsePath(PathOf(name));
        const int before = cache.ShellLookups();
        AskRoutines(pidl.Get());
        return cache.ShellLookups() - before;
    };
    for (const char* name :
         {"b.txt", "e.zzq", "other", "plain two", "dir.txt", "uncustomised", "page.html",
          "first.exe", "red.ico", "to text.lnk", "to program.lnk", "site.url"})
        EXPECT_EQ(lookups(name), 0) << name;
    EXPECT_EQ(lookups("custom"), 3);
    // Cold, icons come from the item's folder's extractor (only a kind's first type name is
    // asked), and a shortcut shares its icons with the shortcuts to the same target: the
    // shell's lookup by identifier list, which binds the folder anew, is not made for them.
    FlushShellInfoCache();
    EXPECT_EQ(lookups("b.txt"), 1);
    EXPECT_EQ(lookups("second.exe"), 1);
    EXPECT_EQ(lookups("to text.lnk"), 3);
    EXPECT_EQ(lookups("to text again.lnk"), 0);
    EXPECT_GT(cache.CachedAnswers() - cachedBefore, 0);
}

TEST_F(ShellInfoCacheTest, AnswersEqualTheShellsOwnForDrivesAndVirtualFolders) {
    FlushShellInfoCache();
    std::vector<OwnedPidl> items;
    OwnedPidl desktop(OwnedPidl::Adopt, CreatePidl(2, g_ShellMalloc));
    items.push_back(
        ConcatPidls(nullptr, desktop.Get(), g_ShellMalloc)
            ? OwnedPidl(OwnedPidl::Adopt, ConcatPidls(nullptr, desktop.Get(), g_ShellMalloc))
            : OwnedPidl());
    for (int csidl : {CSIDL_DRIVES, CSIDL_BITBUCKET, CSIDL_CONTROLS, CSIDL_PERSONAL}) {
        OwnedPidl special;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, special.Put())) && special) {
            for (OwnedPidl& item : ItemsOf(special.Get()))
                items.push_back(std::move(item));
            items.push_back(std::move(special));
        }
    }
    for (OwnedPidl& item : ItemsOf(desktop.Get()))
        items.push_back(std::move(item));
    OwnedPidl drive = ParsePath("C:\\");
    for (OwnedPidl& item : ItemsOf(drive.Get()))
        items.push_back(std::move(item));
    ASSERT_GE(items.size(), 8u);
    ExpectSameAnswers(items);
}

} // namespace
