// The shell routines driven through the fake namespace: what they ask, what they make of the
// answers, and that every list and reference they touch is given back.

#include "identifiers/StringList.h"
#include "shell/OleGlobals.h"
#include "shell/ShellRoutines.h"
#include "support/CountingMalloc.h"
#include "support/FakeShell.h"
#include "support/StringLines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace EnumGlobals;
using testing::ElementsAre;

namespace {

// A fake namespace whose lists, and the wide names it hands out, come from a counting allocator
// that the package's routines also free through.
class FakeShellRoutines : public testing::Test {
protected:
    CountingMalloc m_Malloc;
    ScopedShellMalloc m_UseMalloc{&m_Malloc};
    FakeShell m_Shell{{FakeFolder("Docs", {FakeFile("Desktop").NameKind(StrRetKind::Wide),
                                           FakeFile("Desktop.offset").NameKind(StrRetKind::Offset),
                                           FakeFile("Desktop.inline").NameKind(StrRetKind::Inline),
                                           FakeFile("broken").FailDisplayName(),
                                           FakeFile("Ωmega").NameKind(StrRetKind::Wide)}),
                       FakeFile("readme.txt").Attributes(SFGAO_FILESYSANCESTOR)},
                      &m_Malloc};
};

TEST_F(FakeShellRoutines, NiceNameIsTheSameTextForEveryKindOfAnswer) {
    ComPtr<IShellFolder> docs = m_Shell.Folder("Docs");
    ASSERT_TRUE(docs);
    // The fake answers each item with its own name; kinds 1 and 2 carry "Desktop.offset" etc.
    // in ANSI, so each answer is compared against the item's own name.
    for (const char* name : {"Desktop", "Desktop.offset", "Desktop.inline"}) {
        OwnedPidl item = m_Shell.ChildPidl(std::string("Docs\\") + name);
        std::string text = "stale";
        EXPECT_TRUE(GetNiceName(docs.Get(), item.Get(), SHGDN_NORMAL, text));
        EXPECT_EQ(text, name);
    }
    OwnedPidl wide = m_Shell.ChildPidl("Docs\\Desktop");
    std::string text;
    ASSERT_TRUE(GetNiceName(docs.Get(), wide.Get(), SHGDN_NORMAL, text));
    EXPECT_EQ(text.size(), 7u);
    // A wide answer outside the ANSI code page arrives whole.
    OwnedPidl omega = m_Shell.ChildPidl("Docs\\Ωmega");
    ASSERT_TRUE(GetNiceName(docs.Get(), omega.Get(), SHGDN_NORMAL, text));
    EXPECT_EQ(text, "Ωmega");
    EXPECT_EQ(m_Shell.Calls().nameFlags.back(), SHGDN_NORMAL);
}

TEST_F(FakeShellRoutines, NiceNameOfAMultiLevelListReadsTheOffsetOfItsLastItem) {
    ComPtr<IShellFolder> root = m_Shell.Root();
    OwnedPidl full = m_Shell.Pidl("Docs\\Desktop.offset");
    std::string text;
    ASSERT_TRUE(GetNiceName(root.Get(), full.Get(), SHGDN_NORMAL, text));
    EXPECT_EQ(text, "Desktop.offset");
}

TEST_F(FakeShellRoutines, FailingDisplayNameGivesFalseAndAnEmptyName) {
    ComPtr<IShellFolder> docs = m_Shell.Folder("Docs");
    OwnedPidl broken = m_Shell.ChildPidl("Docs\\broken");
    std::string text = "held text";
    EXPECT_FALSE(GetNiceName(docs.Get(), broken.Get(), SHGDN_NORMAL, text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(GetNiceName(nullptr, broken.Get(), SHGDN_NORMAL, text));
}

TEST_F(FakeShellRoutines, StrRetStrReadsKindsOneAndTwoAndIgnoresUnknownKinds) {
    OwnedPidl item = m_Shell.ChildPidl("Docs\\Desktop.offset");
    STRRET answer{};
    answer.uType = STRRET_OFFSET;
    answer.uOffset = 8; // cb, marker and id precede the name
    std::string text;
    GetStrRetStr(item.Get(), answer, text);
    EXPECT_EQ(text, "Desktop.offset");
    answer.uType = STRRET_CSTR;
    lstrcpyA(answer.cStr, "inline");
    GetStrRetStr(nullptr, answer, text);
    EXPECT_EQ(text, "inline");
    answer.uType = 7;
    GetStrRetStr(item.Get(), answer, text);
    EXPECT_TRUE(text.empty());
    // An offset beyond the list reads nothing rather than past its end.
    answer.uType = STRRET_OFFSET;
    answer.uOffset = 4000;
    GetStrRetStr(item.Get(), answer, text);
    EXPECT_TRUE(text.empty());
}

TEST_F(FakeShellRoutines, HasAttributeIsTrueWhenAnyOfSeveralBitsIsSet) {
    ComPtr<IShellFolder> root = m_Shell.Root();
    OwnedPidl readme = m_Shell.ChildPidl("readme.txt");
    EXPECT_TRUE(HasAttribute(root.Get(), readme.Get(), SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
    EXPECT_FALSE(HasAttribute(root.Get(), readme.Get(), SFGAO_FILESYSTEM));
    EXPECT_FALSE(HasAttribute(root.Get(), readme.Get(), SFGAO_FOLDER | SFGAO_LINK));
    OwnedPidl docs = m_Shell.ChildPidl("Docs");
    EXPECT_TRUE(HasAttribute(root.Get(), docs.Get(), SFGAO_LINK | SFGAO_FOLDER));
    EXPECT_FALSE(HasAttribute(nullptr, docs.Get(), SFGAO_FOLDER));
    EXPECT_TRUE(AttributeExists(0x50000000, 0x10000000));
    EXPECT_FALSE(AttributeExists(0x40000000, 0x10000000));
}

TEST_F(FakeShellRoutines, BindingGivesTheSubfolderAndNothingForNilArguments) {
    ComPtr<IShellFolder> root = m_Shell.Root();
    OwnedPidl docs = m_Shell.ChildPidl("Docs");
    ComPtr<IShellFolder> bound;
    BindToFolder(docs.Get(), root.Get(), bound);
    ASSERT_TRUE(bound);
    OwnedPidl inside = m_Shell.ChildPidl("Docs\\Desktop");
    std::string text;
    EXPECT_TRUE(GetNiceName(bound.Get(), inside.Get(), SHGDN_NORMAL, text));
    EXPECT_EQ(text, "Desktop");

    BindToFolder(nullptr, root.Get(), bound);
    EXPECT_FALSE(bound);
    BindToFolder(docs.Get(), nullptr, bound);
    EXPECT_FALSE(bound);
    BindToDesktopFolder(nullptr, bound);
    EXPECT_FALSE(bound);
    // A file is no folder.
    OwnedPidl readme = m_Shell.ChildPidl("readme.txt");
    BindToFolder(readme.Get(), root.Get(), bound);
    EXPECT_FALSE(bound);
}

TEST_F(FakeShellRoutines, ComparepidlsCountsANilListAsTheSameObject) {
    OwnedPidl item = m_Shell.Pidl("Docs");
    EXPECT_EQ(Comparepidls(nullptr, item.Get()), 0);
    EXPECT_EQ(Comparepidls(item.Get(), nullptr), 0);
    EXPECT_EQ(Comparepidls(nullptr, nullptr), 0);
}

TEST_F(FakeShellRoutines, DefaultVerbRunsTheFirstEntryOfADefaultOnlyMenu) {
    m_Shell.SetMenuVerbs({"explore", "delete", "open"}, 2);
    ComPtr<IShellFolder> docs = m_Shell.Folder("Docs");
    OwnedPidl a = m_Shell.ChildPidl("Docs\\Desktop");
    OwnedPidl b = m_Shell.ChildPidl("Docs\\Ωmega");
    LPCITEMIDLIST items[] = {a.Get(), b.Get()};
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    InvokeDefaultVerb(owner, docs.Get(), items, 2);

    const FakeCalls& calls = m_Shell.Calls();
    EXPECT_THAT(calls.menuFlags, ElementsAre(CMF_DEFAULTONLY));
    EXPECT_THAT(calls.menuItems, ElementsAre(ElementsAre("Desktop", "Ωmega")));
    ASSERT_EQ(calls.invocations.size(), 1u);
    // The menu's only entry carries the identifier of "open", which is not 0.
    EXPECT_EQ(calls.invocations[0].commandId, 2);
    EXPECT_EQ(calls.invocations[0].verb, "open");
    EXPECT_EQ(calls.invocations[0].window, owner);
}

TEST_F(FakeShellRoutines, DefaultVerbSendsNothingWhenTheMenuHasNoEntry) {
    m_Shell.SetMenuVerbs({}, 0);
    ComPtr<IShellFolder> docs = m_Shell.Folder("Docs");
    OwnedPidl a = m_Shell.ChildPidl("Docs\\Desktop");
    LPCITEMIDLIST items[] = {a.Get()};
    InvokeDefaultVerb(nullptr, docs.Get(), items, 1);
    // The empty default-only menu is followed by the whole one, empty too.
    EXPECT_THAT(m_Shell.Calls().menuFlags, ElementsAre(CMF_DEFAULTONLY, CMF_EXPLORE));
    EXPECT_TRUE(m_Shell.Calls().invocations.empty());
}

// Wine's menus asked for the default entry alone are empty: nothing ran on a double click.
TEST_F(FakeShellRoutines, DefaultVerbRunsTheWholeMenusDefaultWhenTheDefaultOnlyMenuIsEmpty) {
    m_Shell.SetMenuVerbs({"explore", "delete", "open"}, 2);
    m_Shell.EmptyDefaultOnlyMenus();
    ComPtr<IShellFolder> docs = m_Shell.Folder("Docs");
    OwnedPidl a = m_Shell.ChildPidl("Docs\\Desktop");
    LPCITEMIDLIST items[] = {a.Get()};
    InvokeDefaultVerb(nullptr, docs.Get(), items, 1);
    EXPECT_THAT(m_Shell.Calls().menuFlags, ElementsAre(CMF_DEFAULTONLY, CMF_EXPLORE));
    ASSERT_EQ(m_Shell.Calls().invocations.size(), 1u);
    EXPECT_EQ(m_Shell.Calls().invocations[0].verb, "open");
}

TEST_F(FakeShellRoutines, MenuVerbRunsTheVerbTextOfAVerbsOnlyMenuInBothUnits) {
    ComPtr<IShellFolder> docs = m_Shell.Folder("Docs");
    OwnedPidl a = m_Shell.ChildPidl("Docs\\Desktop");
    LPCITEMIDLIST items[] = {a.Get()};
    InvokeMenuVerb(nullptr, docs.Get(), items, 1, "Delete");
    OleGlobals::InvokeMenuVerb(nullptr, docs.Get(), items, 1, "properties");

    const FakeCalls& calls = m_Shell.Calls();
    EXPECT_THAT(calls.menuFlags, ElementsAre(CMF_VERBSONLY, CMF_VERBSONLY));
    ASSERT_EQ(calls.invocations.size(), 2u);
    EXPECT_EQ(calls.invocations[0].verb, "Delete");
    EXPECT_EQ(calls.invocations[0].commandId, -1);
    EXPECT_EQ(calls.invocations[1].verb, "properties");
}

TEST_F(FakeShellRoutines, CommandsOnANilFolderDoNothing) {
    InvokeDefaultVerb(nullptr, nullptr, nullptr, 0);
    InvokeMenuVerb(nullptr, nullptr, nullptr, 0, "Delete");
    EXPECT_TRUE(m_Shell.Calls().menuFlags.empty());
}

TEST_F(FakeShellRoutines, DroppedFilesAreAppendedBehindWhatTheListHeld) {
    ComPtr<IDataObject> data = m_Shell.DataObject({"C:\\a.txt", "D:\\b"});
    TStringList files;
    files.Add("x");
    EXPECT_TRUE(OleGlobals::GetFilesFromDataObject(data.Get(), files));
    EXPECT_THAT(Lines(files), ElementsAre("x", "C:\\a.txt", "D:\\b"));
    // The platform counts one (empty) name in an empty list; no empty path comes of it.
    EXPECT_TRUE(GetFilesFromDataObject(m_Shell.DataObject({}).Get(), files));
    EXPECT_THAT(Lines(files), ElementsAre("x", "C:\\a.txt", "D:\\b"));
    std::string source = "stale";
    GetSourcePathFromDataObject(m_Shell.DataObject({}).Get(), source);
    EXPECT_EQ(source, "");
}

TEST_F(FakeShellRoutines, AnObjectWithoutAFileListLeavesTheListAlone) {
    ComPtr<IDataObject> text =
        m_Shell.DataObject({"C:\\a.txt"}, MediumRelease::Handle, DataFormats::TextOnly);
    TStringList files;
    files.Add("x");
    EXPECT_FALSE(GetFilesFromDataObject(text.Get(), files));
    EXPECT_THAT(Lines(files), ElementsAre("x"));
    std::string source = "stale";
    GetSourcePathFromDataObject(text.Get(), source);
    EXPECT_TRUE(source.empty());
    EXPECT_FALSE(GetFilesFromDataObject(nullptr, files));
}

TEST_F(FakeShellRoutines, SourcePathIsTheDirectoryOfTheFirstFile) {
    std::string source;
    GetSourcePathFromDataObject(m_Shell.DataObject({"C:\\x\\y.txt", "D:\\z.txt"}).Get(), source);
    EXPECT_EQ(source, "C:\\x\\");
    OleGlobals::GetSourcePathFromDataObject(m_Shell.DataObject({"C:\\"}).Get(), source);
    EXPECT_EQ(source, "C:\\");
    GetSourcePathFromDataObject(m_Shell.DataObject({"nofolder.txt"}).Get(), source);
    EXPECT_EQ(source, "");
}

TEST_F(FakeShellRoutines, AMediumWithAReleaseObjectIsReleasedThroughIt) {
    ComPtr<IDataObject> data =
        m_Shell.DataObject({"C:\\a.txt", "C:\\b.txt"}, MediumRelease::Object);
    TStringList files;
    EXPECT_TRUE(GetFilesFromDataObject(data.Get(), files));
    std::string source;
    GetSourcePathFromDataObject(data.Get(), source);
    EXPECT_EQ(source, "C:\\");
    // Each medium's owner was released, and found its handle not yet freed by the routine.
    EXPECT_EQ(m_Shell.Calls().mediaReleasedThroughObject, 2);
    EXPECT_TRUE(m_Shell.Calls().releasedHandleWasValid);
}

TEST_F(FakeShellRoutines, FormatDescriptorIsTheDroppedFileListInGlobalMemory) {
    FORMATETC format{};
    format.ptd = reinterpret_cast<DVTARGETDEVICE*>(0x1);
    OleGlobals::SetDefFormatEtc(format, 15, 1);
    EXPECT_EQ(format.cfFormat, 15);
    EXPECT_EQ(format.ptd, nullptr);
    EXPECT_EQ(format.dwAspect, 1u);
    EXPECT_EQ(format.lindex, -1);
    EXPECT_EQ(format.tymed, 1u);
}

// The fake itself: enumeration follows its flags, renames are recorded, nothing leaks.
TEST_F(FakeShellRoutines, FakeEnumeratesByFlagsAndRecordsRenames) {
    FakeShell shell({FakeFolder("A"), FakeFile("b").Hidden(), FakeFile("c"),
                     FakeFolder("D").FailEnumeration(), FakeFolder("E").EmptyEnumeration()},
                    &m_Malloc);
    ComPtr<IShellFolder> root = shell.Root();
    auto names = [&](SHCONTF flags) {
        std::vector<std::string> seen;
        ComPtr<IEnumIDList> items;
        if (root->EnumObjects(nullptr, flags, &items) != S_OK)
            return seen;
        OwnedPidl child(&m_Malloc);
        while (items->Next(1, child.Put(), nullptr) == S_OK) {
            std::string text;
            GetNiceName(root.Get(), child.Get(), SHGDN_NORMAL, text);
            seen.push_back(text);
        }
        return seen;
    };
    EXPECT_THAT(names(SHCONTF_FOLDERS), ElementsAre("A", "D", "E"));
    EXPECT_THAT(names(SHCONTF_NONFOLDERS), ElementsAre("c"));
    EXPECT_THAT(names(SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN), ElementsAre("b", "c"));
    EXPECT_EQ(shell.Calls().enumFlags.front(), SHCONTF_FOLDERS);

    ComPtr<IShellFolder> d = shell.Folder("D");
    ComPtr<IEnumIDList> none;
    EXPECT_EQ(d->EnumObjects(nullptr, SHCONTF_FOLDERS, &none), E_FAIL);
    EXPECT_FALSE(none);
    ComPtr<IShellFolder> e = shell.Folder("E");
    EXPECT_EQ(e->EnumObjects(nullptr, SHCONTF_FOLDERS, &none), S_FALSE);
    EXPECT_FALSE(none);

    OwnedPidl c = shell.ChildPidl("c");
    OwnedPidl renamed(&m_Malloc);
    LPCITEMIDLIST old = c.Get();
    ASSERT_EQ(root->SetNameOf(nullptr, old, L"c2", SHGDN_NORMAL, renamed.Put()), S_OK);
    EXPECT_EQ(shell.NameOf(renamed.Get()), "c2");
    EXPECT_EQ(shell.Calls().renames.back(), std::make_pair(std::string("c"), std::string("c2")));
    shell.RejectRenames();
    EXPECT_TRUE(FAILED(root->SetNameOf(nullptr, renamed.Get(), L"c3", SHGDN_NORMAL, nullptr)));
}

} // namespace
