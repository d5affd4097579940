// The tree under the user's own mouse and keys (SendInput), over the fake namespace; menus are
// driven from a timer that fires inside their loop.

#include "TreeTestSupport.h"

#include "support/Input.h"

#include <commctrl.h>

#include <functional>
#include <vector>

namespace {

class TreeInput : public FakeTree {
protected:
    void SetUp() override {
        Make();
        // Icons take room before the labels, as the shell's do.
        icons = ImageList_Create(16, 16, ILC_COLOR32, 32, 0);
        ImageList_SetImageCount(icons, 32);
        tree->Images()->SetHandle(icons);
        TImageList* images = tree->Images();
        tree->SetImages(nullptr);
        tree->SetImages(images);
        Root()->Expand(false);
        tree->SetFolderEnumerator(&list);
        list.Calls.clear();
        Settle();
    }
    void TearDown() override {
        FakeTree::TearDown();
        ImageList_Destroy(icons);
    }
    POINT Screen(POINT Client) { return tree->ClientToScreen(Client); }
    // Keys go to the active window's focus: a test run alone has clicked nothing active yet.
    void FocusTree() {
        SetForegroundWindow(host.Handle());
        tree->SetFocus();
        Settle();
    }

    HIMAGELIST icons = nullptr;
};

TEST_F(TreeInput, AClickOnALabelOrIconTellsTheListOneOnTheButtonDoesNot) {
    TTreeNode* zeta = Child(Root(), "Zeta");
    ClickAt(NodeLabelOnScreen(zeta));
    EXPECT_EQ(tree->Selected(), zeta);
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(list.Calls[0].FolderPath, "C:\\Fake\\Zeta");

    TTreeNode* alpha = Child(Root(), "Alpha");
    const RECT label = alpha->DisplayRect(true);
    const int y = (label.top + label.bottom) / 2;
    ClickAt(Screen({label.left - 8, y}));
    EXPECT_EQ(tree->Selected(), alpha) << "the icon is part of the label";
    EXPECT_EQ(list.Calls.size(), 2u);

    // Zeta's expand button opens it and tells nobody.
    ClickAt(NodeButtonOnScreen(zeta));
    EXPECT_TRUE(zeta->Expanded());
    EXPECT_EQ(list.Calls.size(), 2u);
}

TEST_F(TreeInput, ARightClickRunsTheChosenCommandAndPutsTheSelectionBack) {
    TTreeNode* alpha = Child(Root(), "Alpha");
    tree->SetSelected(alpha);
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_DOWN, VK_RETURN}); });
    RightClickAt(NodeLabelOnScreen(Child(Root(), "Zeta")));
    ASSERT_EQ(shell->Calls().menuFlags.size(), 1u);
    EXPECT_EQ(shell->Calls().menuFlags[0], static_cast<UINT>(CMF_EXPLORE));
    ASSERT_EQ(shell->Calls().invocations.size(), 1u);
    EXPECT_EQ(shell->Calls().invocations[0].commandId, 1);
    EXPECT_EQ(shell->Calls().invocations[0].items, (std::vector<std::string>{"Zeta"}));
    EXPECT_EQ(shell->Calls().invocations[0].window, tree->Handle());
    EXPECT_EQ(tree->Selected(), alpha);
    EXPECT_TRUE(list.Calls.empty());

    // Dismissed: nothing runs. On empty space: no menu at all.
    DuringNextMenu([] { SendKeys({VK_ESCAPE, VK_ESCAPE}); });
    RightClickAt(NodeLabelOnScreen(Child(Root(), "Zeta")));
    EXPECT_EQ(shell->Calls().menuFlags.size(), 2u);
    EXPECT_EQ(shell->Calls().invocations.size(), 1u);
    RightClickAt(Screen({50, 280}));
    EXPECT_EQ(shell->Calls().menuFlags.size(), 2u);
    EXPECT_EQ(tree->Selected(), alpha);
    EXPECT_TRUE(list.Calls.empty());
    KillTimer(nullptr, 0);
    ForgetMenuAction();
}

TEST_F(TreeInput, TheSelectionDeletedWhileTheMenuIsOpenIsForgotten) {
    tree->SetAutoRefresh(true);
    TTreeNode* zeta = Child(Root(), "Zeta");
    tree->SetSelected(Child(Root(), "Alpha"));
    DuringNextMenu([&] {
        shell->RemoveItem("Alpha");
        SendMessageW(tree->Handle(), WM_USER + 21, 0, 0);
        EndMenu();
    });
    RightClickAt(NodeLabelOnScreen(zeta));
    EXPECT_EQ(Child(Root(), "Alpha"), nullptr);
    EXPECT_EQ(tree->Selected(), zeta) << "nothing to put back: a beep";
}

// Without the shell's menu the framework's handling runs: the tree's own pop-up menu, if any.
TEST_F(TreeInput, WithoutTheShellsMenuARightClickShowsThePopUpMenu) {
    tree->SetShellContextMenu(false);
    EXPECT_EQ(ClicksOnOwnPopupEntry(*tree, NodeLabelOnScreen(Child(Root(), "Zeta"))), 1);
    EXPECT_TRUE(shell->Calls().menuFlags.empty());
}

TEST_F(TreeInput, TheContextMenuKeyShowsTheMenuOfTheSelectedNode) {
    tree->SetSelected(Child(Root(), "Zeta"));
    FocusTree();
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_DOWN, VK_RETURN}); });
    PressKeys({VK_APPS});
    ASSERT_EQ(shell->Calls().invocations.size(), 1u);
    EXPECT_EQ(shell->Calls().invocations[0].items, (std::vector<std::string>{"Zeta"}));
}

// The platform's control does not turn Shift+F10 into a menu request as it does the menu key.
TEST_F(TreeInput, ShiftF10ShowsOneMenuOfTheSelectedNodeAndF10AloneNone) {
    tree->SetSelected(Child(Root(), "Zeta"));
    FocusTree();
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_DOWN, VK_RETURN}); });
    PressChord(VK_SHIFT, VK_F10);
    ASSERT_EQ(shell->Calls().menuFlags.size(), 1u) << "one menu, not one per handler";
    ASSERT_EQ(shell->Calls().invocations.size(), 1u);
    EXPECT_EQ(shell->Calls().invocations[0].items, (std::vector<std::string>{"Zeta"}));
    EXPECT_EQ(tree->Selected(), Child(Root(), "Zeta"));

    // F10 alone is the window's menu key: whatever menu loop it starts is ended.
    DuringNextMenu([] { EndMenu(); });
    PressKeys({VK_F10});
    Pump(200);
    EXPECT_EQ(shell->Calls().menuFlags.size(), 1u);
    KillTimer(nullptr, 0);
    ForgetMenuAction();
}

} // namespace
