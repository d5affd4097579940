// The folder list over a fake namespace: set-up, filling, options, links, refresh and sorting.

#include "ListTestSupport.h"

#include "identifiers/EnumGlobals.h"
#include "list/FolderEnumerator.h"
#include "support/CountingMalloc.h"
#include "support/HostWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using Names = std::vector<std::string>;

std::vector<FakeItem> StandardNamespace() {
    return {FakeFolder("Docs", {FakeFile("b.txt"), FakeFolder("Sub"), FakeFile("a.txt"),
                                FakeFile(".secret").Hidden(), FakeFile("readme.txt")}),
            FakeVirtualFolder("My Computer",
                              {FakeFolder("Local Disk (C:)"), FakeVirtualFolder("Control Panel")}),
            FakeVirtualFolder("Recycled"),
            FakeFile("shared.lnk").AddAttributes(SFGAO_SHARE | SFGAO_LINK),
            FakeFile("notes.txt").AddAttributes(SFGAO_SHARE),
            FakeVirtualFolder("Ancestor").AddAttributes(SFGAO_FILESYSANCESTOR)};
}

class FakeList : public FakeListTest {
protected:
    void Make(std::vector<FakeItem> Items = StandardNamespace()) {
        MakeShell(std::move(Items));
        tree.Shell = shell.get();
        combo.Shell = shell.get();
        list = NewList();
    }
    void ShowDocs() {
        OwnedPidl docs = shell->Pidl("Docs");
        list->FolderChanged(&tree, shell->Folder("Docs").Get(), docs.Get(), true);
    }
    TItemData* Data(const TListItem* Item) const { return TFolderEnumerator::ItemData(Item); }
    size_t NormalNameCalls() const {
        size_t calls = 0;
        for (SHGDNF flags : shell->Calls().nameFlags)
            calls += flags == SHGDN_NORMAL;
        return calls;
    }

    TTreeDouble tree;
    TComboDouble combo;
};

TEST_F(FakeList, StartsWithTheDefaultsAndShowsTheDesktopWhenItsWindowIsMade) {
    Make();
    EXPECT_EQ(ColumnCaptions(*list), (Names{"Name", "Size", "Type", "Modified"}));
    EXPECT_EQ(list->ColumnIndex(cnName), 0);
    EXPECT_EQ(list->ColumnIndex(cnExtension), -1);
    EXPECT_EQ(list->ColumnIndex(cnSize), 1);
    EXPECT_EQ(list->ColumnIndex(cnAttributes), -1);
    EXPECT_EQ(list->ColumnIndex(cnType), 2);
    EXPECT_EQ(list->ColumnIndex(cnModified), 3);
    EXPECT_EQ(list->Columns().Item(1)->Alignment(), taRightJustify);
    EXPECT_EQ(list->GetColumnSort(), cnName);
    EXPECT_EQ(list->GetSortOrder(), soAscending);
    EXPECT_EQ(list->FileMask(), "*.*");
    EXPECT_EQ(list->GetFolder(), "");
    EXPECT_TRUE(list->AutoRefresh() && list->AllowRename() && list->ShowFolders() &&
                list->ShowVirtualFolders() && list->ShellContextMenu() && list->AllowOLEDrop() &&
                list->AllowOLEDrag());
    EXPECT_FALSE(list->ShowHidden());
    // The desktop, with its own empty list, in the shell's order; hidden items left out.
    EXPECT_EQ(EnumGlobals::GetPidlSize(list->ViewPidl()), 2);
    EXPECT_EQ(Captions(*list),
              (Names{"Docs", "My Computer", "Recycled", "shared.lnk", "notes.txt", "Ancestor"}));
    EXPECT_EQ(shell->Calls().enumFlags.back(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
}

TEST_F(FakeList, PublishesItsPropertiesInTheirStoredOrderAfterTheFrameworksOnes) {
    std::vector<std::string> names;
    for (const TPropInfo* info : TFolderEnumerator::StaticClassInfo().PublishedProperties())
        names.push_back(info->Name);
    const Names own = {"OnDoubleClick",    "AllowRename",  "ShowVirtualFolders",
                       "ShowFolders",      "SortColumn",   "SortOrder",
                       "Folder",           "ShowHidden",   "OnSelectionChange",
                       "ShellContextMenu", "About",        "FolderColumns",
                       "AutoRefresh",      "AllowOLEDrop", "AllowOLEDrag",
                       "FileMask"};
    ASSERT_GE(names.size(), own.size());
    EXPECT_EQ(Names(names.end() - static_cast<long>(own.size()), names.end()), own);
    // Of the list view's own, only the re-published ones, in their order.
    const Names before(names.begin(), names.end() - static_cast<long>(own.size()));
    EXPECT_EQ(std::find(before.begin(), before.end(), "ReadOnly"), before.end());
    EXPECT_EQ(Names(before.begin(), before.begin() + 5),
              (Names{"Name", "Left", "Top", "Width", "Height"}));
    const auto at = [&](const char* name) {
        return std::find(before.begin(), before.end(), name) - before.begin();
    };
    EXPECT_LT(at("ColumnClick"), at("HideSelection"));
    EXPECT_LT(at("HideSelection"), at("ViewStyle"));
    EXPECT_LT(at("ViewStyle"), at("MultiSelect"));
    EXPECT_LT(at("MultiSelect"), static_cast<long>(before.size()));
}

TEST_F(FakeList, RowsAskTheShellForTheirNamesOnlyWhenRead) {
    Make();
    ShowDocs();
    ASSERT_EQ(list->Items().Count(), 4);
    const size_t before = NormalNameCalls();
    TListItem* first = list->Items().Item(0);
    EXPECT_NE(first->Pending() & ipCaption, 0u) << "the fill asks no display name";
    EXPECT_EQ(first->Caption(), "b.txt");
    EXPECT_EQ(NormalNameCalls(), before + 1);
    EXPECT_EQ(first->Caption(), "b.txt");
    EXPECT_EQ(NormalNameCalls(), before + 1) << "a name is asked once";
    // The rest is as the shell says, whoever reads it.
    EXPECT_EQ(first->ImageIndex(), 12);
    EXPECT_EQ(first->SubItems()[1], "Type of b.txt");
    TItemData* data = Data(first);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(shell->NameOf(data->pFQPidl.Get()), "b.txt");
    EXPECT_EQ(EnumGlobals::GetPidlSize(data->pFQPidl.Get()),
              EnumGlobals::GetPidlSize(shell->Pidl("Docs\\b.txt").Get()));
    EXPECT_TRUE(data->EntryDetails.uAttrib & SFGAO_FILESYSTEM);
    // Nothing on disk for the fake's paths: no details, so empty Size and Modified.
    EXPECT_EQ(first->SubItems()[0], "");
    EXPECT_EQ(first->SubItems()[2], "");
    EXPECT_NE(list->FindCaption(0, "README.TXT", false, true, false), nullptr);
}

TEST_F(FakeList, VirtualItemsAreTypedAsSystemFoldersAndTheBinByItsCaption) {
    Make();
    EXPECT_EQ(Row(*list, "My Computer")->SubItems()[1], "System Folder");
    EXPECT_EQ(Row(*list, "Recycled")->SubItems()[1], "Recycle Bin");
    EXPECT_EQ(Row(*list, "Docs")->SubItems()[1], "Type of Docs");
    EXPECT_EQ(Row(*list, "Docs")->SubItems()[0], "") << "a folder has no size";
}

TEST_F(FakeList, ALinkThatIsSharedShowsTheLinkOverlay) {
    Make();
    EXPECT_EQ(Row(*list, "shared.lnk")->OverlayIndex(), 1);
    EXPECT_EQ(Row(*list, "notes.txt")->OverlayIndex(), 0);
    EXPECT_EQ(Row(*list, "Docs")->OverlayIndex(), -1);
}

TEST_F(FakeList, OptionsDropItemsAndRefillAsTheyShould) {
    Make();
    list->SetVirtualFolders(false);
    // The ancestor-only item stays; those with neither flag go.
    EXPECT_EQ(Captions(*list), (Names{"Docs", "shared.lnk", "notes.txt", "Ancestor"}));
    list->SetVirtualFolders(true);
    list->SetSelected(Row(*list, "notes.txt"));
    list->SetShowFolders(false);
    EXPECT_EQ(Captions(*list), (Names{"shared.lnk", "notes.txt"}));
    ASSERT_NE(list->Selected(), nullptr) << "a refresh keeps the selection";
    EXPECT_EQ(list->Selected()->Caption(), "notes.txt");
    list->SetShowFolders(true);

    ShowDocs();
    list->SetSelected(Row(*list, "a.txt"));
    list->SetShowHidden(true);
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "Sub", "a.txt", ".secret", "readme.txt"}));
    EXPECT_EQ(list->Selected(), nullptr) << "showing hidden items refills without the selection";
    EXPECT_EQ(shell->Calls().enumFlags.back(),
              SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN);
}

TEST_F(FakeList, TheFileMaskIsStoredAsTheProperyDescribes) {
    Make();
    list->SetFileMask("   ");
    EXPECT_EQ(list->FileMask(), "*.*");
    list->SetFileMask(" *.txt");
    EXPECT_EQ(list->FileMask(), " *.txt");
    // Items without an entry on disk are never masked.
    EXPECT_EQ(list->Items().Count(), 6);
}

TEST_F(FakeList, FolderChangedTellsThePartnerThatDidNotSendIt) {
    Make();
    list->SetNameSpaceEnumerator(&tree);
    list->SetNameSpaceCombo(&combo);
    ShowDocs();
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "Sub", "a.txt", "readme.txt"}));
    EXPECT_TRUE(tree.Expanded.empty());
    EXPECT_EQ(combo.Current, (Names{"Docs"}));

    OwnedPidl computer = shell->Pidl("My Computer");
    list->FolderChanged(&combo, shell->Folder("My Computer").Get(), computer.Get(), false);
    EXPECT_EQ(tree.Expanded, (Names{"My Computer"}));
    EXPECT_EQ(combo.Current.size(), 1u);

    // The desktop announced without a list.
    list->FolderChanged(&tree, shell->Root().Get(), nullptr, false);
    EXPECT_EQ(list->ViewPidl(), nullptr);
    EXPECT_EQ(list->Items().Count(), 6);
    EXPECT_EQ(combo.Current.back(), "") << "the desktop, told without a list";
    list->SetNameSpaceEnumerator(nullptr);
    list->SetNameSpaceCombo(nullptr);
}

TEST_F(FakeList, FolderChangedWithTheListsOwnFolderAndListShowsItAgain) {
    Make();
    ShowDocs();
    list->FolderChanged(&tree, list->ViewFolder(), list->ViewPidl(), true);
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "Sub", "a.txt", "readme.txt"}));
    EXPECT_EQ(shell->NameOf(list->ViewPidl()), "Docs");
}

TEST_F(FakeList, SetFolderShowsAPathAndAnEmptyTextShowsTheDesktop) {
    Make();
    list->SetNameSpaceEnumerator(&tree);
    list->SetFolder("Docs");
    EXPECT_EQ(list->GetFolder(), "Docs");
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "Sub", "a.txt", "readme.txt"}));
    EXPECT_EQ(tree.Expanded, (Names{"Docs"}));

    // Unparsable and too long: the list stays; Folder reads the text given.
    list->SetFolder("Nowhere");
    EXPECT_EQ(list->GetFolder(), "Nowhere");
    EXPECT_EQ(list->Items().Count(), 4);
    const std::string tooLong = "Docs\\" + std::string(300, 'x');
    list->SetFolder(tooLong);
    EXPECT_EQ(list->Items().Count(), 4);
    EXPECT_EQ(tree.Expanded.size(), 1u);

    list->SetFolder("");
    EXPECT_EQ(EnumGlobals::GetPidlSize(list->ViewPidl()), 2);
    EXPECT_EQ(list->Items().Count(), 6);
    EXPECT_EQ(shell->NameOf(TFolderEnumerator::ItemData(list->Items().Item(0))->pFQPidl.Get()),
              "Docs")
        << "rows' full lists lead from the desktop";
    EXPECT_EQ(tree.Expanded.back(), shell->NameOf(list->ViewPidl())) << "the desktop's list";
    list->SetNameSpaceEnumerator(nullptr);
}

TEST_F(FakeList, RefreshSelectsTheSameCaptionOrTheFirstRow) {
    Make();
    ShowDocs();
    list->SetSelected(Row(*list, "readme.txt"));
    shell->AddItem("Docs", FakeFile("new.txt"));
    list->Refresh();
    EXPECT_EQ(list->Items().Count(), 5);
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Caption(), "readme.txt");

    shell->RemoveItem("Docs\\readme.txt");
    list->Refresh();
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Index(), 0);

    list->SetSelected(nullptr);
    list->Refresh();
    EXPECT_EQ(list->Selected(), nullptr);

    list->SetSelected(list->Items().Item(0));
    for (const char* name : {"b.txt", "Sub", "a.txt", "new.txt"})
        shell->RemoveItem(std::string("Docs\\") + name);
    list->Refresh();
    EXPECT_EQ(list->Items().Count(), 0);
    EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(FakeList, ARefreshKeepsOrderTopRowSelectionAndFocusOfAChangedFolder) {
    std::vector<FakeItem> files;
    for (int i = 0; i < 300; ++i)
        files.push_back(FakeFile("file " + std::to_string(1000 + i)));
    Make({FakeFolder("Many", std::move(files))});
    list->SetMultiSelect(true);
    OwnedPidl many = shell->Pidl("Many");
    list->FolderChanged(&tree, shell->Folder("Many").Get(), many.Get(), true);
    list->SetSortOrder(soDescending);
    list->Items().Item(200)->MakeVisible(false);
    for (int i : {150, 170, 190})
        list->Items().Item(i)->SetSelected(true);
    list->Items().Item(170)->SetFocused(true);
    const TListPlace before = PlaceOf(*list);
    ASSERT_GT(before.Top, 100);

    // One row goes, one comes below the view.
    shell->RemoveItem("Many\\file 1000");
    shell->AddItem("Many", FakeFile("file 0000"));
    list->Refresh();
    const TListPlace after = PlaceOf(*list);
    EXPECT_EQ(Captions(*list).front(), "file 1299") << "still descending by name";
    EXPECT_EQ(Captions(*list).back(), "file 0000");
    EXPECT_EQ(after.TopRow, before.TopRow);
    EXPECT_EQ(after.Selected, before.Selected);
    EXPECT_EQ(after.Focused, before.Focused);

    // The top row itself goes: the view stays where it was.
    shell->RemoveItem("Many\\" + list->Items().Item(after.Top)->Caption());
    list->Refresh();
    EXPECT_EQ(PlaceOf(*list).Top, after.Top);
}

TEST_F(FakeList, ARefreshKnowsRowsByTheirItemsNotTheirCaptions) {
    Make({FakeVirtualFolder("Panel", {FakeVirtualFolder("Twin"), FakeVirtualFolder("Twin"),
                                      FakeVirtualFolder("Other")}),
          FakeFolder("Docs", {FakeFile("a.txt"), FakeFile("readme.txt")})});
    OwnedPidl panel = shell->Pidl("Panel");
    list->FolderChanged(&tree, shell->Folder("Panel").Get(), panel.Get(), false);
    TListItem* second = list->Items().Item(1);
    ASSERT_EQ(second->Caption(), "Twin");
    const TRowId twin = Identity(second);
    list->SetSelected(second);
    list->Refresh();
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(Identity(list->Selected()), twin) << "the second of two rows captioned alike";

    // The selected file is renamed on disk and another takes its name: that one is a new item.
    ShowDocs();
    list->SetSelected(Row(*list, "readme.txt"));
    OwnedPidl readme = shell->ChildPidl("Docs\\readme.txt");
    OwnedPidl renamed;
    ASSERT_EQ(shell->Folder("Docs")->SetNameOf(nullptr, readme.Get(), L"old.txt", SHGDN_INFOLDER,
                                               renamed.Put()),
              S_OK);
    shell->AddItem("Docs", FakeFile("readme.txt"));
    list->Refresh();
    EXPECT_EQ(Captions(*list), (Names{"a.txt", "old.txt", "readme.txt"}));
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_EQ(list->Items().Item(0)->Selected(), true)
        << "the selected item is gone: the first row is selected";
}

TEST_F(FakeList, AnEnumeratorAnsweringSuccessWithoutAnItemEndsTheRows) {
    Make({FakeFolder("Stuck", {FakeFile("a"), FakeFile("b"), FakeFile("c")}).EmptySuccessAfter(2)});
    OwnedPidl stuck = shell->Pidl("Stuck");
    list->FolderChanged(&tree, shell->Folder("Stuck").Get(), stuck.Get(), true);
    EXPECT_EQ(Captions(*list), (Names{"a", "b"}));
    EXPECT_EQ(shell->Calls().emptySuccesses, 1) << "the list stops at the first empty answer";
}

TEST_F(FakeList, ChangeMessagesRefreshOnlyWithAutoRefresh) {
    Make();
    ShowDocs();
    shell->AddItem("Docs", FakeFile("new.txt"));
    list->SetAutoRefresh(false);
    SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
    EXPECT_EQ(list->Items().Count(), 4);
    list->SetAutoRefresh(true);
    SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
    EXPECT_EQ(list->Items().Count(), 5);
}

TEST_F(FakeList, NoRowIsEditedAndNothingCanBeDropped) {
    Make();
    ShowDocs();
    list->SetAllowRename(false);
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_EDITLABELW, 0, 0), 0);
    EXPECT_FALSE(list->IsEditing());
    TvxDropTarget* target = list->OleDropTarget();
    ASSERT_NE(target, nullptr);
    ComPtr<IDataObject> data = shell->DataObject({"C:\\Fake\\Docs\\a.txt"});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->DragEnter(data.Get(), 0, POINTL{5, 5}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_CONTROL, POINTL{5, 5}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragLeave();
}

TEST_F(FakeList, ARefreshDuringAnEditWaitsForTheEditToEnd) {
    Make();
    ShowDocs();
    // Standing in for the rename to come: an edit that is let open.
    list->OnEditing = [](TObject*, TListItem*, bool& AllowEdit) { AllowEdit = true; };
    list->SetFocus();
    ASSERT_NE(SendMessageW(list->Handle(), LVM_EDITLABELW, 2, 0), 0);
    ASSERT_TRUE(list->IsEditing());
    shell->AddItem("Docs", FakeFile("new.txt"));
    SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
    SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
    EXPECT_EQ(list->Items().Count(), 4) << "the rows stay while the edit is open";
    const size_t enumerations = shell->Calls().enumFlags.size();
    SendMessageW(list->Handle(), LVM_CANCELEDITLABEL, 0, 0);
    PumpMessages();
    EXPECT_FALSE(list->IsEditing());
    EXPECT_EQ(list->Items().Count(), 5);
    EXPECT_EQ(shell->Calls().enumFlags.size(), enumerations + 1) << "one refresh for both";
}

TEST_F(FakeList, SortingByNamePutsFoldersAndVirtualItemsFirstAscending) {
    Make();
    // A fresh list sorts by Name, ascending; the first click on Name turns it descending.
    TListColumn* name = list->Columns().Item(0);
    list->OnColumnClick(list.get(), name);
    EXPECT_EQ(list->GetSortOrder(), soDescending);
    EXPECT_EQ(Captions(*list),
              (Names{"shared.lnk", "notes.txt", "Docs", "Recycled", "My Computer", "Ancestor"}));
    list->OnColumnClick(list.get(), name);
    EXPECT_EQ(list->GetSortOrder(), soAscending);
    EXPECT_EQ(Captions(*list),
              (Names{"Ancestor", "My Computer", "Recycled", "Docs", "notes.txt", "shared.lnk"}));
    // Another header starts ascending.
    list->SetSortOrder(soDescending);
    list->OnColumnClick(list.get(), list->Columns().Item(2));
    EXPECT_EQ(list->GetSortOrder(), soAscending);
    EXPECT_EQ(list->GetColumnSort(), cnType);
}

TEST_F(FakeList, UnsortedComparesEveryPairEqualAndHiddenColumnsAreNotSortColumns) {
    Make();
    list->SetSortOrder(soUnSorted);
    for (int i = 0; i + 1 < list->Items().Count(); ++i)
        EXPECT_EQ(TFolderEnumerator::LVCompareProc(list->Items().Item(i), list->Items().Item(i + 1),
                                                   reinterpret_cast<LPARAM>(list.get())),
                  0);
    list->SetColumnSort(cnModified);
    EXPECT_EQ(list->LastColumnSorted(), 3);
    list->SetColumnSort(cnExtension);
    EXPECT_EQ(list->LastColumnSorted(), 3) << "a hidden column changes nothing";
    EXPECT_EQ(list->GetColumnSort(), cnModified);
    // A row the application added without a record compares as a zeroed record.
    list->SetSortOrder(soAscending);
    TListItem* bare = list->Items().Add();
    EXPECT_LT(TFolderEnumerator::LVCompareProc(bare, Row(*list, "Docs"),
                                               reinterpret_cast<LPARAM>(list.get())),
              0);
    bare->Delete();
}

TEST_F(FakeList, AFileSystemFolderFromAPartnerKeepsTheSortAskedFor) {
    Make();
    ShowDocs();
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "Sub", "a.txt", "readme.txt"}))
        << "no sort until one is asked for";
    list->SetSortOrder(soAscending);
    EXPECT_EQ(Captions(*list), (Names{"Sub", "a.txt", "b.txt", "readme.txt"}));
    ShowDocs();
    EXPECT_EQ(Captions(*list), (Names{"Sub", "a.txt", "b.txt", "readme.txt"}));
    list->Refresh();
    EXPECT_EQ(Captions(*list), (Names{"Sub", "a.txt", "b.txt", "readme.txt"}))
        << "a refresh keeps the order asked for";
    shell->AddItem("Docs", FakeFile("0.txt"));
    list->SetShowHidden(true);
    EXPECT_EQ(Captions(*list), (Names{"Sub", ".secret", "0.txt", "a.txt", "b.txt", "readme.txt"}))
        << "so does showing hidden items";
}

TEST_F(FakeList, ASortColumnReadFromAFormIsAppliedOnceTheColumnsAreLaidOut) {
    Make();
    list->BeginLoading();
    list->SetColumnSort(cnModified);
    list->SetFolder("Docs");
    EXPECT_EQ(list->GetColumnSort(), cnModified);
    list->Loaded();
    EXPECT_EQ(list->LastColumnSorted(), 3);
    EXPECT_EQ(list->GetColumnSort(), cnModified);
    EXPECT_EQ(list->Items().Count(), 4) << "the rows are filled once reading is over";
}

TEST_F(FakeList, IdleTimeCompletesRowsInShortStepsLetsPaintGoFirstAndSurvivesASort) {
    std::vector<FakeItem> files;
    for (int i = 0; i < 80; ++i)
        files.push_back(FakeFile("file " + std::to_string(100 + i) + ".txt"));
    Make({FakeFolder("Many", files)});
    services->IconDelayMs = 4;
    list->FolderChanged(&tree, shell->Folder("Many").Get(), shell->Pidl("Many").Get(), false);
    const auto pending = [&] {
        for (int i = 0; i < list->Items().Count(); ++i)
            if (list->Items().Item(i)->Pending() != ipNone)
                return true;
        return false;
    };
    // Each step of idle time (any message to the list but its painting) ends once 6 ms are
    // used: two 4 ms icons at most; one when painting waits; and a sort half-way leaves no row
    // behind the step's place.
    int most = 0;
    int steps = 0;
    bool sorted = false;
    const DWORD deadline = GetTickCount() + 20000;
    while (pending() && GetTickCount() < deadline) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        const bool step = msg.hwnd == list->Handle() && msg.message != WM_PAINT;
        if (step && steps == 3)
            InvalidateRect(list->Handle(), nullptr, FALSE);
        const int before = services->IconLookups;
        DispatchMessageW(&msg);
        const int icons = services->IconLookups - before;
        if (!step || icons == 0)
            continue;
        if (steps++ == 3) {
            EXPECT_EQ(icons, 1) << "painting waits";
        }
        most = std::max(most, icons);
        if (!sorted && services->IconLookups > 40) {
            list->SetSortOrder(soDescending);
            sorted = true;
        }
    }
    EXPECT_FALSE(pending());
    EXPECT_TRUE(sorted);
    EXPECT_LE(most, 2);
    EXPECT_EQ(list->Items().Item(0)->Caption(), "file 179.txt");
}

TEST_F(FakeList, RecreatingTheWindowKeepsRowsAndExactlyOneWatcher) {
    Make();
    auto counting = std::make_unique<TCountingServices>(*shell);
    list = std::make_unique<TFolderEnumerator>(nullptr, counting.get());
    list->SetViewStyle(vsReport);
    list->SetParentWindow(host.Handle());
    list->HandleNeeded();
    ShowDocs();
    list->SetSelected(Row(*list, "a.txt"));
    EXPECT_EQ(counting->Starts, 1);
    TChangeNotifyThread* first = list->ChangeThread();
    ASSERT_NE(first, nullptr);
    list->RecreateWnd();
    EXPECT_EQ(counting->Starts, 2) << "the old window's watcher was stopped, one started";
    list->DestroyHandle();
    EXPECT_EQ(list->ChangeThread(), nullptr) << "a watcher never outlives the window it names";
    list->HandleNeeded();
    EXPECT_EQ(counting->Starts, 3);
    EXPECT_NE(list->ChangeThread(), nullptr);
    EXPECT_EQ(ColumnCaptions(*list), (Names{"Name", "Size", "Type", "Modified"}));
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "Sub", "a.txt", "readme.txt"}));
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Caption(), "a.txt");
    list.reset();
}

TEST_F(FakeList, NothingLeaksOverAHundredFillsAndRefreshes) {
    Make();
    ShowDocs();
    const int gdi = CountGdiObjects();
    const int threads = CountThreads();
    const int blocks = malloc.LiveBlocks();
    for (int i = 0; i < 100; ++i) {
        if (i % 2)
            ShowDocs();
        else
            list->FolderChanged(&tree, shell->Root().Get(), nullptr, false);
        list->SetSelected(list->Items().Item(0));
        list->ResolveAllItems();
        list->Refresh();
        shell->AddItem("Docs", FakeFile("extra.txt"));
        list->Refresh();
        shell->RemoveItem("Docs\\extra.txt");
    }
    ShowDocs();
    EXPECT_EQ(malloc.LiveBlocks(), blocks);
    EXPECT_LE(CountGdiObjects(), gdi + 2);
    EXPECT_EQ(CountThreads(), threads);
    list.reset();
    EXPECT_EQ(malloc.LiveBlocks(), 0);
}

} // namespace
