// The combo linked to stand-ins for the tree and the list: who is told what, and partners that
// go away. (With the real tree: tests/links.)

#include "ComboTestSupport.h"

namespace {

class ComboLinks : public FakeComboTest {
protected:
    // What the user's choice of an entry in the closed box reports.
    void Pick(const std::string& Caption) {
        const int index = IndexOf(Caption);
        ASSERT_GE(index, 0) << Caption;
        combo->SetItemIndex(index);
        combo->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
    }
    TListDouble list;
};

// A list that is a component: it is destroyed without telling anyone.
class TComponentList : public TComponent, public TListDouble {
public:
    TComponentList() : TComponent(nullptr) {}
};

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

} // namespace
