// The combo linked to the real tree (and the tree to a stand-in list): who is told what, through
// code and through the user's keys and clicks, and destruction in either order.

#include "support/CountingMalloc.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/PidlBuilder.h"
#include "support/SampleNamespace.h"
#include "support/ViewDoubles.h"

#include "combo/NameSpaceCombo.h"
#include "controls/TreeNode.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class ComboAndTree : public testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(600, 600);
        combo = std::make_unique<TNameSpaceCombo>(nullptr, &services);
        combo->SetBounds(10, 10, 260, 24);
        combo->SetParentWindow(host.Handle());
        MakeTree();
    }
    void MakeTree() {
        tree = std::make_unique<TNameSpaceEnumerator>(nullptr, &services);
        tree->SetAutoRefresh(false);
        tree->SetBounds(10, 40, 260, 200);
        tree->SetParentWindow(host.Handle());
        tree->HandleNeeded();
    }
    void TearDown() override {
        tree.reset();
        combo.reset();
        EXPECT_EQ(malloc.LiveBlocks(), 0);
        EXPECT_EQ(shell.LiveObjects(), 0);
    }
    int IndexOf(const std::string& Caption) const {
        for (int i = 0; i < combo->EntryCount(); ++i)
            if (combo->Entry(i)->sCaption == Caption)
                return i;
        return -1;
    }
    std::string SelectedCaption() const {
        const TItemEntry* entry = combo->Entry(combo->ItemIndex());
        return entry ? entry->sCaption : "(none)";
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

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    THostWindow host;
    FakeShell shell{ViewsNamespace(), &malloc};
    TFakeViewServices services{shell};
    TListDouble list;
    std::unique_ptr<TNameSpaceCombo> combo;
    std::unique_ptr<TNameSpaceEnumerator> tree;
};

TEST_F(ComboAndTree, APickMovesTheTreeWhichTellsTheListAndTheComboOnce) {
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
    const OwnedPidl alpha = shell.Pidl("My Computer\\Local Disk (C:)\\Alpha");
    tree->ExpandToFolder(&list, alpha.Get());
    EXPECT_EQ(combo->Entry(4)->sCaption, "Alpha");
    EXPECT_EQ(combo->Entry(4)->iLevel, 6);
    EXPECT_EQ(SelectedCaption(), "Alpha");

    // The desktop entry: the tree selects its root and the combo is given none.
    Pick("Desktop");
    EXPECT_EQ(TreeSelection(), "Desktop");
    EXPECT_EQ(list.Calls.back().FolderPath, "C:\\Fake");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->EntryCount(), 8) << "no chain below the desktop";
}

TEST_F(ComboAndTree, LinkingOneKindOfViewDropsTheOtherAndRefills) {
    combo->SetNameSpaceEnumerator(tree.get());
    const size_t enumerations = shell.Calls().enumFlags.size();
    combo->SetFolderEnumerator(&list);
    EXPECT_EQ(tree->NameSpaceCombo(), nullptr) << "the tree forgets the combo";
    EXPECT_EQ(combo->NameSpaceEnumerator(), nullptr);
    EXPECT_EQ(list.Combo, static_cast<INameSpaceComboLink*>(combo.get()));
    EXPECT_GT(shell.Calls().enumFlags.size(), enumerations) << "refilled";

    combo->SetNameSpaceEnumerator(nullptr);
    EXPECT_EQ(list.Combo, nullptr) << "clearing the tree link drops the list link too";
    EXPECT_EQ(combo->FolderEnumerator(), nullptr);
}

TEST_F(ComboAndTree, TreeAndComboWithoutACommonOwnerGoInEitherOrder) {
    combo->SetNameSpaceEnumerator(tree.get());
    tree.reset();
    EXPECT_EQ(combo->NameSpaceEnumerator(), nullptr);
    Pick("Zeta"); // tells nobody

    MakeTree();
    tree->SetFolderEnumerator(&list);
    combo->SetNameSpaceEnumerator(tree.get());
    combo.reset();
    EXPECT_EQ(tree->NameSpaceCombo(), nullptr);
    const OwnedPidl zeta = shell.Pidl("Zeta");
    tree->ExpandToFolder(&list, zeta.Get()); // would tell a combo that is gone
    EXPECT_EQ(TreeSelection(), "Zeta");
}

TEST_F(ComboAndTree, ThePublishedLinksNameTheirComponents) {
    const TClassInfo& info = TNameSpaceCombo::StaticClassInfo();
    std::vector<std::string> names;
    for (const TPropInfo* property : info.PublishedProperties())
        names.push_back(property->Name);
    // The framework's few first (placement with the alignment a form lays it out by, then the
    // colour, font and focus events), then its own.
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "Left", "Top", "Width", "Height", "Align",
                                               "Color", "Font", "OnEnter", "OnExit", "About",
                                               "NameSpaceEnumerator", "FolderEnumerator"}));
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

// With a list behind the tree, the tree answers a choice by refilling the combo: from inside the
// close of the combo's own list, and from inside a mouse pick's late selection change.
TEST_F(ComboAndTree, TheTreesAnswerRefillsTheComboWhileItsListCloses) {
    tree->SetFolderEnumerator(&list);
    combo->SetNameSpaceEnumerator(tree.get());
    SetForegroundWindow(host.Handle());
    combo->SetFocus();
    Settle();
    list.Calls.clear();

    PressKeys({VK_F4});
    PressKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_FALSE(combo->DroppedState());
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(list.Calls[0].FolderPath, "C:\\Fake\\My Computer\\Local Disk (C:)");
    EXPECT_EQ(SelectedCaption(), "Local Disk (C:)");

    PressKeys({VK_F4});
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    RECT item{};
    SendMessageW(info.hwndList, LB_GETITEMRECT, IndexOf("Zeta"), reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(info.hwndList, &centre);
    ClickAt(centre);
    EXPECT_EQ(list.Calls.size(), 2u);
    EXPECT_EQ(SelectedCaption(), "Zeta");
    EXPECT_EQ(TreeSelection(), "Zeta");
}

} // namespace
