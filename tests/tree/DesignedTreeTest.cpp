// A tree on a form being designed, under the user's own mouse and keys (SendInput): every click
// and key goes to the designer, none makes the tree act.

#include "TreeTestSupport.h"

#include "support/Input.h"
#include "support/TestDesigner.h"

#include "controls/Form.h"

#include <commctrl.h>

#include <algorithm>

namespace {

class DesignedTree : public FakeTree {
protected:
    // A designed tree fills nothing on expansion: this one is filled first and then designed.
    void SetUp() override {
        form.SetDesigner(&designer);
        Make(StandardNamespace(), &form);
        Root()->Expand(false);
        tree->SetFolderEnumerator(&list);
        tree->SetSelected(Child(Root(), "Alpha"));
        form.SetDesigning(true);
        list.Calls.clear();
        Settle();
    }
    int InputsOf(UINT Msg) const {
        return static_cast<int>(
            std::count_if(designer.Inputs.begin(), designer.Inputs.end(), [&](const auto& input) {
                return input.Control == tree.get() && input.Msg == Msg;
            }));
    }

    TForm form{nullptr};
    TTestDesigner designer{&form};
};

} // namespace

TEST_F(DesignedTree, ClicksDragsAndKeysReachTheDesignerAndNeverTheTree) {
    TTreeNode* alpha = Child(Root(), "Alpha");
    // Were a menu shown after all, it is closed rather than left to hang the test.
    DuringNextMenu([] { EndMenu(); });
    RightClickAt(NodeLabelOnScreen(Child(Root(), "Zeta")));
    EXPECT_EQ(InputsOf(WM_RBUTTONDOWN), 1);
    EXPECT_EQ(InputsOf(WM_RBUTTONUP), 1);
    EXPECT_TRUE(shell->Calls().menuFlags.empty()) << "no shell menu on a designed tree";

    DragWithMouse(NodeLabelOnScreen(Child(Root(), "Zeta")),
                  NodeLabelOnScreen(Child(Root(), "Recycle Bin")));
    EXPECT_EQ(InputsOf(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(tree->Selected(), alpha) << "a drag would have selected the node it started on";
    EXPECT_TRUE(list.Calls.empty());

    SetForegroundWindow(host.Handle());
    tree->SetFocus();
    PressKeys({VK_F2});
    EXPECT_EQ(TreeView_GetEditControl(tree->Handle()), nullptr) << "F2 edits no label";
    DuringNextMenu([] { EndMenu(); });
    PressKeys({VK_DELETE, VK_APPS});
    EXPECT_EQ(InputsOf(WM_KEYDOWN), 3);
    EXPECT_TRUE(shell->Calls().invocations.empty()) << "Delete deletes nothing";
    EXPECT_TRUE(shell->Calls().menuFlags.empty());
    EXPECT_EQ(tree->Selected(), alpha);
    KillTimer(nullptr, 0);
    ForgetMenuAction();
}
