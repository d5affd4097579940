// The list under the user's own mouse and keys (SendInput), over the fake namespace; menus are
// driven from a timer that fires inside their loop.

#include "ListTestSupport.h"

#include "identifiers/WideText.h"
#include "support/Input.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <utility>

namespace {

using Names = std::vector<std::string>;

class ListInput : public FakeListTest {
protected:
    void SetUp() override {
        MakeShell({FakeFolder("Docs", {FakeFile("a.txt"), FakeFolder("Sub", {FakeFile("in.txt")}),
                                       FakeFile("b.txt"), FakeFile("c.txt")})});
        list = NewList();
        list->SetMultiSelect(true);
        OwnedPidl docs = shell->Pidl("Docs");
        list->FolderChanged(nullptr, shell->Folder("Docs").Get(), docs.Get(), true);
        Activate();
    }
    // Keys go to the active window's focus; after a menu the list's window may not be active.
    void Activate() {
        SetForegroundWindow(host.Handle());
        list->SetFocus();
        Settle();
    }
    void TearDown() override {
        ForgetMenuAction();
        FakeListTest::TearDown();
    }
    POINT On(const std::string& Caption) {
        const RECT r = list->ItemRect(Row(*list, Caption), true);
        return list->ClientToScreen({r.left + 4, (r.top + r.bottom) / 2});
    }
    void Select(std::initializer_list<const char*> Captions) {
        list->SetSelected(nullptr);
        for (const char* caption : Captions)
            Row(*list, caption)->SetSelected(true);
    }
    Names SelectedNames() {
        Names names;
        for (int i = 0; i < list->Items().Count(); ++i)
            if (list->Items().Item(i)->Selected())
                names.push_back(list->Items().Item(i)->Caption());
        return names;
    }
    const FakeCalls& Calls() const { return shell->Calls(); }
};

TEST_F(ListInput, ARightClickShowsTheMenuOfThePressedRowsAndPutsTheSelectionBack) {
    Select({"a.txt", "b.txt"});
    // On a selected row: the menu is for the whole selection.
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_DOWN, VK_RETURN}); });
    RightClickAt(On("b.txt"));
    ASSERT_EQ(Calls().invocations.size(), 1u);
    EXPECT_EQ(Calls().invocations[0].items, (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(Calls().invocations[0].commandId, 1) << "identifier 0 is never run";
    EXPECT_EQ(Calls().invocations[0].window, list->Handle());
    EXPECT_EQ(SelectedNames(), (Names{"a.txt", "b.txt"}));

    // On a row not selected: that row alone, then the selection as it was.
    Activate();
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_DOWN, VK_RETURN}); });
    RightClickAt(On("c.txt"));
    ASSERT_EQ(Calls().menuItems.size(), 2u);
    ASSERT_EQ(Calls().invocations.size(), 2u);
    EXPECT_EQ(Calls().invocations[1].items, (Names{"c.txt"}));
    EXPECT_EQ(SelectedNames(), (Names{"a.txt", "b.txt"}));

    // On empty space: no menu. Without the shell's menu: none either.
    const size_t menus = Calls().menuItems.size();
    RightClickAt(list->ClientToScreen({300, 250}));
    EXPECT_EQ(SelectedNames(), (Names{"a.txt", "b.txt"}));
    list->SetShellContextMenu(false);
    RightClickAt(On("c.txt"));
    EXPECT_EQ(Calls().menuItems.size(), menus);
}

// A control that draws each row whose state changes on its own takes seconds for thousands of
// rows under Wine (a window-server round trip each), and so does finding each row again by a
// search through the rows.
TEST_F(ListInput, TenThousandSelectedRowsTakeNoSecondsInARightClickOrARefresh) {
    list.reset();
    std::vector<FakeItem> files;
    for (int i = 0; i < 10000; ++i)
        files.push_back(FakeFile("f" + std::to_string(i) + ".txt"));
    MakeShell({FakeFolder("Big", std::move(files))});
    list = NewList();
    list->SetMultiSelect(true);
    OwnedPidl big = shell->Pidl("Big");
    list->FolderChanged(nullptr, shell->Folder("Big").Get(), big.Get(), true);
    Activate();
    list->SelectAll();
    const auto timed = [](const char* What, const std::function<void()>& Act) {
        const DWORD start = GetTickCount();
        Act();
        const DWORD took = GetTickCount() - start;
        EXPECT_LT(took, 1000u) << What;
        std::printf("%s among 10,000 selected rows: %lu ms\n", What, took);
    };
    timed("right click", [&] {
        DuringNextMenu([] { EndMenu(); });
        RightClickAt(On("f3.txt"));
    });
    EXPECT_EQ(ListView_GetSelectedCount(list->Handle()), 10000u) << "the selection put back";
    timed("refresh", [&] { list->Refresh(); });
    EXPECT_EQ(ListView_GetSelectedCount(list->Handle()), 10000u) << "the selection kept";
}

TEST_F(ListInput, WithoutTheShellsMenuARightClickShowsThePopUpMenu) {
    list->SetShellContextMenu(false);
    EXPECT_EQ(ClicksOnOwnPopupEntry(*list, On("c.txt")), 1);
    EXPECT_TRUE(Calls().menuFlags.empty());
}

TEST_F(ListInput, TheRowsRefilledWhileTheMenuIsOpenAreSelectedAgainByTheirItems) {
    list->SetAutoRefresh(true);
    Select({"c.txt"});
    DuringNextMenu([&] {
        shell->AddItem("Docs", FakeFile("0.txt"));
        SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
        EndMenu();
    });
    RightClickAt(On("a.txt"));
    PumpMessages();
    EXPECT_NE(Row(*list, "0.txt"), nullptr) << "the refresh put off ran after the menu";
    EXPECT_EQ(SelectedNames(), (Names{"c.txt"}));
}

TEST_F(ListInput, ADoubleClickOpensAFolderAndLeavesNoEditArmedOnAFile) {
    Select({"a.txt"});
    const POINT a = On("a.txt");
    DoubleClickAt(a);
    ASSERT_EQ(Calls().invocations.size(), 1u);
    EXPECT_EQ(Calls().invocations[0].items, (Names{"a.txt"}));
    // The control arms an edit on a click on a row already selected; it would open by now.
    Pump(1800);
    EXPECT_FALSE(list->IsEditing());

    DoubleClickAt(On("Sub"));
    EXPECT_EQ(Captions(*list), (Names{"in.txt"}));
}

// Under Wine the Enter that ends an edit reaches the list as a release alone.
TEST_F(ListInput, TheEnterThatCommitsARenameOpensNothing) {
    Select({"b.txt"});
    list->SetFocus();
    SendMessageW(list->Handle(), WM_KEYDOWN, VK_F2, 0);
    SendMessageW(list->Handle(), WM_KEYUP, VK_F2, 0);
    HWND edit = reinterpret_cast<HWND>(SendMessageW(list->Handle(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"bee.txt");
    PressKeys({VK_RETURN});
    Settle();
    ASSERT_EQ(Calls().renames.size(), 1u);
    EXPECT_EQ(Calls().renames[0].second, "bee.txt");
    EXPECT_TRUE(Calls().invocations.empty()) << "the renamed file was not opened";
    EXPECT_TRUE(Row(*list, "bee.txt")->Selected());

    // Shift+F10 and the menu key show the selection's menu.
    Activate();
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_DOWN, VK_RETURN}); });
    PressChord(VK_SHIFT, VK_F10);
    ASSERT_EQ(Calls().menuItems.size(), 1u);
    ASSERT_EQ(Calls().invocations.size(), 1u);
    EXPECT_EQ(Calls().invocations[0].items, (Names{"bee.txt"}));
    Activate();
    DuringNextMenu([] { SendKeys({VK_DOWN, VK_DOWN, VK_RETURN}); });
    PressKeys({VK_APPS});
    EXPECT_EQ(Calls().menuItems.size(), 2u) << "one menu per key";
    EXPECT_EQ(Calls().invocations.size(), 2u);
}

} // namespace
