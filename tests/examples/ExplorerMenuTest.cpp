#include "ExplorerTestSupport.h"

#include "controls/MainMenu.h"
#include "controls/Splitter.h"
#include "controls/StatusBar.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include "identifiers/WideText.h"
#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

TMenuItem* Item(TExplorerWindow& Window, const char* Name) {
    return dynamic_cast<TMenuItem*>(Window.FindComponent(Name));
}

std::string Status(TExplorerWindow& Window) {
    Window.UpdateStatus();
    return Window.StatusBar()->ShownText();
}

} // namespace

TEST(ExplorerMenus, TheFormFileMakesMenuBarStatusBarAndSplitterByName) {
    TempFolder temp("varnel-explorer");
    auto window = OpenExplorer(temp.Path());
    ASSERT_TRUE(window);
    ASSERT_TRUE(dynamic_cast<TMainMenu*>(window->FindComponent("MainMenu")));
    EXPECT_EQ(static_cast<TComponent*>(window->Menu()), window->FindComponent("MainMenu"));
    ASSERT_TRUE(dynamic_cast<TSplitter*>(window->FindComponent("Splitter")));
    ASSERT_TRUE(window->StatusBar());
    EXPECT_EQ(window->StatusBar()->Align(), alBottom);
    const HMENU bar = GetMenu(window->Handle());
    ASSERT_TRUE(bar) << "the window shows no menu bar";
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(Item(*window, "LargeIconsItem")->ShortCut(), scCtrl | '1');
    EXPECT_EQ(Item(*window, "UpItem")->ShortCutText(), "Alt+Up");
    wchar_t text[MAX_PATH] = {};
    GetMenuStringW(bar, Item(*window, "RefreshItem")->Command(), text, MAX_PATH, MF_BYCOMMAND);
    EXPECT_EQ(WideToUtf8(text), "&Refresh\tF5") << "the shortcut is shown after a tab";
}

TEST(ExplorerMenus, ShortCutTextsReadBackAsTheyAreWritten) {
    for (const char* text : {"Ctrl+1", "F5", "Alt+Up", "Ctrl+Shift+H", "Del"})
        EXPECT_EQ(ShortCutToText(TextToShortCut(text)), text);
    EXPECT_EQ(TextToShortCut("ctrl+h"), scCtrl | 'H');
    for (const char* text : {"", "Ctrl+", "Hyper+A", "F99", "Ctrl+Nothing"})
        EXPECT_EQ(TextToShortCut(text), 0) << text;
}

// Alt opens the bar, the arrows walk it and Enter chooses; the shortcuts do the same from the
// keyboard, and the check marks follow the list.
TEST(ExplorerMenus, TheMenuBarAndItsShortcutsDriveTheList) {
    TempFolder temp("varnel-explorer");
    temp.MakeFolder("inner");
    auto window = OpenExplorer(temp.Path() + "\\inner");
    ASSERT_TRUE(window);
    TFolderEnumerator* list = window->List();
    list->SetFocus();
    PressKeys({VK_MENU, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    SettleIdle(*window);
    EXPECT_EQ(list->ViewStyle(), vsList) << "View, List through the menu bar";
    SendMessageW(window->Handle(), WM_INITMENUPOPUP, 0, 0);
    EXPECT_EQ(GetMenuState(GetMenu(window->Handle()), Item(*window, "ListItem")->Command(),
                           MF_BYCOMMAND) &
                  MF_CHECKED,
              static_cast<UINT>(MF_CHECKED));
    EXPECT_FALSE(Item(*window, "DetailsItem")->Checked());

    PressChord(VK_CONTROL, '4');
    EXPECT_EQ(list->ViewStyle(), vsReport) << "Ctrl+4";
    PressChord(VK_CONTROL, 'H');
    EXPECT_TRUE(list->ShowHidden()) << "Ctrl+H";
    const int fills = list->FillCount();
    PressKeys({VK_F5});
    EXPECT_EQ(list->FillCount(), fills + 1) << "F5 refills the list";
    PressChord(VK_MENU, VK_UP);
    SettleIdle(*window);
    EXPECT_EQ(ShownFolders(*window).List, temp.Path()) << "Alt+Up goes up";
    Item(*window, "ExitItem")->Click();
    EXPECT_FALSE(window->HandleAllocated()) << "File, Exit closes the window";
}

// The rows under an open rename stay until it ends; so does the view they are shown in.
TEST(ExplorerMenus, HiddenFilesAndViewChangesWaitForAnOpenRename) {
    TempFolder temp("varnel-explorer");
    temp.MakeFile("shown.txt", "x");
    const std::string hidden = temp.MakeFile("hidden.txt", "x");
    SetFileAttributesW(Utf8ToWide(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN);
    auto window = OpenExplorer(temp.Path());
    ASSERT_TRUE(window);
    TFolderEnumerator* list = window->List();
    TListItem* row = list->FindCaption(0, "shown.txt", false, true, false);
    ASSERT_TRUE(row);
    list->SetFocus();
    ASSERT_NE(SendMessageW(list->Handle(), LVM_EDITLABELW, row->Index(), 0), 0);
    ASSERT_TRUE(list->IsEditing());
    const int fills = list->FillCount();
    Item(*window, "HiddenItem")->Click();
    Item(*window, "LargeIconsItem")->Click();
    SettleIdle(*window);
    EXPECT_EQ(list->FillCount(), fills) << "the rows were filled again under the edit";
    EXPECT_EQ(GetWindowLongPtrW(list->Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(list->IsEditing());

    PressKeys({VK_ESCAPE});
    SettleIdle(*window);
    EXPECT_FALSE(list->IsEditing());
    EXPECT_TRUE(list->FindCaption(0, "hidden.txt", false, true, false)) << "refilled after";
    EXPECT_EQ(GetWindowLongPtrW(list->Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
}

TEST(ExplorerMenus, TheStatusBarCountsTheRowsAndTheSelectedSizes) {
    TempFolder temp("varnel-explorer");
    temp.MakeFile("a.txt", std::string(1000, 'a'));
    temp.MakeFile("b.txt", std::string(2000, 'b'));
    temp.MakeFolder("inner");
    auto window = OpenExplorer(temp.Path());
    ASSERT_TRUE(window);
    TFolderEnumerator* list = window->List();
    EXPECT_EQ(Status(*window), "3 items");
    temp.MakeFile("c.txt", "c");
    EXPECT_TRUE(PumpUntil([&] { return window->StatusBar()->ShownText() == "4 items"; }))
        << "a refill after a change on the disk is counted by itself: "
        << window->StatusBar()->ShownText();
    list->SetSelected(list->FindCaption(0, "a.txt", false, true, false));
    list->SetSelected(list->FindCaption(0, "b.txt", false, true, false));
    list->SetSelected(list->FindCaption(0, "inner", false, true, false));
    SettleIdle(*window);
    EXPECT_EQ(window->StatusBar()->ShownText(), "4 items, 3 selected (2.92 KB)")
        << "updated by itself once the selection settled";
}

TEST(ExplorerMenus, TheListEnumeratesItsStartFolderOnceAndNothingBefore) {
    TempFolder temp("varnel-explorer");
    auto window = OpenExplorer(temp.Path());
    ASSERT_TRUE(window);
    EXPECT_EQ(window->List()->FillCount(), 1) << "a first fill of the desktop, or a second one";
    EXPECT_EQ(ShownFolders(*window).List, temp.Path());
}

TEST(ExplorerMenus, DraggingTheSplitterResizesTheTreeDownToItsMinimum) {
    TempFolder temp("varnel-explorer");
    auto window = OpenExplorer(temp.Path());
    ASSERT_TRUE(window);
    auto* splitter = dynamic_cast<TSplitter*>(window->FindComponent("Splitter"));
    ASSERT_TRUE(splitter);
    TWinControl* tree = window->Tree();
    EXPECT_EQ(splitter->Pane(), tree);
    const int width = tree->Width();
    const POINT grip = splitter->ClientToScreen({splitter->Width() / 2, splitter->Height() / 2});
    DragCaptured(grip, {grip.x + 60, grip.y});
    SettleIdle(*window);
    EXPECT_EQ(tree->Width(), width + 60);
    EXPECT_EQ(window->List()->Left(), tree->Width() + splitter->Width());
    const POINT moved = splitter->ClientToScreen({splitter->Width() / 2, splitter->Height() / 2});
    DragCaptured(moved, {moved.x - 1000, moved.y});
    SettleIdle(*window);
    EXPECT_EQ(tree->Width(), splitter->MinSize());
}
