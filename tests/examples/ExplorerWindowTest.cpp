#include "ExplorerTestSupport.h"

#include "combo/NameSpaceCombo.h"
#include "controls/StatusBar.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include "identifiers/WideText.h"
#include "support/ExampleWindow.h"
#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// A view's rectangle in its window's client coordinates.
RECT PlacedIn(HWND Window, TWinControl* View) {
    RECT r{};
    GetWindowRect(View->Handle(), &r);
    MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The views are laid out by alignment: they may touch the client area's edges but never pass
// them, and none overlaps another.
void ExpectViewsInside(TExplorerWindow& Window, const char* When) {
    RECT client{};
    GetClientRect(Window.Handle(), &client);
    const std::initializer_list<TWinControl*> views = {Window.Combo(), Window.Tree(), Window.List(),
                                                       Window.StatusBar()};
    for (TWinControl* view : views) {
        const RECT r = PlacedIn(Window.Handle(), view);
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                    r.bottom <= client.bottom && r.right > r.left && r.bottom > r.top)
            << When << ": " << view->Name() << " at (" << r.left << "," << r.top << ")-(" << r.right
            << "," << r.bottom << ") in a client area of " << client.right << "x" << client.bottom;
        for (TWinControl* other : views) {
            RECT overlap{};
            const RECT o = PlacedIn(Window.Handle(), other);
            EXPECT_TRUE(other == view || !IntersectRect(&overlap, &r, &o))
                << When << ": " << view->Name() << " overlaps " << other->Name();
        }
    }
}

} // namespace

TEST(ExplorerWindow, TheViewsFillTheClientAreaWithoutOverlapFromTheStartAndAtEverySize) {
    RegisterExplorerClasses();
    auto window = std::make_unique<TExplorerWindow>(nullptr);
    std::string error;
    ASSERT_TRUE(ReadExplorerWindow(*window, error)) << error;
    ExpectViewsInside(*window, "as read from the form");
    TempFolder temp("varnel-explorer");
    window->Show();
    window->List()->SetFolder(temp.Path());
    SettleIdle(*window);
    ExpectViewsInside(*window, "as shown");
    if (const char* shots = std::getenv("VARNEL_TEST_SCREENSHOTS"))
        SaveWindowPicture(window->Handle(), WindowsPath(shots) + L"\\explorer-start.bmp");
    SetWindowPos(window->Handle(), nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
    SettleIdle(*window);
    ExpectViewsInside(*window, "made smaller");
    SetWindowPos(window->Handle(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
    SettleIdle(*window);
    ExpectViewsInside(*window, "made larger");
}

// The tree has told list and combo itself (a click, a combo pick): the follower leaves them be,
// so the list is not filled a second time.
TEST(ExplorerWindow, ViewsThatShowTheTreesFolderAreLeftAsTheyAre) {
    TempFolder temp("varnel-explorer");
    temp.MakeFolder("inner");
    auto window = OpenExplorer(temp.Path());
    ASSERT_TRUE(window);
    TNameSpaceEnumerator* tree = window->Tree();
    TTreeNode* node = tree->Selected();
    ASSERT_TRUE(node);
    tree->SelectionChange(tree, node);
    SettleIdle(*window);
    const LPCITEMIDLIST shown = window->List()->ViewPidl();
    const int entries = window->Combo()->EntryCount();
    window->Follower()->SelectionChanged();
    EXPECT_TRUE(window->Follower()->Pending()) << "the move waits for the queue to be idle";
    SettleIdle(*window);
    EXPECT_EQ(window->List()->ViewPidl(), shown) << "the list was told its own folder again";
    EXPECT_EQ(window->Combo()->EntryCount(), entries);
    EXPECT_TRUE(ShownFolders(*window).Agree()) << ShownFolders(*window).Describe();
}

// The folder shown goes with the folder dragged onto another: the tree's selection moves out of
// the branch that is gone, and list and combo with it.
TEST(ExplorerWindow, AFolderMovedByDragTakesNoViewAlongWithTheOthers) {
    TempFolder temp("varnel-explorer");
    temp.MakeFolder("source\\inner");
    temp.MakeFolder("target");
    auto window = OpenExplorer(temp.Path() + "\\source\\inner");
    ASSERT_TRUE(window);
    TNameSpaceEnumerator* tree = window->Tree();
    TTreeNode* source = tree->Selected()->Parent();
    TTreeNode* target = source->GetNextSibling();
    ASSERT_TRUE(target);
    ASSERT_EQ(target->Text(), "target");
    DragWithMouse(NodeLabelOnScreen(source), NodeLabelOnScreen(target));
    SettleIdle(*window, 300);

    ASSERT_EQ(GetFileAttributesW(Utf8ToWide(temp.Path() + "\\source").c_str()),
              INVALID_FILE_ATTRIBUTES)
        << "the folder was not moved";
    EXPECT_TRUE(ShownFolders(*window).Agree()) << ShownFolders(*window).Describe();
}

// The main window takes the dialog keys as any form does: Tab goes round the views in their
// order, while Enter still opens the list's folder row and Escape closes nothing.
TEST(ExplorerWindow, TabGoesRoundTheViewsAndEnterStillOpensAFolderRow) {
    TempFolder temp("varnel-explorer");
    temp.MakeFolder("inner");
    auto window = OpenExplorer(temp.Path());
    ASSERT_TRUE(window);
    TFolderEnumerator* list = window->List();
    ASSERT_TRUE(window->Tree()->Focused());
    PressKeys({VK_TAB});
    EXPECT_TRUE(list->Focused()) << "Tab from the tree";
    PressKeys({VK_TAB});
    EXPECT_TRUE(window->Combo()->Focused()) << "Tab from the list";
    PressKeys({VK_TAB});
    EXPECT_TRUE(window->Tree()->Focused()) << "Tab from the combo";
    PressChord(VK_SHIFT, VK_TAB);
    EXPECT_TRUE(window->Combo()->Focused()) << "Shift+Tab from the tree";

    list->SetFocus();
    TListItem* row = list->FindCaption(0, "inner", false, true, false);
    ASSERT_TRUE(row);
    list->SetSelected(row);
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(IsWindow(window->WindowHandle())) << "Escape closed the main window";
    PressKeys({VK_RETURN});
    SettleIdle(*window);
    EXPECT_EQ(ShownFolders(*window).List, temp.Path() + "\\inner")
        << "Enter did not reach the list";
}
