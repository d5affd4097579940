// The combo linked to the real tree and to a stand-in list: who is told what, and destruction in
// either order.

#include "ComboTestSupport.h"

#include "tree/NameSpaceEnumerator.h"

namespace {

class ComboLinks : public FakeComboTest {
protected:
    void MakeTree() {
        tree = std::make_unique<TNameSpaceEnumerator>(nullptr, services.get());
        tree->SetAutoRefresh(false);
        tree->SetBounds(10, 40, 260, 200);
        tree->SetParentWindow(host.Handle());
        tree->HandleNeeded();
    }
    void TearDown() override {
        tree.reset();
        FakeComboTest::TearDown();
    }
    // What the user's choice of an entry in the closed box reports.
    void Pick(const std::string& Caption) {
        const int index = IndexOf(Caption);
        ASSERT_GE(index, 0) << Caption;
        combo->SetItemIndex(index);
        combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
    }
    std::string TreeSelection() const {
        return tree->Selected() ? tree->Selected()->Text() : "(none)";
    }

    TListDouble list;
    std::unique_ptr<TNameSpaceEnumerator> tree;
};

// A list that is a component: it is destroyed without telling anyone.
class TComponentList : public TComponent, public TListDouble {
public:
    TComponentList() : TComponent(nullptr) {}
};

TEST_F(ComboLinks, APickMovesTheTreeWhichTellsTheListAndTheComboOnce) {
    Make();
    MakeTree();
    tree->SetFolderEnumerator(&list);
    combo->SetNameSpaceEnumerator(tree.get());
    EXPECT_EQ(tree->NameSpaceCombo(), static_cast<INameSpaceComboLink*>(combo.get()));
    list.Calls.clear();

    Pick("Local Disk (C:)");
    EXPECT_EQ(TreeSelection(), "Local Disk (C:)");
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(list.Calls[0].FolderPath, "C:\\Fake\\My Computer\\Local Disk (C:)");
    EXPECT_EQ(SelectedCaption(), "Local Disk (C:)") << "refilled by the tree";

    // The tree moved by the list tells the combo, which builds the chain.
    const OwnedPidl alpha = shell->Pidl("My Computer\\Local Disk (C:)\\Alpha");
    tree->ExpandToFolder(&list, alpha.Get());
    EXPECT_EQ(EntryLines(*combo)[4], "Alpha/6");
    EXPECT_EQ(SelectedCaption(), "Alpha");

    // The desktop entry: the tree selects its root and the combo is given none.
    Pick("Desktop");
    EXPECT_EQ(TreeSelection(), "Desktop");
    EXPECT_EQ(list.Calls.back().FolderPath, "C:\\Fake");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->EntryCount(), 8) << "no chain below the desktop";
}

TEST_F(ComboLinks, WithATreeAloneTheComboKeepsItsEntriesAndTheUsersChoice) {
    Make();
    TTreeDouble treeDouble;
    treeDouble.Shell = shell.get();
    combo->SetNameSpaceEnumerator(&treeDouble);
    EXPECT_EQ(treeDouble.Combo, static_cast<INameSpaceComboLink*>(combo.get()));

    Pick("Zeta");
    EXPECT_EQ(treeDouble.Expanded, (std::vector<std::string>{"Zeta"}));
    EXPECT_EQ(treeDouble.Senders[0], static_cast<TViewLink*>(combo.get()));
    EXPECT_EQ(SelectedCaption(), "Zeta");
    // A selection change reported after the list has already moved the views moves nothing.
    combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
    EXPECT_EQ(treeDouble.Expanded.size(), 1u);

    combo->SetNameSpaceEnumerator(nullptr);
    EXPECT_EQ(treeDouble.Combo, nullptr);
    Pick("Documents");
    EXPECT_EQ(treeDouble.Expanded.size(), 1u);
}

TEST_F(ComboLinks, WithAListAloneTheComboShowsItTheChosenFolder) {
    Make();
    combo->SetFolderEnumerator(&list);
    EXPECT_EQ(list.Combo, static_cast<INameSpaceComboLink*>(combo.get()));

    Pick("Zeta");
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(list.Calls[0].Sender, static_cast<TViewLink*>(combo.get()));
    EXPECT_EQ(list.Calls[0].FolderPath, "C:\\Fake\\Zeta");
    EXPECT_TRUE(list.Calls[0].HadPidl);
    EXPECT_TRUE(list.Calls[0].bSorting);

    Pick("Control Panel");
    EXPECT_FALSE(list.Calls.back().bSorting) << "a virtual folder";
    EXPECT_EQ(SelectedCaption(), "Control Panel") << "the list does not answer: no refill";

    // The desktop entry: the desktop folder itself, no list, not sorted.
    Pick("Desktop");
    ASSERT_EQ(list.Calls.size(), 3u);
    EXPECT_EQ(list.Calls[2].FolderPath, "C:\\Fake");
    EXPECT_FALSE(list.Calls[2].HadPidl);
    EXPECT_FALSE(list.Calls[2].bSorting);
}

TEST_F(ComboLinks, LinkingOneKindOfViewDropsTheOtherAndRefills) {
    Make();
    MakeTree();
    combo->SetNameSpaceEnumerator(tree.get());
    const size_t enumerations = shell->Calls().enumFlags.size();
    combo->SetFolderEnumerator(&list);
    EXPECT_EQ(tree->NameSpaceCombo(), nullptr) << "the tree forgets the combo";
    EXPECT_EQ(combo->NameSpaceEnumerator(), nullptr);
    EXPECT_EQ(list.Combo, static_cast<INameSpaceComboLink*>(combo.get()));
    EXPECT_GT(shell->Calls().enumFlags.size(), enumerations) << "refilled";

    combo->SetNameSpaceEnumerator(nullptr);
    EXPECT_EQ(list.Combo, nullptr) << "clearing the tree link drops the list link too";
    EXPECT_EQ(combo->FolderEnumerator(), nullptr);
}

TEST_F(ComboLinks, TreeAndComboWithoutACommonOwnerGoInEitherOrder) {
    Make();
    MakeTree();
    combo->SetNameSpaceEnumerator(tree.get());
    tree.reset();
    EXPECT_EQ(combo->NameSpaceEnumerator(), nullptr);
    Pick("Zeta"); // tells nobody

    MakeTree();
    tree->SetFolderEnumerator(&list);
    combo->SetNameSpaceEnumerator(tree.get());
    combo.reset();
    EXPECT_EQ(tree->NameSpaceCombo(), nullptr);
    const OwnedPidl zeta = shell->Pidl("Zeta");
    tree->ExpandToFolder(&list, zeta.Get()); // would tell a combo that is gone
    EXPECT_EQ(TreeSelection(), "Zeta");
}

TEST_F(ComboLinks, APartnerComponentGoingAwayIsForgottenAndADestroyedComboIsForgotten) {
    Make();
    auto partner = std::make_unique<TComponentList>();
    combo->SetFolderEnumerator(partner.get());
    partner.reset();
    EXPECT_EQ(combo->FolderEnumerator(), nullptr);

    combo->SetFolderEnumerator(&list);
    combo.reset();
    EXPECT_EQ(list.Combo, nullptr);
}

TEST_F(ComboLinks, ThePublishedLinksNameTheirComponents) {
    Make();
    MakeTree();
    const TClassInfo& info = TNameSpaceCombo::StaticClassInfo();
    std::vector<std::string> names;
    for (const TPropInfo& property : info.Properties)
        names.push_back(property.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Color", "About", "NameSpaceEnumerator",
                                               "FolderEnumerator"}));
    EXPECT_FALSE(info.FindProperty("About")->HoldsDefault(*combo)) << "About is always stored";
    EXPECT_TRUE(info.FindProperty("Color")->HoldsDefault(*combo));

    const TPropInfo* link = info.FindProperty("NameSpaceEnumerator");
    EXPECT_TRUE(link->HoldsDefault(*combo));
    EXPECT_TRUE(link->Write(*combo, TPropValue{static_cast<TComponent*>(tree.get())}));
    EXPECT_EQ(tree->NameSpaceCombo(), static_cast<INameSpaceComboLink*>(combo.get()));
    EXPECT_EQ(std::get<TComponent*>(link->Read(*combo)), tree.get());
    EXPECT_FALSE(info.FindProperty("FolderEnumerator")
                     ->Write(*combo, TPropValue{static_cast<TComponent*>(tree.get())}))
        << "a tree is no list";
    EXPECT_TRUE(link->Write(*combo, TPropValue{static_cast<TComponent*>(nullptr)}));
    EXPECT_EQ(tree->NameSpaceCombo(), nullptr);
}

} // namespace
