// The list's keys, double clicks and selection queries over the fake namespace (keys and clicks
// by message; the user's own input is in ListInputTest.cpp).

#include "ListTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using Names = std::vector<std::string>;

class ListCommands : public FakeListTest {
protected:
    void SetUp() override {
        MakeShell({FakeFolder("Docs", {FakeFile("b.txt"), FakeFolder("Sub", {FakeFile("in.txt")}),
                                       FakeFile("a.txt"), FakeFile("readme.txt")}),
                   FakeFile("top.txt")});
        tree.Shell = shell.get();
        combo.Shell = shell.get();
        list = NewList();
        list->SetNameSpaceEnumerator(&tree);
        list->SetNameSpaceCombo(&combo);
        OwnedPidl docs = shell->Pidl("Docs");
        list->FolderChanged(&tree, shell->Folder("Docs").Get(), docs.Get(), true);
        combo.Current.clear();
    }
    void TearDown() override {
        list->SetNameSpaceEnumerator(nullptr);
        list->SetNameSpaceCombo(nullptr);
        FakeListTest::TearDown();
    }
    // A key pressed and released while the list has the focus.
    void Key(WORD Code) {
        SendMessageW(list->Handle(), WM_KEYDOWN, Code, 0);
        SendMessageW(list->Handle(), WM_KEYUP, Code, 0);
    }
    void Select(const std::string& Caption) {
        list->SetSelected(nullptr);
        Row(*list, Caption)->SetSelected(true);
    }
    void DoubleClick(const std::string& Caption) {
        const RECT r = list->ItemRect(Row(*list, Caption), true);
        SendMessageW(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM(r.left + 2, (r.top + r.bottom) / 2));
    }
    const FakeCalls& Calls() const { return shell->Calls(); }

    TTreeDouble tree;
    TComboDouble combo;
};

TEST_F(ListCommands, KeysActOnTheSelectionOnlyWhenTheListHadTheirPress) {
    Select("a.txt");
    // The release of an Enter pressed elsewhere (the edit box that took a new name) does nothing.
    SendMessageW(list->Handle(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_TRUE(Calls().invocations.empty());

    Key(VK_RETURN);
    ASSERT_EQ(Calls().invocations.size(), 1u);
    EXPECT_EQ(Calls().invocations[0].verb, "open");
    EXPECT_EQ(Calls().invocations[0].items, (Names{"a.txt"}));
    Key(VK_DELETE);
    ASSERT_EQ(Calls().invocations.size(), 2u);
    EXPECT_EQ(Calls().invocations[1].verb, "delete") << "as the shell's menus name it";
    EXPECT_EQ(Calls().menuFlags.back(), static_cast<UINT>(CMF_VERBSONLY));

    const size_t fills = Calls().enumFlags.size();
    shell->AddItem("Docs", FakeFile("new.txt"));
    Key(VK_F5);
    EXPECT_EQ(Calls().enumFlags.size(), fills + 1);
    EXPECT_NE(Row(*list, "new.txt"), nullptr);

    Key(VK_F2);
    EXPECT_TRUE(list->IsEditing()) << "F2 renames the focused row";
    list->CancelEdit();
    EXPECT_FALSE(list->IsEditing());

    // Nothing selected: no command.
    list->SetSelected(nullptr);
    Key(VK_RETURN);
    Key(VK_DELETE);
    EXPECT_EQ(Calls().invocations.size(), 2u);
}

TEST_F(ListCommands, CtrlASelectsEveryRowAndAAloneIsTakenWithoutEffect) {
    list->SetMultiSelect(true);
    int keyUps = 0;
    list->OnKeyUp = [&](TObject*, WORD&, TShiftState) { ++keyUps; };
    Key('A');
    EXPECT_EQ(list->SelectedCount(), 0);
    EXPECT_EQ(keyUps, 0);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Key('A');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(list->SelectedCount(), list->Items().Count());
    EXPECT_EQ(list->SelectedCount(), 4);
    Key('Z');
    EXPECT_EQ(keyUps, 1) << "other keys reach OnKeyUp";

    // Every command acts on all the rows selected.
    Key(VK_RETURN);
    ASSERT_EQ(Calls().invocations.size(), 1u);
    EXPECT_EQ(Calls().invocations[0].items, (Names{"b.txt", "Sub", "a.txt", "readme.txt"}));
}

TEST_F(ListCommands, SelectedItemCountsFromOneAndSelectedPidlsAreTheRowsOwnLists) {
    Select("readme.txt");
    EXPECT_EQ(list->SelectedCount(), 1);
    EXPECT_EQ(list->SelectedItem(1), "C:\\Fake\\Docs\\readme.txt");
    EXPECT_EQ(list->SelectedItem(0), "");
    EXPECT_EQ(list->SelectedItem(2), "");
}

TEST_F(ListCommands, DoubleClickAndBackspaceMoveTheListAndTheTreeFollowsTheList) {
    DoubleClick("Sub");
    EXPECT_EQ(Captions(*list), (Names{"in.txt"}));
    ASSERT_EQ(tree.Expanded, (Names{"Sub"}));
    EXPECT_EQ(tree.Senders.back(), static_cast<TViewLink*>(list.get()));
    EXPECT_EQ(list->GetFolder(), "") << "Folder is what was assigned, not what is shown";

    Key(VK_BACK);
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "Sub", "a.txt", "readme.txt"}));
    EXPECT_EQ(tree.Expanded.back(), "Docs");
    EXPECT_EQ(tree.Senders.back(), static_cast<TViewLink*>(list.get()))
        << "the tree, moved by the list, tells only the combo";
    Key(VK_BACK);
    EXPECT_EQ(list->ViewPidl(), nullptr) << "the desktop, named by no list";
    EXPECT_EQ(Captions(*list), (Names{"Docs", "top.txt"}));
    EXPECT_EQ(tree.Expanded.back(), "");
    const size_t moves = tree.Expanded.size();
    Key(VK_BACK);
    EXPECT_EQ(tree.Expanded.size(), moves) << "nothing above the desktop";

    // Enter opens one folder in the list as a double click does.
    Select("Docs");
    Key(VK_RETURN);
    EXPECT_EQ(tree.Expanded.back(), "Docs");
    EXPECT_TRUE(Calls().invocations.empty());
}

TEST_F(ListCommands, DoubleClickRunsTheDefaultVerbUnlessTheEventSaysNo) {
    Select("a.txt");
    bool execute = false;
    int raised = 0;
    list->SetOnDoubleClick([&](TFolderEnumerator*, bool& bExecute) {
        ++raised;
        bExecute = execute;
    });
    DoubleClick("a.txt");
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(Calls().invocations.empty());
    execute = true;
    // Wine's menu asked for its default entry alone is empty: the whole menu's default runs.
    shell->EmptyDefaultOnlyMenus();
    DoubleClick("a.txt");
    ASSERT_EQ(Calls().invocations.size(), 1u);
    EXPECT_EQ(Calls().invocations[0].verb, "open");
    EXPECT_EQ(Calls().invocations[0].items, (Names{"a.txt"}));
    // On empty space the event is raised and nothing runs.
    SendMessageW(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 250));
    EXPECT_EQ(raised, 3);
    EXPECT_EQ(Calls().invocations.size(), 1u);
}

// A command's dialogs let the watcher's message in: the rows wait for the command to end.
TEST_F(ListCommands, ARefreshAskedForDuringACommandRunsOnceAfterIt) {
    list->SetAutoRefresh(true);
    Select("a.txt");
    const size_t fills = Calls().enumFlags.size();
    size_t fillsInside = 0;
    shell->SetOnInvoke([&] {
        shell->AddItem("Docs", FakeFile("new.txt"));
        SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
        SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
        fillsInside = Calls().enumFlags.size() - fills;
    });
    Key(VK_DELETE);
    EXPECT_EQ(fillsInside, 0u) << "no refill under the command";
    EXPECT_EQ(Calls().enumFlags.size(), fills);
    PumpMessages();
    EXPECT_EQ(Calls().enumFlags.size(), fills + 1) << "one refresh for both";
    EXPECT_NE(Row(*list, "new.txt"), nullptr);
    EXPECT_TRUE(Row(*list, "a.txt")->Selected());
}

} // namespace
