// The user's keys and clicks, through SendInput: what moves the linked tree, and how often.

#include "ComboTestSupport.h"

namespace {

class ComboInput : public FakeComboTest {
protected:
    void SetUp() override {
        Make();
        tree.Shell = shell.get();
        combo->SetNameSpaceEnumerator(&tree);
        // Away from where an open list would be: the list follows the pointer.
        SetCursorPos(600, 600);
        SetForegroundWindow(host.Handle());
        combo->SetFocus();
        Settle();
        ASSERT_TRUE(combo->Focused());
        ASSERT_EQ(combo->ItemIndex(), 0);
    }
    void TearDown() override {
        combo->SetDroppedDown(false);
        FakeComboTest::TearDown();
    }
    TTreeDouble tree;
};

TEST_F(ComboInput, ArrowsInTheOpenListMoveNothingUntilReturnAcceptsOnce) {
    PressKeys({VK_F4});
    ASSERT_TRUE(combo->DroppedState());
    PressKeys({VK_DOWN, VK_DOWN});
    EXPECT_EQ(SelectedCaption(), "My Computer");
    EXPECT_TRUE(tree.Expanded.empty()) << "the open list navigates nothing";

    PressKeys({VK_RETURN});
    EXPECT_FALSE(combo->DroppedState());
    EXPECT_EQ(tree.Expanded, (std::vector<std::string>{"My Computer"}));

    // Opening and accepting the entry already shown moves nothing again.
    PressKeys({VK_F4});
    PressKeys({VK_RETURN});
    EXPECT_EQ(tree.Expanded.size(), 1u);
}

TEST_F(ComboInput, EscapePutsTheSelectionBackAndMovesNothing) {
    PressKeys({VK_F4});
    PressKeys({VK_DOWN, VK_DOWN, VK_DOWN});
    ASSERT_EQ(SelectedCaption(), "Local Disk (C:)");
    PressKeys({VK_ESCAPE});
    EXPECT_FALSE(combo->DroppedState());
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_TRUE(tree.Expanded.empty());
}

TEST_F(ComboInput, AnArrowOnTheClosedBoxMovesAtOnce) {
    PressKeys({VK_DOWN});
    EXPECT_FALSE(combo->DroppedState());
    EXPECT_EQ(tree.Expanded, (std::vector<std::string>{"Zeta"}));
    PressKeys({VK_DOWN});
    EXPECT_EQ(tree.Expanded, (std::vector<std::string>{"Zeta", "My Computer"}));
}

TEST_F(ComboInput, AMousePickInTheOpenListMovesOnce) {
    PressKeys({VK_F4});
    ASSERT_TRUE(combo->DroppedState());
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    const int target = IndexOf("Documents");
    RECT item{};
    ASSERT_NE(SendMessageW(info.hwndList, LB_GETITEMRECT, target, reinterpret_cast<LPARAM>(&item)),
              LB_ERR);
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(info.hwndList, &centre);
    ClickAt(centre);
    EXPECT_FALSE(combo->DroppedState());
    EXPECT_EQ(SelectedCaption(), "Documents");
    EXPECT_EQ(tree.Expanded, (std::vector<std::string>{"Documents"}));
}

} // namespace
