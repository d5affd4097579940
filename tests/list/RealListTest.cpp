// The folder list against the platform's shell: every row as the by-the-book calls give it, the
// file mask, sizes and the change watcher.

#include "ListTestSupport.h"

#include "framework/ChangeNotifyThread.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"
#include "list/FolderEnumerator.h"
#include "support/RealShellFixture.h"
#include "shell/ShellRoutines.h"
#include "support/HostWindow.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace EnumGlobals;

namespace {

using Names = std::vector<std::string>;

// One row as the shell answers item by item, asked the plain way.
struct ReferenceRow {
    std::string Caption;
    int ImageIndex = 0;
    int OverlayIndex = -1;
    std::vector<std::string> SubItems; // Size, Type, Modified
    SFGAOF Attributes = 0;
    int64_t Size = 0;
    SYSTEMTIME Date{};
    std::vector<BYTE> Pidl;
    std::vector<BYTE> FQPidl;
};

std::vector<BYTE> Bytes(LPCITEMIDLIST pidl) {
    const auto* p = reinterpret_cast<const BYTE*>(pidl);
    return {p, p + GetPidlSize(pidl)};
}

bool Has(IShellFolder* folder, LPCITEMIDLIST child, SFGAOF mask) {
    SFGAOF attributes = mask;
    return folder->GetAttributesOf(1, &child, &attributes) == S_OK && (attributes & mask);
}

bool Search(LPCITEMIDLIST fq, WIN32_FIND_DATAW& found) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(fq, path))
        return false;
    HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

std::vector<ReferenceRow> ReferenceFill(IShellFolder* folder, LPCITEMIDLIST parent, bool hidden) {
    std::vector<ReferenceRow> rows;
    ComPtr<IEnumIDList> items;
    SHCONTF flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | (hidden ? SHCONTF_INCLUDEHIDDEN : 0);
    if (folder->EnumObjects(nullptr, flags, &items) != S_OK || !items)
        return rows;
    OwnedPidl child;
    while (items->Next(1, child.Put(), nullptr) == S_OK) {
        ReferenceRow row;
        OwnedPidl fq(OwnedPidl::Adopt, ConcatPidls(parent, child.Get(), g_ShellMalloc));
        GetNiceName(folder, child.Get(), SHGDN_NORMAL, row.Caption);
        SHFILEINFOW info{};
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(fq.Get()), 0, &info, sizeof info,
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        row.ImageIndex = info.iIcon;
        if (Has(folder, child.Get(), SFGAO_SHARE))
            row.OverlayIndex = 0;
        if (Has(folder, child.Get(), SFGAO_LINK))
            row.OverlayIndex = 1;
        const bool fileSystem = Has(folder, child.Get(), SFGAO_FILESYSTEM);
        const bool isFolder = Has(folder, child.Get(), SFGAO_FOLDER);
        row.Attributes = (fileSystem ? SFGAO_FILESYSTEM : 0) | (isFolder ? SFGAO_FOLDER : 0);
        WIN32_FIND_DATAW found{};
        const bool details = Search(fq.Get(), found);
        if (details) {
            row.Size = (static_cast<int64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            FILETIME local{};
            FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
            FileTimeToSystemTime(&local, &row.Date);
        }
        std::string size;
        if (details && !isFolder)
            size = row.Size <= 0     ? "0KB"
                   : row.Size < 1024 ? "1KB"
                                     : std::to_string(row.Size / 1024) + "KB";
        std::string type;
        if (fileSystem) {
            SHFILEINFOW typeInfo{};
            SHGetFileInfoW(reinterpret_cast<LPCWSTR>(fq.Get()), 0, &typeInfo, sizeof typeInfo,
                           SHGFI_PIDL | SHGFI_TYPENAME);
            type = WideToUtf8(typeInfo.szTypeName);
        } else {
            type =
                lstrcmpiA(row.Caption.c_str(), "Recycled") == 0 ? "Recycle Bin" : "System Folder";
        }
        std::string modified;
        if (details) {
            wchar_t day[64] = {};
            wchar_t time[64] = {};
            GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &row.Date, nullptr, day, 64);
            GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, &row.Date, nullptr, time, 64);
            modified = WideToUtf8(day) + " " + WideToUtf8(time);
        }
        row.SubItems = {size, type, modified};
        row.Pidl = Bytes(child.Get());
        row.FQPidl = Bytes(fq.Get());
        rows.push_back(std::move(row));
    }
    return rows;
}

class RealList : public RealShellTest {
protected:
    void SetUp() override {
        RealShellTest::SetUp();
        list = std::make_unique<TFolderEnumerator>(nullptr);
        list->SetAutoRefresh(false);
        list->SetViewStyle(vsReport);
        list->SetParentWindow(host.Handle());
        list->SetBounds(0, 0, 480, 380);
        list->HandleNeeded();
    }
    void TearDown() override {
        list.reset();
        RealShellTest::TearDown();
    }
    // Compares every row, in order, with the by-the-book fill of the folder the list shows.
    void ExpectRowsAsTheShellGivesThem(const char* Where) {
        SCOPED_TRACE(Where);
        const auto reference =
            ReferenceFill(list->ViewFolder(), list->ViewPidl(), list->ShowHidden());
        ASSERT_EQ(list->Items().Count(), static_cast<int>(reference.size()));
        // Read in an order no drawing would take: last row first.
        for (int i = list->Items().Count() - 1; i >= 0; --i) {
            const TListItem* row = list->Items().Item(i);
            const ReferenceRow& expected = reference[static_cast<size_t>(i)];
            SCOPED_TRACE(expected.Caption);
            EXPECT_EQ(row->Caption(), expected.Caption);
            EXPECT_EQ(row->ImageIndex(), expected.ImageIndex);
            EXPECT_EQ(row->OverlayIndex(), expected.OverlayIndex);
            EXPECT_EQ(row->SubItems().Count(), 3);
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(row->SubItems()[k], expected.SubItems[static_cast<size_t>(k)]);
            const TItemData* data = TFolderEnumerator::ItemData(row);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(data->EntryDetails.uAttrib & (SFGAO_FILESYSTEM | SFGAO_FOLDER),
                      expected.Attributes);
            EXPECT_EQ(data->EntryDetails.iSize, expected.Size);
            EXPECT_EQ(std::memcmp(&data->EntryDetails.Date, &expected.Date, sizeof expected.Date),
                      0);
            EXPECT_EQ(Bytes(data->pPidl.Get()), expected.Pidl);
            EXPECT_EQ(Bytes(data->pFQPidl.Get()), expected.FQPidl);
        }
    }
    void MakeMixedFolder() {
        WriteFile("plain.txt", "some text");
        WriteFile("program.exe", "MZ");
        WriteFile("empty.dat", "");
        WriteFile(".profile", "x");
        WriteFile("readonly.txt", std::string(3000, 'r'));
        SetFileAttributesW(Utf8ToWide(PathOf("readonly.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
        WriteFile("secret.txt", "s");
        SetFileAttributesW(Utf8ToWide(PathOf("secret.txt")).c_str(), FILE_ATTRIBUTE_HIDDEN |
                                                                         FILE_ATTRIBUTE_READONLY |
                                                                         FILE_ATTRIBUTE_ARCHIVE);
        MakeDir("folder");
        MakeDir("folder.with.dots");
        ASSERT_TRUE(
            SUCCEEDED(CreateLink(PathOf("plain.txt"), PathOf("shortcut.lnk"), "a shortcut")));
    }
    void TearDownReadOnly() {
        for (const char* name : {"readonly.txt", "secret.txt"})
            SetFileAttributesW(Utf8ToWide(PathOf(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    THostWindow host;
    std::unique_ptr<TFolderEnumerator> list;
};

TEST_F(RealList, EveryRowIsWhatTheShellGivesItemByItem) {
    MakeMixedFolder();
    list->SetFolder("");
    ExpectRowsAsTheShellGivesThem("desktop");

    OwnedPidl computer;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.Put())));
    ComPtr<IShellFolder> computerFolder;
    BindToDesktopFolder(computer.Get(), computerFolder);
    ASSERT_TRUE(computerFolder);
    list->FolderChanged(nullptr, computerFolder.Get(), computer.Get(), false);
    ExpectRowsAsTheShellGivesThem("My Computer");

    list->SetFolder("C:\\");
    EXPECT_EQ(list->GetFolder(), "C:\\");
    ExpectRowsAsTheShellGivesThem("drive C");

    list->SetFolder(Dir());
    ExpectRowsAsTheShellGivesThem("mixed folder");
    // Idle time gives the same rows as reading them.
    list->SetShowHidden(true);
    const auto start = std::chrono::steady_clock::now();
    while (list->Items().Count() > 0 &&
           list->Items().Item(list->Items().Count() - 1)->Pending() != ipNone &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        PumpMessages();
        Sleep(5);
    }
    ExpectRowsAsTheShellGivesThem("mixed folder with hidden items, computed in idle time");
    // A refresh of the unchanged folder keeps the rows as they were.
    list->Refresh();
    ExpectRowsAsTheShellGivesThem("refreshed");

    TListItem* secret = Row(*list, "secret.txt");
    ASSERT_NE(secret, nullptr);
    const TItemData* data = TFolderEnumerator::ItemData(secret);
    EXPECT_TRUE(data->bHasFile);
    EXPECT_EQ(data->dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(TFolderEnumerator::ItemData(Row(*list, "folder.with.dots"))->sExtension, ".dots");
    EXPECT_EQ(TFolderEnumerator::ItemData(Row(*list, "folder"))->sExtension, "");
    TearDownReadOnly();
}

// The shell's setting that hides the extensions of known types, set for a test and put back.
class TExtensionsHidden {
public:
    explicit TExtensionsHidden(DWORD Hidden) {
        m_bHad = RegGetValueW(HKEY_CURRENT_USER, kKey, L"HideFileExt", RRF_RT_REG_DWORD, nullptr,
                              &m_dwOld, &m_cbOld) == ERROR_SUCCESS;
        Set(Hidden);
    }
    ~TExtensionsHidden() {
        if (m_bHad)
            Set(m_dwOld);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"HideFileExt");
    }
    static void Set(DWORD Hidden) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"HideFileExt", REG_DWORD, &Hidden, sizeof Hidden);
    }

private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    bool m_bHad = false;
    DWORD m_dwOld = 0;
    DWORD m_cbOld = sizeof(DWORD);
};

TEST_F(RealList, CaptionsTakenFromTheDiskAreTheShellsNamesWithExtensionsShownOrHidden) {
    MakeMixedFolder();
    for (const char* name : {"Report.TXT", "report10.txt", "report9.txt", "\xce\xa9.txt", "noext"})
        WriteFile(name, "x");
    WriteFile("site.url", "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    MakeDir("custom");
    WriteFile("custom\\desktop.ini", "[.ShellClassInfo]\r\nLocalizedResourceName=Renamed\r\n");
    SetFileAttributesW(Utf8ToWide(PathOf("custom")).c_str(), FILE_ATTRIBUTE_SYSTEM);
    TExtensionsHidden setting(0);
    for (DWORD hidden : {0u, 1u}) {
        TExtensionsHidden::Set(hidden);
        list->SetFolder("C:\\");
        list->SetFolder(Dir());
        int fromDisk = 0;
        for (int i = 0; i < list->Items().Count(); ++i)
            fromDisk += !(list->Items().Item(i)->Pending() & ipCaption);
        // All but the customised folder, which its desktop.ini may name.
        EXPECT_EQ(fromDisk, list->Items().Count() - 1);
        ExpectRowsAsTheShellGivesThem(hidden ? "extensions hidden" : "extensions shown");
        // The setting is the shell's to apply: a shortcut never shows its extension.
        EXPECT_NE(Row(*list, hidden ? "plain" : "plain.txt"), nullptr);
        EXPECT_NE(Row(*list, "shortcut"), nullptr);
    }
    TearDownReadOnly();
}

TEST_F(RealList, TheFileMaskIsMatchedTokenByToken) {
    for (const char* name : {"a.TXT", "b.doc", "c.bmp", "noext"})
        WriteFile(name);
    MakeDir("match.txt");
    MakeDir("other");
    list->SetFolder(Dir());
    const auto shown = [&] {
        Names names = Captions(*list);
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(shown(), (Names{"a.TXT", "b.doc", "c.bmp", "match.txt", "noext", "other"}));
    list->SetFileMask("*.txt;*.doc");
    EXPECT_EQ(shown(), (Names{"a.TXT", "b.doc", "match.txt"}));
    list->SetFileMask("*.txt;;*.doc");
    EXPECT_EQ(shown(), (Names{"a.TXT", "match.txt"})) << "an empty token ends the list";
    list->SetFileMask("*.txt; *.doc");
    EXPECT_EQ(shown(), (Names{"a.TXT", "match.txt"})) << "tokens are taken as they stand";
    list->SetFileMask("*.*;*.txt");
    EXPECT_EQ(shown(), (Names{"a.TXT", "b.doc", "c.bmp", "match.txt"}))
        << "only the mask \"*.*\" itself shows names without a dot";
    list->SetFileMask("   ");
    EXPECT_EQ(list->FileMask(), "*.*");
    EXPECT_EQ(shown().size(), 6u);
}

TEST_F(RealList, SizesShowAsKilobytesAndSortLargestFirst) {
    const std::pair<const char*, size_t> files[] = {{"zero.txt", 0},
                                                    {"one.txt", 1},
                                                    {"k1023.txt", 1023},
                                                    {"k1024.txt", 1024},
                                                    {"k3000.txt", 3000}};
    for (const auto& [name, size] : files)
        WriteFile(name, std::string(size, 'x'));
    MakeDir("folder");
    // A sparse file of 5 GiB: its size has a high part.
    const std::wstring big = Utf8ToWide(PathOf("big.bin"));
    HANDLE file = CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = int64_t{5} << 30;
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(sized);

    list->SetFolder(Dir());
    const auto sizeOf = [&](const char* name) {
        const TListItem* row = Row(*list, name);
        return row ? row->SubItems()[0] : std::string("(missing)");
    };
    EXPECT_EQ(sizeOf("zero.txt"), "0KB");
    EXPECT_EQ(sizeOf("one.txt"), "1KB");
    EXPECT_EQ(sizeOf("k1023.txt"), "1KB");
    EXPECT_EQ(sizeOf("k1024.txt"), "1KB");
    EXPECT_EQ(sizeOf("k3000.txt"), "2KB");
    EXPECT_EQ(sizeOf("big.bin"), "5242880KB");
    EXPECT_EQ(sizeOf("folder"), "");

    list->SetColumnSort(cnSize);
    EXPECT_EQ(Captions(*list), (Names{"folder", "big.bin", "k3000.txt", "k1024.txt", "k1023.txt",
                                      "one.txt", "zero.txt"}));
    list->SetSortOrder(soDescending);
    EXPECT_EQ(Captions(*list), (Names{"zero.txt", "one.txt", "k1023.txt", "k1024.txt", "k3000.txt",
                                      "big.bin", "folder"}));
    list->SetColumnSort(cnName);
    list->SetSortOrder(soDescending);
    EXPECT_EQ(Captions(*list).back(), "folder") << "descending by name: files before folders";
}

TEST_F(RealList, AChangeOnDiskRefreshesAndKeepsTheSelectedRow) {
    WriteFile("readme.txt");
    WriteFile("other.txt");
    list->SetAutoRefresh(true);
    list->SetFolder(Dir());
    ASSERT_NE(list->ChangeThread(), nullptr);
    ASSERT_TRUE(list->ChangeThread()->WaitUntilWatching(20000));
    list->SetSelected(Row(*list, "readme.txt"));
    WriteFile("new.txt");
    const auto start = std::chrono::steady_clock::now();
    while (!Row(*list, "new.txt") &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        PumpMessages();
        Sleep(10);
    }
    ASSERT_NE(Row(*list, "new.txt"), nullptr) << "the watcher's message refreshed the list";
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Caption(), "readme.txt");
    list->SetAutoRefresh(false);
    PumpMessages();
}

// A file's list holds its size and time: a file written to, or saved anew by a program that
// writes a new file under the old name, is still the row the user had selected and focused.
TEST_F(RealList, FilesWrittenToOrSavedAnewStaySelectedAcrossARefresh) {
    WriteFile("a.txt");
    WriteFile("log.txt", "one line");
    WriteFile("report.txt", "draft");
    WriteFile("z.txt");
    list->SetMultiSelect(true);
    list->SetFolder(Dir());
    const OwnedPidl before(
        OwnedPidl::Adopt,
        ConcatPidls(nullptr, TFolderEnumerator::ItemData(Row(*list, "log.txt"))->pFQPidl.Get(),
                    g_ShellMalloc));
    Row(*list, "log.txt")->SetSelected(true);
    Row(*list, "report.txt")->SetSelected(true);
    Row(*list, "report.txt")->SetFocused(true);

    WriteFile("log.txt", "one line, and another one, and a third one");
    ASSERT_TRUE(RemoveTree(Dir() + "\\report.txt"));
    WriteFile("report.txt", "the final text, longer than the draft");
    list->Refresh();

    ASSERT_FALSE(ArePidlsSame(before.Get(),
                              TFolderEnumerator::ItemData(Row(*list, "log.txt"))->pFQPidl.Get()))
        << "the written file's list changed";
    std::vector<std::string> selected;
    for (int i = 0; i < list->Items().Count(); ++i)
        if (list->Items().Item(i)->Selected())
            selected.push_back(list->Items().Item(i)->Caption());
    EXPECT_EQ(selected, (Names{"log.txt", "report.txt"}));
    TListItem* focused = list->GetNextItem(nullptr, sdAll, isFocused);
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->Caption(), "report.txt");
}

TEST_F(RealList, AChangeElsewhereOnTheDriveKeepsTheUsersPlaceInASortedScrolledFolder) {
    for (int i = 0; i < 2000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file %04d.txt", i);
        WriteFile(name, std::string(static_cast<size_t>((i * 37) % 1500), 'x'));
    }
    list->SetMultiSelect(true);
    list->SetAutoRefresh(true);
    list->SetFolder(Dir());
    ASSERT_EQ(list->Items().Count(), 2000);
    ASSERT_NE(list->ChangeThread(), nullptr);
    ASSERT_TRUE(list->ChangeThread()->WaitUntilWatching(20000));
    int changes = 0;
    list->SetOnSelectionChange([&](TFolderEnumerator*) { ++changes; });
    const auto refreshed = [&](int Before) {
        const auto start = std::chrono::steady_clock::now();
        while (changes == Before &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(15)) {
            PumpMessages();
            Sleep(10);
        }
        // Let any further wake-up of the watcher land too.
        for (int i = 0; i < 30; ++i) {
            PumpMessages();
            Sleep(10);
        }
        return changes > Before;
    };

    list->SetColumnSort(cnSize);
    list->SetSortOrder(soDescending);
    list->Items().Item(1500)->MakeVisible(false);
    for (int i : {1400, 1450, 1490})
        list->Items().Item(i)->SetSelected(true);
    list->Items().Item(1450)->SetFocused(true);
    PumpMessages();
    const TListPlace before = PlaceOf(*list);
    ASSERT_GT(before.Top, 1000);

    TempFolder elsewhere("varnel-elsewhere");
    int seen = changes;
    elsewhere.MakeFile("log.txt", "written");
    ASSERT_TRUE(refreshed(seen)) << "the watcher's message refreshed the list";
    const TListPlace after = PlaceOf(*list);
    EXPECT_TRUE(after.Order == before.Order) << "the rows stay sorted by size, descending";
    EXPECT_EQ(after.Top, before.Top);
    EXPECT_EQ(after.TopRow, before.TopRow);
    EXPECT_EQ(after.Selected, before.Selected);
    EXPECT_EQ(after.Focused, before.Focused);

    // A file added to the folder itself: it takes its place in the order, the rest stay.
    seen = changes;
    WriteFile("zz new.txt", std::string(700, 'n'));
    ASSERT_TRUE(refreshed(seen));
    const TListPlace grown = PlaceOf(*list);
    ASSERT_EQ(grown.Order.size(), 2001u);
    std::vector<std::string> rest = grown.Order;
    rest.erase(std::remove(rest.begin(), rest.end(), Identity(Row(*list, "zz new.txt")).Bytes),
               rest.end());
    EXPECT_TRUE(rest == before.Order) << "the old rows keep their order";
    for (int i = 1; i < list->Items().Count(); ++i)
        ASSERT_LE(TFolderEnumerator::ItemData(list->Items().Item(i - 1))->EntryDetails.iSize,
                  TFolderEnumerator::ItemData(list->Items().Item(i))->EntryDetails.iSize)
            << "smallest first at row " << i;
    EXPECT_EQ(grown.TopRow, before.TopRow);
    EXPECT_EQ(grown.Selected, before.Selected);
    EXPECT_EQ(grown.Focused, before.Focused);
    list->SetAutoRefresh(false);
    PumpMessages();
}

} // namespace
