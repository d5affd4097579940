// The user's keys and clicks, through SendInput: what moves the linked tree, and how often.

#include "ComboTestSupport.h"

#include "tree/NameSpaceEnumerator.h"

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) {
        PumpMessages();
        Sleep(10);
    }
}

// Each key pressed and released, all in one call.
void PressKeys(std::initializer_list<WORD> Keys) {
    std::vector<INPUT> inputs;
    for (WORD key : Keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(down);
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

// A left click at a point of the screen: press and release in one call.
void ClickAt(POINT Screen) {
    SetCursorPos(Screen.x, Screen.y);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    Settle();
}

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

// With a list behind the tree, the tree answers a choice by refilling the combo: from inside the
// close of the combo's own list, and from inside a mouse pick's late selection change.
TEST_F(ComboInput, TheTreesAnswerRefillsTheComboWhileItsListCloses) {
    TListDouble list;
    TNameSpaceEnumerator realTree(nullptr, services.get());
    realTree.SetAutoRefresh(false);
    realTree.SetBounds(10, 40, 260, 200);
    realTree.SetParentWindow(host.Handle());
    realTree.SetFolderEnumerator(&list);
    combo->SetNameSpaceEnumerator(&realTree);
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
    EXPECT_EQ(realTree.Selected()->Text(), "Zeta");
    combo->SetNameSpaceEnumerator(nullptr);
}

} // namespace
