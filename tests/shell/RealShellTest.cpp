// The shell routines against the platform's own shell, on folders and files the tests make.

#include "support/RealShellFixture.h"

#include "identifiers/StringList.h"
#include "identifiers/WideText.h"
#include "shell/FileOperation.h"
#include "shell/OleGlobals.h"
#include "shell/ShellRoutines.h"
#include "shell/UIObject.h"
#include "support/StringLines.h"

#include <gmock/gmock.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>

using namespace EnumGlobals;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

namespace {

int ImageCount(UINT sizeFlag) {
    SHFILEINFOW info{};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | sizeFlag));
    return list ? ImageList_GetImageCount(list) : 0;
}

// The relative list of `name` in `folder`, parsed by the folder.
OwnedPidl ParseIn(IShellFolder* folder, const std::string& name) {
    OwnedPidl pidl;
    std::wstring wide = Utf8ToWide(name);
    if (FAILED(
            folder->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, pidl.Put(), nullptr)))
        pidl.Reset();
    return pidl;
}

TEST_F(RealShellTest, BindsAFolderAndNamesItsItems) {
    WriteFile("a 1.txt");
    MakeDir("sub");
    OwnedPidl dir = ParsePath(Dir());
    ASSERT_TRUE(dir);
    ComPtr<IShellFolder> folder;
    BindToDesktopFolder(dir.Get(), folder);
    ASSERT_TRUE(folder);

    OwnedPidl file = ParseIn(folder.Get(), "a 1.txt");
    ASSERT_TRUE(file);
    std::string name;
    ASSERT_TRUE(GetNiceName(folder.Get(), file.Get(), SHGDN_INFOLDER | SHGDN_FORPARSING, name));
    EXPECT_EQ(name, "a 1.txt");
    ASSERT_TRUE(GetNiceName(folder.Get(), file.Get(), SHGDN_NORMAL, name));
    EXPECT_EQ(name.rfind("a 1", 0), 0u) << name;
    ASSERT_TRUE(GetNiceName(folder.Get(), file.Get(), SHGDN_FORPARSING, name));
    EXPECT_EQ(name, PathOf("a 1.txt"));

    OwnedPidl sub = ParseIn(folder.Get(), "sub");
    ComPtr<IShellFolder> subFolder;
    BindToFolder(sub.Get(), folder.Get(), subFolder);
    EXPECT_TRUE(subFolder);
    EXPECT_TRUE(HasAttribute(folder.Get(), sub.Get(), SFGAO_FOLDER));
    EXPECT_FALSE(HasAttribute(folder.Get(), file.Get(), SFGAO_FOLDER));
    EXPECT_TRUE(HasAttributeFQ(dir.Get(), SFGAO_FILESYSTEM | SFGAO_FOLDER));
}

// Wine's desktop asked about a deep list answers for its first item (My Computer).
TEST_F(RealShellTest, AttributesOfADeepListAreThoseOfItsLastItem) {
    WriteFile("note.txt");
    MakeDir("sub");
    OwnedPidl file = ParsePath(PathOf("note.txt"));
    OwnedPidl sub = ParsePath(PathOf("sub"));
    ASSERT_TRUE(file);
    ASSERT_TRUE(sub);
    EXPECT_FALSE(HasAttributeFQ(file.Get(), SFGAO_FOLDER)) << "a file counts as a folder";
    EXPECT_TRUE(HasAttributeFQ(file.Get(), SFGAO_FILESYSTEM));
    EXPECT_TRUE(HasAttributeFQ(sub.Get(), SFGAO_FILESYSTEM)) << "a folder on C: is no file";

    // Relative to another folder than the desktop: the list below My Computer.
    ComPtr<IShellFolder> desktop;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    ComPtr<IShellFolder> computer;
    LPCITEMIDLIST first = file.Get();
    const OwnedPidl computerPidl(OwnedPidl::Adopt, GetFirstPidl(first, g_ShellMalloc));
    BindToFolder(computerPidl.Get(), desktop.Get(), computer);
    ASSERT_TRUE(computer);
    EXPECT_EQ(GetAttributesOfItem(computer.Get(), first, SFGAO_FOLDER | SFGAO_FILESYSTEM),
              SFGAOF{SFGAO_FILESYSTEM});
    EXPECT_EQ(GetAttributesOfItem(desktop.Get(), computerPidl.Get(), SFGAO_FOLDER),
              SFGAOF{SFGAO_FOLDER});
}

TEST_F(RealShellTest, ComparepidlsTellsOneObjectFromAnother) {
    WriteFile("a.txt");
    WriteFile("b.txt");
    OwnedPidl a1 = ParsePath(PathOf("a.txt"));
    OwnedPidl a2 = ParsePath(PathOf("a.txt"));
    OwnedPidl b = ParsePath(PathOf("b.txt"));
    EXPECT_EQ(Comparepidls(a1.Get(), a2.Get()), 0);
    EXPECT_NE(Comparepidls(a1.Get(), b.Get()), 0);
}

TEST_F(RealShellTest, TypeNamesAndIconsComeFromTheSystemImageLists) {
    WriteFile("note.txt");
    MakeDir("sub");
    OwnedPidl text = ParsePath(PathOf("note.txt"));
    OwnedPidl sub = ParsePath(PathOf("sub"));
    std::string type;
    GetItemName(text.Get(), type);
    EXPECT_EQ(type, "Text Document");
    GetItemName(sub.Get(), type);
    EXPECT_FALSE(type.empty());

    const int small = ImageCount(SHGFI_SMALLICON);
    const int large = ImageCount(SHGFI_LARGEICON);
    ASSERT_GT(small, 0);
    ASSERT_GT(large, 0);
    for (LPCITEMIDLIST pidl : {text.Get(), sub.Get()}) {
        int normal = -1, selected = -1;
        GetNormalAndSelectedIcons(pidl, normal, selected);
        EXPECT_EQ(normal, GetSmallIconIndex(pidl));
        EXPECT_EQ(selected, GetOpenSmallIconIndex(pidl));
        EXPECT_GE(normal, 0);
        EXPECT_LT(normal, small);
        EXPECT_GE(selected, 0);
        EXPECT_LT(selected, small);
        const int big = GetIconIndex(pidl, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_LARGEICON);
        EXPECT_GE(big, 0);
        EXPECT_LT(big, large);
    }
    // A folder is drawn open when selected; a text file looks the same either way.
    EXPECT_NE(GetSmallIconIndex(sub.Get()), GetOpenSmallIconIndex(sub.Get()));
    EXPECT_NE(GetSmallIconIndex(sub.Get()), GetSmallIconIndex(text.Get()));
    EXPECT_EQ(GetIconIndex(nullptr, SHGFI_PIDL | SHGFI_SYSICONINDEX), kNoIconIndex);

    EXPECT_TRUE(OleGlobals::ExtractObjectIcon(PathOf("note.txt")));
    EXPECT_FALSE(OleGlobals::ExtractObjectIcon(PathOf("missing\\nothing.txt")));
}

TEST_F(RealShellTest, FileOperationRecordCarriesDoubleZeroListsAndUndo) {
    TStringList sources;
    sources.Add("C:\\a.txt");
    sources.Add("C:\\Ω.txt");
    const std::string dest = "C:\\target dir";
    TFileOperation operation(reinterpret_cast<HWND>(0x10), FO_COPY, sources, dest);
    const SHFILEOPSTRUCTW& record = operation.Record();
    EXPECT_EQ(record.hwnd, reinterpret_cast<HWND>(0x10));
    EXPECT_EQ(record.wFunc, static_cast<UINT>(FO_COPY));
    EXPECT_EQ(record.fFlags, 0x40);
    EXPECT_STREQ(record.lpszProgressTitle, L"");
    const std::wstring from(record.pFrom, 17);
    EXPECT_EQ(from, std::wstring(L"C:\\a.txt\0C:\\Ω.txt\0\0", 17));
    // The destination reads back exactly, and as a list: one name, then two zeros.
    ASSERT_EQ(std::wcslen(record.pTo), 13u);
    EXPECT_EQ(std::wstring(record.pTo), L"C:\\target dir");
    EXPECT_EQ(record.pTo[13], L'\0');
    EXPECT_EQ(record.pTo[14], L'\0');

    TFileOperation deletion(nullptr, FO_DELETE, sources, "");
    EXPECT_EQ(deletion.Record().pTo[0], L'\0');
    EXPECT_EQ(deletion.Record().pTo[1], L'\0');
}

TEST_F(RealShellTest, FileOperationsCopyAndMoveRealFiles) {
    WriteFile("one.txt", "1");
    WriteFile("two.txt", "2");
    MakeDir("copies");
    MakeDir("moved");
    TStringList both;
    both.Add(PathOf("one.txt"));
    both.Add(PathOf("two.txt"));
    ASSERT_TRUE(PerformFileOperation(nullptr, FO_COPY, both, PathOf("copies")));
    EXPECT_TRUE(Exists(PathOf("copies\\one.txt")));
    EXPECT_TRUE(Exists(PathOf("copies\\two.txt")));
    EXPECT_TRUE(Exists(PathOf("one.txt")));

    ASSERT_TRUE(PerformFileOperation(nullptr, FO_MOVE, both, PathOf("moved")));
    EXPECT_TRUE(Exists(PathOf("moved\\one.txt")));
    EXPECT_TRUE(Exists(PathOf("moved\\two.txt")));
    EXPECT_FALSE(Exists(PathOf("one.txt")));
    EXPECT_FALSE(Exists(PathOf("two.txt")));

    // Codes outside move, copy and delete do nothing at all.
    TStringList moved;
    moved.Add(PathOf("moved\\one.txt"));
    EXPECT_FALSE(PerformFileOperation(nullptr, 0, moved, PathOf("copies")));
    EXPECT_FALSE(PerformFileOperation(nullptr, 4, moved, PathOf("copies")));
    EXPECT_TRUE(Exists(PathOf("moved\\one.txt")));
}

TEST_F(RealShellTest, MovingANameOutsideTheAnsiCodePageMovesThatFileOnly) {
    WriteFile("Ω 1.txt", "omega");
    WriteFile("a 1.txt", "a");
    MakeDir("dest");
    TStringList omega;
    omega.Add(PathOf("Ω 1.txt"));
    ASSERT_TRUE(PerformFileOperation(nullptr, FO_MOVE, omega, PathOf("dest")));
    EXPECT_TRUE(Exists(PathOf("dest\\Ω 1.txt")));
    EXPECT_FALSE(Exists(PathOf("Ω 1.txt")));
    EXPECT_TRUE(Exists(PathOf("a 1.txt")));
    EXPECT_FALSE(Exists(PathOf("dest\\a 1.txt")));
}

TEST_F(RealShellTest, CreateLinkWritesExactlyTheGivenNameWithItsTarget) {
    WriteFile("target.txt");
    const std::string link = PathOf("Shortcut to target");
    ASSERT_EQ(CreateLink(PathOf("target.txt"), link, "Shortcut to target"), S_OK);
    EXPECT_TRUE(Exists(link));
    EXPECT_FALSE(Exists(link + ".lnk"));

    ComPtr<IShellLinkW> read;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&read)),
              S_OK);
    ComPtr<IPersistFile> file;
    ASSERT_EQ(read.As(&file), S_OK);
    ASSERT_EQ(file->Load(Utf8ToWide(link).c_str(), STGM_READ), S_OK);
    wchar_t target[MAX_PATH] = {};
    ASSERT_EQ(read->GetPath(target, MAX_PATH, nullptr, 0), S_OK);
    EXPECT_EQ(WideToUtf8(target), PathOf("target.txt"));
    wchar_t description[MAX_PATH] = {};
    ASSERT_EQ(read->GetDescription(description, MAX_PATH), S_OK);
    EXPECT_EQ(WideToUtf8(description), "Shortcut to target");
}

TEST_F(RealShellTest, ReadsTheShellsOwnDataObjectForTwoFiles) {
    WriteFile("a.txt");
    WriteFile("Ω.txt");
    OwnedPidl dir = ParsePath(Dir());
    ComPtr<IShellFolder> folder;
    BindToDesktopFolder(dir.Get(), folder);
    ASSERT_TRUE(folder);
    OwnedPidl a = ParseIn(folder.Get(), "a.txt");
    OwnedPidl omega = ParseIn(folder.Get(), "Ω.txt");
    LPCITEMIDLIST items[] = {a.Get(), omega.Get()};
    ComPtr<IDataObject> data;
    ASSERT_EQ(UIObjectOf(folder.Get(), nullptr, 2, items, data), S_OK);
    TStringList files;
    ASSERT_TRUE(OleGlobals::GetFilesFromDataObject(data.Get(), files));
    EXPECT_THAT(Lines(files), UnorderedElementsAre(PathOf("a.txt"), PathOf("Ω.txt")));
    std::string source;
    OleGlobals::GetSourcePathFromDataObject(data.Get(), source);
    EXPECT_EQ(source, Dir());
}

TEST_F(RealShellTest, DataObjectOfAPathHoldsThatFile) {
    WriteFile("Ω 1.txt");
    ComPtr<IDataObject> data;
    ASSERT_TRUE(OleGlobals::GetDataObjectOf(nullptr, PathOf("Ω 1.txt"), data));
    ASSERT_TRUE(data);
    TStringList files;
    ASSERT_TRUE(GetFilesFromDataObject(data.Get(), files));
    EXPECT_THAT(Lines(files), ElementsAre(PathOf("Ω 1.txt")));

    EXPECT_FALSE(OleGlobals::GetDataObjectOf(nullptr, PathOf("missing.txt"), data));
    EXPECT_FALSE(data);
    EXPECT_FALSE(OleGlobals::GetDataObjectOf(nullptr, PathOf("no dir\\x.txt"), data));
}

TEST_F(RealShellTest, PropertiesOfAPathThatLeadsNowhereAreNotShown) {
    EXPECT_FALSE(OleGlobals::DisplayProperties(nullptr, PathOf("no dir\\x.txt")));
    EXPECT_FALSE(OleGlobals::DisplayProperties(nullptr, PathOf("missing.txt")));
    EXPECT_FALSE(OleGlobals::DisplayProperties(nullptr, "nothing-by-this-name.txt"));
}

TEST(OleGlobalsUnit, HoldsItsOwnReferenceToTheShellAllocator) {
    ASSERT_NE(OleGlobals::g_ShellMalloc, nullptr);
    ComPtr<IMalloc> malloc = OleGlobals::GetShellMalloc();
    EXPECT_EQ(malloc.Get(), OleGlobals::g_ShellMalloc);
    // A further initialisation only counts; the matching finalisation keeps the reference.
    OleGlobals::Initialize();
    OleGlobals::Finalize();
    EXPECT_EQ(OleGlobals::g_ShellMalloc, malloc.Get());
}

} // namespace
