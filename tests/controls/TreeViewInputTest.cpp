// The tree view under the user's own mouse (SendInput): the releases its handlers get and the
// drags it reports.

#include "support/HostWindow.h"
#include "support/Input.h"

#include "controls/TreeView.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every release its handlers get, with what the control had done by then, and the node
// of every begin-drag notification.
class TClickTree : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;

    static const TClassInfo& StaticClassInfo() {
        using T = TClickTree;
        static const TClassInfo info{
            .ClassName = "TClickTree",
            .Parent = &TCustomTreeView::StaticClassInfo(),
            .Properties = {},
            .Messages = {MessageHandler<WM_LBUTTONUP, &T::WMLButtonUp>(),
                         MessageHandler<WM_RBUTTONUP, &T::WMRButtonUp>(),
                         MessageHandler<CN_NOTIFY, &T::CNNotify>()},
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    struct Release {
        UINT Msg;
        POINT Pos;
        TTreeNode* SelectedThen;
    };
    std::vector<Release> Releases;
    std::vector<TTreeNode*> Dragged;
    POINT DragPoint{};

private:
    void WMLButtonUp(TMessage& Message) { Record(Message); }
    void WMRButtonUp(TMessage& Message) { Record(Message); }
    void Record(TMessage& Message) {
        Releases.push_back({Message.Msg, Message.Pos(), Selected()});
        Inherited(Message);
    }
    void CNNotify(TMessage& Message) {
        Inherited(Message);
        if (TTreeNode* node = BeginDragNode(Message, &DragPoint))
            Dragged.push_back(node);
    }
};

class TreeViewInput : public testing::Test {
protected:
    void SetUp() override {
        Tree.SetBounds(0, 0, 300, 300);
        Tree.SetParentWindow(Host.Handle());
        a = Tree.Items().Add(nullptr, "alpha");
        Tree.Items().AddChild(a, "child");
        b = Tree.Items().Add(nullptr, "beta");
        Tree.Items().Add(nullptr, "gamma");
        Settle();
    }

    // A press and release of one button at a client point, in one call.
    void Click(POINT Client, bool Right = false) {
        const POINT screen = Tree.ClientToScreen(Client);
        if (Right)
            RightClickAt(screen);
        else
            ClickAt(screen);
    }
    POINT OnLabel(TTreeNode* Node) {
        const RECT r = Node->DisplayRect(true);
        return {r.left + 5, (r.top + r.bottom) / 2};
    }

    THostWindow Host;
    TClickTree Tree{nullptr};
    TTreeNode* a = nullptr;
    TTreeNode* b = nullptr;
};

TEST_F(TreeViewInput, AClickOnALabelReachesTheHandlersOnceAfterTheControlSelected) {
    Tree.SetSelected(a);
    const POINT where = OnLabel(b);
    Click(where);
    ASSERT_EQ(Tree.Releases.size(), 1u) << "the control's tracking took the release";
    EXPECT_EQ(Tree.Releases[0].Msg, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(Tree.Releases[0].Pos.x, where.x);
    EXPECT_EQ(Tree.Releases[0].Pos.y, where.y);
    EXPECT_EQ(Tree.Releases[0].SelectedThen, b) << "the release follows the control's handling";
}

TEST_F(TreeViewInput, AClickBesideTheLabelsIsReleasedOnceByTheControlItself) {
    const RECT row = a->DisplayRect(true);
    const int y = (row.top + row.bottom) / 2;
    // The expand button, the space right of the label, the empty space below the rows.
    for (const POINT where : {POINT{row.left - 12, y}, POINT{row.right + 40, y}, POINT{50, 250}}) {
        Tree.Releases.clear();
        Click(where);
        ASSERT_EQ(Tree.Releases.size(), 1u) << where.x << "," << where.y;
        EXPECT_EQ(Tree.Releases[0].Pos.x, where.x);
        EXPECT_EQ(Tree.Releases[0].Pos.y, where.y);
    }
}

TEST_F(TreeViewInput, ARightClickReachesTheHandlersOnceOnALabelAndOnEmptySpace) {
    for (const POINT where : {OnLabel(b), POINT{50, 250}}) {
        Tree.Releases.clear();
        Click(where, true);
        ASSERT_EQ(Tree.Releases.size(), 1u) << where.x << "," << where.y;
        EXPECT_EQ(Tree.Releases[0].Msg, static_cast<UINT>(WM_RBUTTONUP));
        EXPECT_EQ(Tree.Releases[0].Pos.x, where.x);
        EXPECT_EQ(Tree.Releases[0].Pos.y, where.y);
    }
}

TEST_F(TreeViewInput, ADragNamesThePressedNodeNotTheOneUnderThePointer) {
    const POINT start = OnLabel(a);
    const POINT screen = Tree.ClientToScreen(start);
    SetCursorPos(screen.x, screen.y);
    // Down two rows and more before the control has looked: the pointer is over another node
    // when the notification arrives.
    INPUT input[8]{};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dwFlags = MOUSEEVENTF_MOVE;
        i.mi.dy = 8;
    }
    input[0].mi = {};
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[7].mi = {};
    input[7].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(8, input, sizeof(INPUT));
    Settle();
    ASSERT_EQ(Tree.Dragged.size(), 1u);
    EXPECT_EQ(Tree.Dragged[0], a);
    EXPECT_EQ(Tree.DragPoint.x, start.x);
    EXPECT_EQ(Tree.DragPoint.y, start.y);
}

} // namespace
