// The namespace tree over a fake namespace: building roots, filling and refilling, links.

#include "TreeTestSupport.h"

#include "framework/ChangeNotifyThread.h"
#include "support/CountingMalloc.h"
#include "support/HostWindow.h"
#include "support/PidlBuilder.h"
#include "identifiers/WideText.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <utility>

namespace {

TEST_F(FakeTree, DesktopRootHasNoFullListAndKeepsTheShellsOrder) {
    Make();
    TTreeNode* root = Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Text(), "Desktop");
    EXPECT_FALSE(Data(root)->pFQpidl);
    EXPECT_EQ(EnumGlobals::GetPidlSize(Data(root)->pPidl.Get()), 2);
    EXPECT_TRUE(root->HasChildren());
    EXPECT_EQ(root->Count(), 0) << "children wait for the first expansion";

    root->Expand(false);
    EXPECT_EQ(Captions(root),
              (std::vector<std::string>{"Zeta", "My Computer", "Recycle Bin", "Alpha"}));
    EXPECT_TRUE(Data(root)->bExpandedOnce);
    TTreeNode* zeta = Child(root, "Zeta");
    OwnedPidl expected = shell->Pidl("Zeta");
    EXPECT_EQ(PidlBytes(Data(zeta)->pFQpidl.Get()), PidlBytes(expected.Get()));
    EXPECT_EQ(zeta->ImageIndex(), 11);
    EXPECT_EQ(zeta->SelectedIndex(), 21);
    EXPECT_TRUE(zeta->HasChildren());
    EXPECT_FALSE(Child(root, "Alpha")->HasChildren());
    // Folders only, hidden ones included.
    EXPECT_EQ(shell->Calls().enumFlags.back(), SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN);
}

TEST_F(FakeTree, MyComputerRootKeepsTheShellsOrderAndDriveChildrenAreSorted) {
    Make();
    tree->SetRootedAt(raMyComputer);
    TTreeNode* root = Root();
    EXPECT_EQ(root->Text(), "My Computer");
    EXPECT_TRUE(Data(root)->pFQpidl);
    root->Expand(false);
    EXPECT_EQ(Captions(root), (std::vector<std::string>{"Local Disk (C:)", "Control Panel"}));
    TTreeNode* drive = Child(root, "Local Disk (C:)");
    drive->Expand(false);
    // Hidden folders appear, files never; case-insensitive order.
    EXPECT_EQ(Captions(drive), (std::vector<std::string>{".hidden", "Alpha", "beta", "gamma"}));
    EXPECT_EQ(Data(Child(drive, "Alpha"))->pPidl.Get()->mkid.cb,
              shell->ChildPidl("My Computer\\Local Disk (C:)\\Alpha").Get()->mkid.cb);
}

TEST_F(FakeTree, VirtualFoldersLeaveAndComeBackWithTheProperty) {
    Make();
    tree->SetRootedAt(raMyComputer);
    Root()->Expand(false);
    tree->SetVirtualFolders(false);
    EXPECT_EQ(Captions(Root()), (std::vector<std::string>{"Local Disk (C:)"}));
    tree->SetVirtualFolders(true);
    EXPECT_EQ(Captions(Root()), (std::vector<std::string>{"Local Disk (C:)", "Control Panel"}));
}

TEST_F(FakeTree, TwoItemsWithOneCaptionKeepTwoNodesAcrossRefills) {
    Make({FakeFolder("Twin", {FakeFolder("first")}).Path("C:\\one"),
          FakeFolder("Twin", {FakeFolder("second")}).Path("C:\\two")});
    TTreeNode* root = Root();
    root->Expand(false);
    ASSERT_EQ(root->Count(), 2);
    TTreeNode* one = root->Item(0);
    TTreeNode* two = root->Item(1);
    one->Expand(false);
    two->Expand(false);
    const auto oneBytes = PidlBytes(Data(one)->pFQpidl.Get());
    const auto twoBytes = PidlBytes(Data(two)->pFQpidl.Get());
    ASSERT_NE(oneBytes, twoBytes);

    tree->Refresh();
    tree->Refresh();
    ASSERT_EQ(root->Count(), 2);
    EXPECT_EQ(root->Item(0), one);
    EXPECT_EQ(root->Item(1), two);
    EXPECT_EQ(PidlBytes(Data(one)->pFQpidl.Get()), oneBytes);
    EXPECT_EQ(PidlBytes(Data(two)->pFQpidl.Get()), twoBytes);
    EXPECT_EQ(Captions(one), (std::vector<std::string>{"first"}));
    EXPECT_EQ(Captions(two), (std::vector<std::string>{"second"}));
}

TEST_F(FakeTree, RecycleBinIsReplacedOnEveryFillAndMovesToTheEnd) {
    Make();
    TTreeNode* root = Root();
    root->Expand(false);
    TTreeNode* zeta = Child(root, "Zeta");
    tree->Refresh();
    EXPECT_EQ(Captions(root),
              (std::vector<std::string>{"Zeta", "My Computer", "Alpha", "Recycle Bin"}));
    EXPECT_EQ(Child(root, "Zeta"), zeta) << "other children are reused";
}

TEST_F(FakeTree, AVanishedLastSubfolderTakesTheExpandButtonWithIt) {
    Make();
    Root()->Expand(false);
    TTreeNode* zeta = Child(Root(), "Zeta");
    zeta->Expand(false);
    ASSERT_EQ(Captions(zeta), (std::vector<std::string>{"inner"}));

    shell->RemoveItem("Zeta\\inner");
    tree->Refresh();
    EXPECT_EQ(zeta->Count(), 0);
    EXPECT_FALSE(zeta->HasChildren());
    EXPECT_TRUE(Data(zeta)->bExpandedOnce) << "it stays marked filled";
}

TEST_F(FakeTree, AFailedEnumerationEmptiesTheNodeAndALaterOneFillsItAgain) {
    Make();
    Root()->Expand(false);
    TTreeNode* zeta = Child(Root(), "Zeta");
    zeta->Expand(false);
    shell->SetFailEnumeration("Zeta");
    tree->Refresh();
    EXPECT_EQ(zeta->Count(), 0);
    EXPECT_FALSE(Data(zeta)->bExpandedOnce);

    shell->SetFailEnumeration("Zeta", false);
    zeta->Expand(false);
    EXPECT_EQ(Captions(zeta), (std::vector<std::string>{"inner"}));
}

TEST_F(FakeTree, OverlaysShowSharesAndLinksTheLinkWinning) {
    Make({FakeFolder("Shared").AddAttributes(SFGAO_SHARE),
          FakeFolder("Both").AddAttributes(SFGAO_SHARE | SFGAO_LINK), FakeFolder("Plain")});
    Root()->Expand(false);
    EXPECT_EQ(Child(Root(), "Shared")->OverlayIndex(), 0);
    EXPECT_EQ(Child(Root(), "Both")->OverlayIndex(), 1);
    EXPECT_EQ(Child(Root(), "Plain")->OverlayIndex(), -1);
}

TEST_F(FakeTree, ExpandAllFillsEverythingBelowARootButTheDesktop) {
    Make();
    tree->SetExpandAll(true);
    EXPECT_FALSE(Data(Root())->bExpandedOnce);

    tree->SetRootedAt(raMyComputer);
    tree->SetExpandAll(true);
    TTreeNode* drive = Child(Root(), "Local Disk (C:)");
    ASSERT_NE(drive, nullptr);
    EXPECT_TRUE(Data(drive)->bExpandedOnce);
    EXPECT_EQ(Captions(Child(drive, "Alpha")), (std::vector<std::string>{"deep"}));
}

TEST_F(FakeTree, ARootFolderThatDoesNotParseFallsBackToMyComputer) {
    Make();
    tree->SetRootFolder("Nowhere");
    tree->SetRootedAt(raFileSystem);
    EXPECT_EQ(tree->RootedAt(), raMyComputer);
    EXPECT_EQ(Root()->Text(), "My Computer");
    tree->SetRootFolder("Zeta");
    EXPECT_EQ(Root()->Text(), "My Computer") << "RootedAt no longer reads raFileSystem";

    tree->SetRootedAt(raFileSystem);
    EXPECT_EQ(tree->RootedAt(), raFileSystem);
    EXPECT_EQ(Root()->Text(), "Zeta");
    EXPECT_TRUE(Data(Root())->pFQpidl);
}

TEST_F(FakeTree, ExpandToFolderTellsTheViewsBySender) {
    Make();
    const OwnedPidl alpha = shell->Pidl("My Computer\\Local Disk (C:)\\Alpha");
    tree->SetFolderEnumerator(&list);
    combo.SetNameSpaceEnumerator(tree.get());
    EXPECT_EQ(list.Tree, tree.get());
    list.Calls.clear();

    // Moved by itself: nobody hears of it.
    tree->GotoFolder("My Computer\\Local Disk (C:)\\Alpha");
    EXPECT_EQ(tree->Selected()->Text(), "Alpha");
    EXPECT_TRUE(list.Calls.empty());
    EXPECT_TRUE(combo.Current.empty());

    // Moved by the combo: both partners are told, once each.
    tree->ExpandToFolder(&combo, alpha.Get());
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(list.Calls[0].Sender, static_cast<TViewLink*>(tree.get()));
    EXPECT_EQ(list.Calls[0].FolderPath, "C:\\Fake\\My Computer\\Local Disk (C:)\\Alpha");
    EXPECT_TRUE(list.Calls[0].HadPidl);
    EXPECT_TRUE(list.Calls[0].bSorting);
    EXPECT_EQ(combo.Current, (std::vector<std::string>{"Alpha"}));
    // Moved by the list: only the combo is told; the list already shows the folder.
    tree->ExpandToFolder(&list, alpha.Get());
    EXPECT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(combo.Current, (std::vector<std::string>{"Alpha", "Alpha"}));

    // A partner missing: the combo moving the tree tells no list, the list none without a combo.
    combo.SetNameSpaceEnumerator(nullptr);
    tree->ExpandToFolder(&list, alpha.Get());
    EXPECT_EQ(list.Calls.size(), 1u);
    tree->SetFolderEnumerator(nullptr);
    EXPECT_EQ(list.Tree, nullptr);
    combo.SetNameSpaceEnumerator(tree.get());
    tree->ExpandToFolder(&combo, alpha.Get());
    EXPECT_EQ(combo.Current.size(), 2u);
}

TEST_F(FakeTree, ExpandToFolderStopsAtTheDeepestNodeFound) {
    Make();
    tree->SetRootedAt(raMyComputer);
    const OwnedPidl alpha = shell->Pidl("My Computer\\Local Disk (C:)\\Alpha");
    // A desktop-relative list: its first item, My Computer, is no child of the root.
    tree->ExpandToFolder(tree.get(), alpha.Get());
    EXPECT_EQ(tree->Selected(), Root());
}

TEST_F(FakeTree, SelectingTheDesktopRootShowsTheDesktopWithoutAList) {
    Make();
    tree->SetSelected(Root());
    tree->SetFolderEnumerator(&list);
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(list.Calls[0].FolderPath, "C:\\Fake");
    EXPECT_FALSE(list.Calls[0].HadPidl);
    EXPECT_FALSE(list.Calls[0].bSorting);
    EXPECT_EQ(tree->Selection(), "");
}

TEST_F(FakeTree, GotoParentAtTheRootDoesNothingAndElsewhereTellsBothViews) {
    Make();
    tree->SetSelected(Root());
    tree->SetFolderEnumerator(&list);
    combo.SetNameSpaceEnumerator(tree.get());
    list.Calls.clear();
    tree->GotoParent();
    EXPECT_EQ(tree->Selected(), Root());
    EXPECT_TRUE(list.Calls.empty());

    tree->GotoFolder("Zeta\\inner");
    tree->GotoParent();
    EXPECT_EQ(tree->Selected()->Text(), "Zeta");
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(combo.Current, (std::vector<std::string>{"Zeta"}));
    EXPECT_EQ(tree->Selection(), "C:\\Fake\\Zeta");
}

TEST_F(FakeTree, RefreshKeepsSelectionExpansionAndFilledSubtrees) {
    Make();
    tree->GotoFolder("My Computer\\Local Disk (C:)\\Alpha");
    TTreeNode* alpha = tree->Selected();
    TTreeNode* drive = alpha->Parent();
    TTreeNode* zeta = Child(Root(), "Zeta");
    zeta->Expand(false);
    zeta->Collapse(false);
    shell->AddItem("My Computer\\Local Disk (C:)", FakeFolder("Delta"));

    tree->Refresh();
    EXPECT_EQ(tree->Selected(), alpha);
    EXPECT_TRUE(drive->Expanded());
    EXPECT_TRUE(alpha->Expanded());
    EXPECT_FALSE(zeta->Expanded());
    EXPECT_EQ(Captions(zeta), (std::vector<std::string>{"inner"}));
    EXPECT_EQ(Captions(drive),
              (std::vector<std::string>{".hidden", "Alpha", "beta", "Delta", "gamma"}));
}

TEST_F(FakeTree, ANewWindowGetsExpandButtonsAndExpansionBack) {
    Make();
    Root()->Expand(false);
    TTreeNode* zeta = Child(Root(), "Zeta");
    TNodeData* record = Data(zeta);
    const int blocks = malloc.LiveBlocks();

    tree->RecreateWnd();
    EXPECT_EQ(Data(zeta), record) << "records survive";
    EXPECT_EQ(malloc.LiveBlocks(), blocks);
    EXPECT_TRUE(zeta->HasChildren()) << "unfilled, yet it has subfolders";
    EXPECT_TRUE(Root()->Expanded());
}

TEST_F(FakeTree, DestroyingTheTreeReleasesEveryRecordListAndFolder) {
    Make();
    tree->GotoFolder("My Computer\\Local Disk (C:)\\Alpha");
    Child(Root(), "Zeta")->Expand(false);
    tree->SetFolderEnumerator(&list);
    combo.SetNameSpaceEnumerator(tree.get());
    ASSERT_GT(malloc.LiveBlocks(), 0);

    tree.reset();
    EXPECT_EQ(malloc.LiveBlocks(), 0);
    EXPECT_EQ(shell->LiveObjects(), 0);
    EXPECT_EQ(list.Tree, nullptr);
    EXPECT_EQ(combo.Tree, nullptr);
}

TEST_F(FakeTree, NoDesktopFolderLeavesTheTreeAsItWasAndRefreshDoesNothing) {
    shell = std::make_unique<FakeShell>(StandardNamespace(), &malloc);
    treeShell = std::make_unique<TFakeViewServices>(*shell);
    treeShell->DesktopAvailable = false;
    tree = std::make_unique<TNameSpaceEnumerator>(nullptr, treeShell.get());
    EXPECT_EQ(tree->Items().Count(), 0);
    tree->Refresh();
    EXPECT_EQ(tree->Items().Count(), 0);
}

TEST_F(FakeTree, ATreeMadeBeforeItIsPlacedSelectsItsRootOncePlaced) {
    shell = std::make_unique<FakeShell>(StandardNamespace(), &malloc);
    treeShell = std::make_unique<TFakeViewServices>(*shell);
    tree = std::make_unique<TNameSpaceEnumerator>(nullptr, treeShell.get());
    // No window of its own on the desktop: a top-level window would also cost a hide later.
    EXPECT_FALSE(tree->HandleAllocated());
    tree->SetParentWindow(host.Handle());
    tree->HandleNeeded();
    EXPECT_EQ(GetParent(tree->Handle()), host.Handle());
    EXPECT_EQ(tree->Selected(), Root());
}

TEST_F(FakeTree, AnEmptyOrTooLongRootFolderFallsBackToMyComputer) {
    const std::string longest(MAX_PATH - 1, 'L');
    Make({FakeFolder(longest), FakeVirtualFolder("My Computer")});
    tree->SetRootFolder(longest);
    tree->SetRootedAt(raFileSystem);
    EXPECT_EQ(Root()->Text(), longest) << "the longest path the platform takes";

    tree->SetRootFolder("");
    EXPECT_EQ(tree->RootedAt(), raMyComputer) << "the fake parses \"\" as its desktop";
    EXPECT_EQ(Root()->Text(), "My Computer");

    // One unit more is too long; cut, it would name the folder above.
    tree->SetRootedAt(raFileSystem);
    tree->SetRootFolder(longest + "x");
    EXPECT_EQ(tree->RootedAt(), raMyComputer);
    EXPECT_EQ(Root()->Text(), "My Computer");
}

TEST_F(FakeTree, GotoFolderWithAPathTooLongChangesNothing) {
    const std::string longest(MAX_PATH - 1, 'L');
    Make({FakeFolder(longest), FakeFolder("Zeta")});
    tree->GotoFolder(longest);
    EXPECT_EQ(tree->Selected()->Text(), longest);
    tree->GotoFolder("Zeta");
    tree->GotoFolder(longest + "x");
    EXPECT_EQ(tree->Selected()->Text(), "Zeta");
}

TEST_F(FakeTree, AnEnumerationWithNothingToListFillsTheNode) {
    Make({FakeFolder("Empty", {FakeFolder("ghost")}).EmptyEnumeration()});
    Root()->Expand(false);
    TTreeNode* empty = Child(Root(), "Empty");
    ASSERT_TRUE(empty->HasChildren()) << "the shell says it has subfolders";
    empty->Expand(false);
    EXPECT_EQ(empty->Count(), 0);
    EXPECT_FALSE(empty->HasChildren());
    EXPECT_TRUE(Data(empty)->bExpandedOnce) << "S_FALSE is an empty enumeration, not a failure";
}

TEST_F(FakeTree, GetNodeFromDataOutsideAFillFindsTheFirstChildWithTheCaption) {
    Make();
    Root()->Expand(false);
    EXPECT_EQ(tree->GetNodeFromData(Root(), nullptr, "Zeta"), Child(Root(), "Zeta"));
    EXPECT_EQ(tree->GetNodeFromData(Root(), nullptr, "Zeta"), Child(Root(), "Zeta"))
        << "asking twice finds it twice";
    EXPECT_EQ(tree->GetNodeFromData(Root(), nullptr, "zeta"), nullptr);
    EXPECT_EQ(tree->GetNodeFromData(Root(), nullptr, "Recycle Bin"), nullptr)
        << "the Recycle Bin is never reused";
}

TEST_F(FakeTree, AnItemWithoutAFullListIsLeftOut) {
    Make({FakeFolder("a").NameKind(StrRetKind::Inline),
          FakeFolder("b").NameKind(StrRetKind::Inline),
          FakeFolder("c").NameKind(StrRetKind::Inline)});
    // The item's full list is the next block the fill asks for (the names need none).
    shell->SetOnNext([&](const std::string& name) {
        if (name == "b")
            malloc.FailNextAllocation();
    });
    Root()->Expand(false);
    EXPECT_EQ(Captions(Root()), (std::vector<std::string>{"a", "c"}));

    shell->SetOnNext(nullptr);
    tree->Refresh();
    EXPECT_EQ(Captions(Root()), (std::vector<std::string>{"a", "c", "b"}));
    for (TTreeNode* child = Root()->GetFirstChild(); child; child = child->GetNextSibling())
        EXPECT_TRUE(Data(child)->pFQpidl) << child->Text();
}

// The watcher's message is handled whenever the thread handles messages, here in the middle of
// filling the folder it reports as gone.
TEST_F(FakeTree, AChangeDuringAFillRefreshesOnceTheFillHasEnded) {
    Make();
    tree->SetAutoRefresh(true);
    Root()->Expand(false);
    TTreeNode* zeta = Child(Root(), "Zeta");
    bool sent = false;
    shell->SetOnNext([&](const std::string& name) {
        if (name != "inner" || std::exchange(sent, true))
            return;
        shell->RemoveItem("Zeta");
        SendMessageW(tree->Handle(), WM_TREE_CHANGE_NOTIFY, 0, 0);
        SendMessageW(tree->Handle(), WM_TREE_CHANGE_NOTIFY, 0, 0);
    });
    const size_t enumerations = shell->Calls().enumFlags.size();
    zeta->Expand(false);
    ASSERT_TRUE(sent);
    EXPECT_EQ(Child(Root(), "Zeta"), zeta) << "the node being filled was deleted under the fill";
    EXPECT_TRUE(Data(zeta)->bExpandedOnce);
    EXPECT_EQ(Captions(zeta), (std::vector<std::string>{"inner"}));
    EXPECT_EQ(shell->Calls().enumFlags.size(), enumerations + 1);

    PumpMessages();
    EXPECT_EQ(Child(Root(), "Zeta"), nullptr) << "the refresh asked for ran afterwards";
    EXPECT_EQ(shell->Calls().enumFlags.size(), enumerations + 2) << "and ran once";
}

// A refresh asked for while the tree tells the list its folder waits for that to end too.
TEST_F(FakeTree, AChangeWhileTellingTheListWaitsForTheTelling) {
    Make();
    tree->GotoFolder("Zeta");
    TTreeNode* zeta = tree->Selected();
    TNodeData* record = Data(zeta);
    list.OnFolderChanged = [&] { tree->Refresh(); };
    tree->SetFolderEnumerator(&list);
    EXPECT_EQ(Data(zeta), record) << "the record being read was replaced";
    EXPECT_EQ(list.Calls.size(), 1u);
    PumpMessages();
    EXPECT_NE(Data(zeta), record) << "the refresh ran afterwards";
}

// The images the tree's window reports for a node: {normal, selected}.
std::pair<int, int> WindowImages(TTreeNode* Node) {
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = Node->ItemId();
    TreeView_GetItem(Node->TreeView()->Handle(), &item);
    return {item.iImage, item.iSelectedImage};
}

TEST_F(FakeTree, IconsAreLookedUpWhenFirstNeededAndReadTheSameEverywhere) {
    std::vector<FakeItem> many;
    for (int i = 0; i < 120; ++i)
        many.push_back(FakeFolder("f" + std::to_string(1000 + i), {FakeFolder("sub")}));
    Make({FakeFolder("Big", std::move(many)).AddAttributes(SFGAO_SHARE)});
    Root()->Expand(false);
    TTreeNode* big = Child(Root(), "Big");
    treeShell->IconLookups = 0;
    big->Expand(false);
    ASSERT_EQ(big->Count(), 120);
    EXPECT_EQ(treeShell->IconLookups, 0) << "filling looks up no icon";
    // Everything else is there from the fill.
    EXPECT_EQ(big->OverlayIndex(), 0);
    EXPECT_TRUE(big->GetLastChild()->HasChildren());

    // Read from the node or shown by the window: the icons of the item, once.
    TTreeNode* last = big->GetLastChild();
    EXPECT_EQ(last->ImageIndex(), 12);
    EXPECT_EQ(last->SelectedIndex(), 22);
    EXPECT_EQ(WindowImages(last), std::make_pair(12, 22));
    EXPECT_EQ(WindowImages(big->Item(7)), std::make_pair(12, 22));
    EXPECT_EQ(big->Item(7)->ImageIndex(), 12);
    EXPECT_EQ(treeShell->IconLookups, 2);
    // Drawing looks up the rows shown, not the folder.
    RedrawWindow(tree->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_LT(treeShell->IconLookups, 40);

    // A refresh reads them again from the shell, drawn or not.
    treeShell->IconBase = 50;
    tree->Refresh();
    EXPECT_EQ(last->ImageIndex(), 52);
    EXPECT_EQ(WindowImages(big->Item(7)), std::make_pair(52, 62));
    EXPECT_EQ(big->Item(100)->SelectedIndex(), 62);
    EXPECT_EQ(WindowImages(big->Item(101)), std::make_pair(52, 62));

    // A new window finds them as the old one did.
    tree->RecreateWnd();
    EXPECT_EQ(WindowImages(big->Item(102)), std::make_pair(52, 62));
    EXPECT_EQ(big->Item(7)->ImageIndex(), 52);
}

TEST_F(FakeTree, PlainFoldersShareTheIconsTheFirstOfThemWasGiven) {
    Make({FakeFolder("Big", {FakeFolder("a"), FakeFolder("b"), FakeFolder("c")})});
    treeShell->PlainFolders = true;
    Root()->Expand(false);
    TTreeNode* big = Child(Root(), "Big");
    big->Expand(false);
    treeShell->IconLookups = 0;
    for (TTreeNode* child = big->GetFirstChild(); child; child = child->GetNextSibling())
        EXPECT_EQ(WindowImages(child), std::make_pair(12, 22));
    EXPECT_EQ(treeShell->IconLookups, 1);
}

TEST_F(FakeTree, TheSweepTakesTimeInProportionToTheChildren) {
    // Measured without a window: the tree's own share of a sweep (the control's share is the
    // platform's; bench/tree-fill measures both).
    shell = std::make_unique<FakeShell>(StandardNamespace(), &malloc);
    treeShell = std::make_unique<TFakeViewServices>(*shell);
    tree = std::make_unique<TNameSpaceEnumerator>(nullptr, treeShell.get());
    ASSERT_FALSE(tree->HandleAllocated());
    TTreeNode* root = Root();
    const auto sweepHalf = [&](int Children) {
        for (int i = 0; i < Children; ++i) {
            auto* data = new TNodeData;
            data->bFound = i % 2 != 0;
            tree->Items().AddChildObject(root, "n" + std::to_string(i), data);
        }
        const auto start = std::chrono::steady_clock::now();
        tree->DeleteNodesNotFound(root);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        EXPECT_EQ(root->Count(), Children / 2);
        EXPECT_EQ(root->GetFirstChild()->Text(), "n1");
        EXPECT_EQ(root->GetLastChild()->Index(), Children / 2 - 1);
        tree->SetFoundFlag(root, false);
        tree->DeleteNodesNotFound(root);
        return ms;
    };
    const double small = sweepHalf(10000);
    const double large = sweepHalf(40000);
    // Four times the children: about four times the time, where one deletion at a time took
    // about sixteen.
    EXPECT_LT(large, 6 * small + 40.0); // room for a busy machine
    std::printf("sweeping 5,000 of 10,000: %.1f ms; 20,000 of 40,000: %.1f ms\n", small, large);
}

TEST_F(FakeTree, AFileSystemFolderIsSortedInTheComparisonsOwnOrder) {
    const std::vector<std::string> names{"co-op", "Zeta",  "coop",  "_x", "Coop", "a_b", "ab",
                                         "A b",   "Äpfel", "apfel", "10", "2",    "~z",  "zeta"};
    std::vector<FakeItem> items;
    for (const std::string& name : names)
        items.push_back(FakeFolder(name));
    Make({FakeFolder("Sorted", std::move(items))});
    Root()->Expand(false);
    TTreeNode* sorted = Child(Root(), "Sorted");
    sorted->Expand(false);
    std::vector<std::string> expected = names;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const std::string& a, const std::string& b) {
                         return lstrcmpiW(Utf8ToWide(a).c_str(), Utf8ToWide(b).c_str()) < 0;
                     });
    EXPECT_EQ(Captions(sorted), expected);
}

} // namespace
