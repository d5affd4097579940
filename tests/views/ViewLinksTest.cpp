// Tree, folder list and combo boxes linked over a fake namespace: a folder given to the list
// travels through each view once and stays the list's, what the list lends its partners is alive
// for the whole call, and no tree keeps a link to a list that is gone.

#include "identifiers/EnumGlobals.h"
#include "list/FolderEnumerator.h"
#include "support/CountingMalloc.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/ViewDoubles.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class LinkedViews : public testing::Test {
protected:
    void SetUp() override {
        shell = std::make_unique<FakeShell>(
            std::vector<FakeItem>{
                FakeFolder("Docs", {FakeFile("a.txt"), FakeFolder("Sub", {FakeFile("b.txt")})}),
                FakeVirtualFolder("Control Panel", {FakeFile("Mouse")})},
            &malloc);
        services = std::make_unique<TFakeViewServices>(*shell);
        treeCombo.Shell = listCombo.Shell = shell.get();
    }
    void TearDown() override { EXPECT_EQ(shell->LiveObjects(), 0); }

    template <class View> View* Place(View* Made) {
        Made->SetParentWindow(host.Handle());
        Made->SetBounds(0, 0, 200, 200);
        Made->HandleNeeded();
        return Made;
    }
    TNameSpaceEnumerator* NewTree(TComponent* Owner = nullptr) {
        auto* made = Place(new TNameSpaceEnumerator(Owner, services.get()));
        made->SetAutoRefresh(false);
        return made;
    }
    TFolderEnumerator* NewList(TComponent* Owner = nullptr) {
        return Place(new TFolderEnumerator(Owner, services.get()));
    }
    // How often a folder's files were enumerated (the tree asks for folders only).
    size_t ListFills() const {
        size_t fills = 0;
        for (SHCONTF flags : shell->Calls().enumFlags)
            fills += (flags & SHCONTF_NONFOLDERS) != 0;
        return fills;
    }
    std::string Shown(const TFolderEnumerator& List) const {
        return List.ViewPidl() ? shell->NameOf(List.ViewPidl()) : std::string("<none>");
    }

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    THostWindow host;
    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TFakeViewServices> services;
    // Outlive the views linked to them.
    TComboDouble treeCombo;
    TComboDouble listCombo;
};

TEST_F(LinkedViews, AFolderGivenToTheListFillsItOnceAndTheTreesComboHearsOfItOnce) {
    std::unique_ptr<TNameSpaceEnumerator> tree(NewTree());
    std::unique_ptr<TFolderEnumerator> list(NewList());
    tree->SetFolderEnumerator(list.get());
    treeCombo.SetNameSpaceEnumerator(tree.get());
    treeCombo.Current.clear();

    const size_t before = ListFills();
    list->SetFolder("Docs\\Sub");
    EXPECT_EQ(ListFills() - before, 1u) << "the tree told the list back what the list told it";
    EXPECT_EQ(treeCombo.Current, (std::vector<std::string>{"Sub"}));
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "Sub");
    EXPECT_EQ(Shown(*list), "Sub");
    EXPECT_EQ(list->Items().Count(), 1);

    // The combo moving the tree still tells the list, once.
    const OwnedPidl docs = shell->Pidl("Docs");
    const size_t picked = ListFills();
    tree->ExpandToFolder(&treeCombo, docs.Get());
    EXPECT_EQ(ListFills() - picked, 1u);
    EXPECT_EQ(Shown(*list), "Docs");
}

TEST_F(LinkedViews, AListGivenAFolderTheTreeCannotReachKeepsIt) {
    std::unique_ptr<TNameSpaceEnumerator> tree(NewTree());
    std::unique_ptr<TFolderEnumerator> list(NewList());
    tree->SetFolderEnumerator(list.get());
    treeCombo.SetNameSpaceEnumerator(tree.get());

    // Hidden in the tree.
    tree->SetVirtualFolders(false);
    list->SetFolder("Control Panel");
    EXPECT_EQ(Shown(*list), "Control Panel");
    EXPECT_EQ(list->Items().Count(), 1);
    EXPECT_EQ(tree->Selected(), tree->Items().GetFirstNode()) << "the deepest node reached";

    // Outside the tree's root.
    tree->SetVirtualFolders(true);
    tree->SetRootFolder("Docs\\Sub");
    tree->SetRootedAt(raFileSystem);
    list->SetFolder("Control Panel");
    EXPECT_EQ(Shown(*list), "Control Panel");
    EXPECT_EQ(list->Items().Count(), 1);
    EXPECT_EQ(treeCombo.Current.back(), "Control Panel") << "the combo names the list's folder";
}

TEST_F(LinkedViews, ASecondComboOnTheListIsOnlyLentLiveLists) {
    std::unique_ptr<TNameSpaceEnumerator> tree(NewTree());
    std::unique_ptr<TFolderEnumerator> list(NewList());
    tree->SetFolderEnumerator(list.get());
    treeCombo.SetNameSpaceEnumerator(tree.get());
    list->SetNameSpaceCombo(&listCombo);
    listCombo.Allocator = &malloc;

    list->SetFolder("Docs");
    list->SetFolder("Docs\\Sub");
    tree->ExpandToFolder(&treeCombo, shell->Pidl("Docs").Get());
    EXPECT_EQ(listCombo.Current, (std::vector<std::string>{"Docs", "Sub", "Docs"}));
    list->SetNameSpaceCombo(nullptr);
}

// Two trees, one list; each of the three has an owner of its own or none. Whichever goes first,
// once the list is gone no tree names it, and the trees go on telling their (absent) partners.
TEST_F(LinkedViews, NoTreeKeepsALinkToADestroyedList) {
    for (bool owned : {false, true}) {
        for (int first : {0, 1, 2}) { // the list, the tree that linked it first, the second
            SCOPED_TRACE(std::string(owned ? "with owners" : "without owners") + ", first " +
                         std::to_string(first));
            std::unique_ptr<TComponent> owners[3];
            for (auto& owner : owners)
                if (owned)
                    owner = std::make_unique<TComponent>(nullptr);
            TFolderEnumerator* list = NewList(owners[0].get());
            TNameSpaceEnumerator* trees[3] = {nullptr, NewTree(owners[1].get()),
                                              NewTree(owners[2].get())};
            trees[1]->SetFolderEnumerator(list);
            trees[2]->SetFolderEnumerator(list);
            bool gone[3] = {};
            auto destroy = [&](int i) {
                gone[i] = true;
                if (owned)
                    owners[i].reset();
                else if (i == 0)
                    delete list;
                else
                    delete trees[i];
            };
            if (first != 0)
                destroy(first);
            destroy(0);
            for (int i : {1, 2}) {
                if (gone[i])
                    continue;
                ASSERT_EQ(trees[i]->FolderEnumerator(), nullptr) << "tree " << i;
                trees[i]->GotoFolder("Docs");
                trees[i]->SelectionChange(trees[i], trees[i]->Selected());
                destroy(i);
            }
        }
    }
    EXPECT_EQ(malloc.LiveBlocks(), 0);
}

} // namespace
