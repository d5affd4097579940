#include "support/HostWindow.h"

#include "controls/TreeView.h"
#include "identifiers/WideText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

class TreeViewTest : public testing::Test {
protected:
    void SetUp() override {
        Tree.SetBounds(0, 0, 300, 300);
        Tree.SetParentWindow(Host.Handle());
        ASSERT_TRUE(Tree.HandleAllocated());
    }

    // a (a1 (a1x), a2), b; returns a and a1.
    std::pair<TTreeNode*, TTreeNode*> AddSampleNodes() {
        TTreeNodes& nodes = Tree.Items();
        TTreeNode* a = nodes.Add(nullptr, "a");
        TTreeNode* a1 = nodes.AddChild(a, "a1");
        nodes.AddChild(a1, "a1x");
        nodes.AddChild(a, "a2");
        nodes.Add(nullptr, "b");
        return {a, a1};
    }

    // The texts of the children of Parent in the window's order.
    std::vector<std::string> WindowChildren(TTreeNode* Parent) {
        std::vector<std::string> texts;
        HTREEITEM item = TreeView_GetChild(Tree.Handle(), Parent ? Parent->ItemId() : TVI_ROOT);
        for (; item; item = TreeView_GetNextSibling(Tree.Handle(), item)) {
            wchar_t buffer[MAX_PATH] = {};
            TVITEMW tv{};
            tv.mask = TVIF_TEXT | TVIF_HANDLE;
            tv.hItem = item;
            tv.pszText = buffer;
            tv.cchTextMax = MAX_PATH;
            TreeView_GetItem(Tree.Handle(), &tv);
            texts.push_back(WideToUtf8(buffer));
        }
        return texts;
    }

    // The images the window reports for a node: {normal, selected}.
    std::pair<int, int> WindowImages(TTreeNode* Node) {
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = Node->ItemId();
        TreeView_GetItem(Tree.Handle(), &item);
        return {item.iImage, item.iSelectedImage};
    }

    // What the control does by itself to a node that loses its last child.
    void DropButtonInWindow(TTreeNode* Node) {
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_CHILDREN;
        item.hItem = Node->ItemId();
        TreeView_SetItem(Tree.Handle(), &item);
    }

    THostWindow Host;
    TCustomTreeView Tree{nullptr};
};

TEST_F(TreeViewTest, DataSurvivesRecreationAndTheExpandButtonDoesNot) {
    int records[3] = {};
    TTreeNode* root = Tree.Items().AddChildObject(nullptr, "root", &records[0]);
    TTreeNode* child = Tree.Items().AddChildObject(root, "child", &records[1]);
    TTreeNode* unfilled = Tree.Items().AddChildObject(root, "unfilled", &records[2]);
    unfilled->SetHasChildren(true);
    unfilled->SetImageIndex(4);
    unfilled->SetOverlayIndex(1);
    EXPECT_TRUE(root->HasChildren());
    EXPECT_TRUE(unfilled->HasChildren());

    Tree.RecreateWnd();

    EXPECT_EQ(Tree.Items().Count(), 3);
    EXPECT_EQ(root->Data(), &records[0]);
    EXPECT_EQ(child->Data(), &records[1]);
    EXPECT_EQ(unfilled->Data(), &records[2]);
    EXPECT_EQ(unfilled->ImageIndex(), 4);
    EXPECT_TRUE(root->HasChildren());      // it has child nodes
    EXPECT_FALSE(unfilled->HasChildren()); // the button alone is not kept
    EXPECT_EQ(WindowChildren(root), (std::vector<std::string>{"child", "unfilled"}));
    const UINT state = TreeView_GetItemState(Tree.Handle(), unfilled->ItemId(), TVIS_OVERLAYMASK);
    EXPECT_EQ(state & TVIS_OVERLAYMASK, static_cast<UINT>(INDEXTOOVERLAYMASK(2)));
}

// Adding children asks the window about the parent's button once per run of additions; whatever
// takes the button away in between must still see it come back with the next child.
TEST_F(TreeViewTest, AddingAChildGivesItsParentTheButtonBack) {
    TTreeNode* parent = Tree.Items().AddChild(nullptr, "parent");
    Tree.Items().AddChild(parent, "a");
    EXPECT_TRUE(parent->HasChildren());
    parent->SetHasChildren(false);
    Tree.Items().AddChild(parent, "b");
    EXPECT_TRUE(parent->HasChildren());

    // Losing the last child takes the button away in the window.
    parent->DeleteChildren();
    DropButtonInWindow(parent);
    Tree.Items().AddChild(parent, "c");
    EXPECT_TRUE(parent->HasChildren());

    // A new window knows nothing of what the old one showed.
    Tree.RecreateWnd();
    DropButtonInWindow(parent);
    Tree.Items().AddChild(parent, "d");
    EXPECT_TRUE(parent->HasChildren());
    EXPECT_EQ(WindowChildren(parent), (std::vector<std::string>{"c", "d"}));
}

TEST_F(TreeViewTest, ExpandRaisesOnExpandingBeforeTheNodeOpens) {
    std::vector<std::string> log;
    Tree.OnExpanding = [&](TObject* Sender, TTreeNode* Node, bool& AllowExpansion) {
        EXPECT_EQ(Sender, &Tree);
        log.push_back(Node->Text() + (Node->Expanded() ? " open" : " closed"));
        // Filling on demand, as the views do.
        if (Node->Count() == 0)
            for (const char* name : {"b", "a"})
                Tree.Items()
                    .AddChild(Node, Node->Text() + "/" + name)
                    ->SetHasChildren(Node->Level() < 2); // two levels below the root have buttons
        AllowExpansion = Node->Text() != "root/b/a";
    };
    TTreeNode* root = Tree.Items().Add(nullptr, "root");
    TTreeNode* leaf = Tree.Items().Add(nullptr, "leaf");
    root->SetHasChildren(true);

    leaf->Expand(false); // no expand button: no event
    EXPECT_TRUE(log.empty());

    root->Expand(true);
    EXPECT_TRUE(root->Expanded());
    // Recursion reaches the nodes the events add on the way.
    EXPECT_EQ(log, (std::vector<std::string>{"root closed", "root/b closed", "root/b/b closed",
                                             "root/b/a closed", "root/a closed", "root/a/b closed",
                                             "root/a/a closed"}));
    EXPECT_EQ(Tree.Items().Count(), 2 + 2 + 4 + 8);
    // Refused: the node stays closed.
    TTreeNode* refused = Tree.Items().GetFirstNode()->GetFirstChild()->GetLastChild();
    ASSERT_EQ(refused->Text(), "root/b/a");
    EXPECT_FALSE(refused->Expanded());
    EXPECT_TRUE(refused->GetPrevSibling()->Expanded());

    // An expansion the control starts itself raises the event once too.
    log.clear();
    leaf->SetHasChildren(true);
    SendMessageW(Tree.Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(leaf->ItemId()));
    EXPECT_EQ(log, std::vector<std::string>{"leaf closed"});
    EXPECT_TRUE(leaf->Expanded());
}

TEST_F(TreeViewTest, CollapsingCanBeRefused) {
    TTreeNode* root = Tree.Items().Add(nullptr, "root");
    Tree.Items().AddChild(root, "child");
    root->Expand(false);
    ASSERT_TRUE(root->Expanded());
    int calls = 0;
    Tree.OnCollapsing = [&](TObject*, TTreeNode* Node, bool& AllowCollapse) {
        EXPECT_EQ(Node, root);
        ++calls;
        AllowCollapse = false;
    };
    root->Collapse(false);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(root->Expanded());
}

// The control moves a selection out of a branch being closed; the move is a change of selection
// like any other, for whoever follows the tree's selection.
TEST_F(TreeViewTest, ClosingTheBranchOfTheSelectionSelectsTheClosedNodeAndSaysSo) {
    auto [a, a1] = AddSampleNodes();
    a->Expand(false);
    a1->Expand(false);
    TTreeNode* a1x = a1->GetFirstChild();
    Tree.SetSelected(a1x);
    std::vector<TTreeNode*> changes;
    Tree.OnChange = [&](TObject*, TTreeNode* Node) { changes.push_back(Node); };
    a->Collapse(false);
    EXPECT_EQ(Tree.Selected(), a);
    ASSERT_FALSE(changes.empty()) << "the selection moved and nobody was told";
    EXPECT_EQ(changes.back(), a);
    changes.clear();
    a->Collapse(false);
    EXPECT_TRUE(changes.empty()) << "nothing moved";
}

TEST_F(TreeViewTest, NextAndPrevWalkAllNodesDepthFirst) {
    TTreeNodes& nodes = Tree.Items();
    auto [a, a1] = AddSampleNodes();
    // Nothing is expanded; the walk still visits everything.
    std::vector<std::string> forward, backward;
    TTreeNode* last = nullptr;
    for (TTreeNode* n = nodes.GetFirstNode(); n; n = n->GetNext()) {
        forward.push_back(n->Text());
        last = n;
    }
    for (TTreeNode* n = last; n; n = n->GetPrev())
        backward.push_back(n->Text());
    EXPECT_EQ(forward, (std::vector<std::string>{"a", "a1", "a1x", "a2", "b"}));
    EXPECT_EQ(backward, (std::vector<std::string>{"b", "a2", "a1x", "a1", "a"}));
    EXPECT_EQ(nodes.Item(2)->Text(), "a1x");
    EXPECT_EQ(nodes.Item(5), nullptr);
    EXPECT_EQ(a->GetNextChild(a1)->Text(), "a2");
    EXPECT_EQ(a1->Parent(), a);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(nodes.Item(2)->Level(), 2);
}

TEST_F(TreeViewTest, HitTestsUseRealCoordinates) {
    TTreeNode* first = Tree.Items().Add(nullptr, "first");
    TTreeNode* second = Tree.Items().Add(nullptr, "second node");
    const RECT text = second->DisplayRect(true);
    const RECT row = second->DisplayRect(false);
    ASSERT_GT(text.right, text.left);
    EXPECT_GE(text.left, row.left);
    EXPECT_LE(text.right, row.right);
    EXPECT_GT(text.top, first->DisplayRect(true).top);
    EXPECT_EQ(Tree.GetNodeAt((text.left + text.right) / 2, (text.top + text.bottom) / 2), second);
    EXPECT_EQ(Tree.GetNodeAt(text.left + 1, first->DisplayRect(true).top + 1), first);
    EXPECT_EQ(Tree.GetNodeAt(5, 250), nullptr); // below the last row
}

TEST_F(TreeViewTest, DeletionIsRaisedForEveryNodeChildrenFirst) {
    TTreeNodes& nodes = Tree.Items();
    TTreeNode* a = AddSampleNodes().first;
    std::vector<std::string> deleted;
    Tree.OnDeletion = [&](TObject*, TTreeNode* Node) { deleted.push_back(Node->Text()); };

    a->Delete();
    EXPECT_EQ(deleted, (std::vector<std::string>{"a2", "a1x", "a1", "a"}));
    EXPECT_EQ(nodes.Count(), 1);
    EXPECT_EQ(WindowChildren(nullptr), std::vector<std::string>{"b"});

    deleted.clear();
    nodes.Clear();
    EXPECT_EQ(deleted, std::vector<std::string>{"b"});
    EXPECT_EQ(nodes.Count(), 0);
    EXPECT_EQ(TreeView_GetCount(Tree.Handle()), 0u);

    // Re-creating the window deletes nothing.
    nodes.Add(nullptr, "c");
    deleted.clear();
    Tree.RecreateWnd();
    EXPECT_TRUE(deleted.empty());
}

int ByLength(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data) {
    EXPECT_EQ(Data, 42);
    return static_cast<int>(Node1->Text().size()) - static_cast<int>(Node2->Text().size());
}

TEST_F(TreeViewTest, CustomSortOrdersNodesAndWindowAlike) {
    TTreeNodes& nodes = Tree.Items();
    TTreeNode* parent = nodes.Add(nullptr, "parent");
    for (const char* s : {"ccc", "a", "bb", "dd"})
        nodes.AddChild(parent, s);
    parent->CustomSort(ByLength, 42);
    EXPECT_EQ(WindowChildren(parent), (std::vector<std::string>{"a", "bb", "dd", "ccc"}));
    EXPECT_EQ(parent->GetFirstChild()->GetNextSibling()->Text(), "bb");
    EXPECT_EQ(parent->Item(3)->Index(), 3);

    parent->AlphaSort();
    EXPECT_EQ(WindowChildren(parent), (std::vector<std::string>{"a", "bb", "ccc", "dd"}));
}

TEST_F(TreeViewTest, SelectionAndDropHighlight) {
    TTreeNode* parent = Tree.Items().Add(nullptr, "parent");
    TTreeNode* child = Tree.Items().AddChild(parent, "child");
    Tree.SetSelected(child); // shown, so its parent opens
    EXPECT_EQ(Tree.Selected(), child);
    EXPECT_TRUE(parent->Expanded());
    Tree.SetSelected(nullptr);
    EXPECT_EQ(Tree.Selected(), nullptr);

    parent->SetDropTarget(true);
    child->SetDropTarget(true);
    EXPECT_EQ(Tree.DropTarget(), child);
    EXPECT_FALSE(parent->DropTarget());
    Tree.SetDropTarget(nullptr);
    EXPECT_EQ(Tree.DropTarget(), nullptr);
}

TEST_F(TreeViewTest, EditingIsAskedAndTheEditedTextIsShown) {
    TTreeNode* node = Tree.Items().Add(nullptr, "old name");
    std::vector<std::string> log;
    bool allow = false;
    Tree.OnEditing = [&](TObject*, TTreeNode* Node, bool& AllowEdit) {
        log.push_back("editing " + Node->Text());
        AllowEdit = allow;
    };
    Tree.OnEdited = [&](TObject*, TTreeNode* Node, std::string& S) {
        log.push_back("edited " + Node->Text() + " to " + S);
        S = "shown " + S;
    };
    EXPECT_FALSE(node->EditText());
    EXPECT_FALSE(Tree.IsEditing());

    allow = true;
    ASSERT_TRUE(node->EditText());
    ASSERT_TRUE(Tree.IsEditing());
    SetWindowTextW(TreeView_GetEditControl(Tree.Handle()), L"typed");
    SendMessageW(Tree.Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"editing old name", "editing old name",
                                             "edited old name to typed"}));
    EXPECT_EQ(node->Text(), "shown typed");
    EXPECT_EQ(WindowChildren(nullptr), std::vector<std::string>{"shown typed"});
}

TEST_F(TreeViewTest, BulkUpdateSwitchesRedrawingOff) {
    Tree.Items().BeginUpdate();
    for (int i = 0; i < 200; ++i)
        Tree.Items().Add(nullptr, "node " + std::to_string(i));
    Tree.Items().EndUpdate();
    EXPECT_TRUE(IsWindowVisible(Tree.Handle()));
    EXPECT_EQ(TreeView_GetCount(Tree.Handle()), 200u);
}

TEST_F(TreeViewTest, TenThousandNodesUnderOneParentInOneBulkUpdate) {
    // Timed in halves, as the list's rows are: a cost per node that grows with the siblings
    // already there makes the second half much slower than the first.
    double halves[2] = {};
    Tree.Items().BeginUpdate();
    TTreeNode* parent = Tree.Items().Add(nullptr, "folder");
    int n = 0;
    for (double& half : halves) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 5000; ++i, ++n)
            Tree.Items().AddChild(parent, "node " + std::to_string(n));
        half = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
    }
    Tree.Items().EndUpdate();
    EXPECT_EQ(TreeView_GetCount(Tree.Handle()), 10001u);
    EXPECT_EQ(parent->Count(), 10000);
    const std::vector<std::string> texts = WindowChildren(parent);
    ASSERT_EQ(texts.size(), 10000u);
    EXPECT_EQ(texts.front(), "node 0");
    EXPECT_EQ(texts.back(), "node 9999");
    EXPECT_LT(halves[0] + halves[1], 1000.0);
    EXPECT_LT(halves[1], 3 * halves[0] + 150.0); // room for a busy machine
    std::printf("10,000 nodes in a bulk update: %.0f + %.0f ms\n", halves[0], halves[1]);
}

TEST_F(TreeViewTest, ImagesOnDemandAreFoundOnceAndReadTheSameFromNodeAndWindow) {
    int asked = 0;
    Tree.OnGetImages = [&](TObject*, TTreeNode* Node, int& Image, int& Selected) {
        ++asked;
        Image = Node->Text() == "b" ? 5 : 3;
        Selected = 4;
    };
    TNodeLook look;
    look.ImagesOnDemand = true;
    look.OverlayIndex = 1;
    TTreeNode* a = Tree.Items().AddChildObject(nullptr, "a", nullptr, look);
    TTreeNode* b = Tree.Items().AddChildObject(nullptr, "b", nullptr, look);
    TTreeNode* c = Tree.Items().AddChildObject(nullptr, "c", nullptr, look);
    EXPECT_EQ(asked, 0) << "nothing is looked up when nodes are added";

    // The control asks when it needs them; the node then knows them without asking again.
    EXPECT_EQ(WindowImages(a), std::make_pair(3, 4));
    EXPECT_EQ(a->ImageIndex(), 3);
    EXPECT_EQ(a->SelectedIndex(), 4);
    EXPECT_EQ(asked, 1);
    // Read from the node first: the window shows what the node answered.
    EXPECT_EQ(b->SelectedIndex(), 4);
    EXPECT_EQ(b->ImageIndex(), 5);
    EXPECT_EQ(WindowImages(b), std::make_pair(5, 4));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(b->OverlayIndex(), 1);

    // Setting one image keeps the other as it is found.
    c->SetImageIndex(7);
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(WindowImages(c), std::make_pair(7, 4));
    EXPECT_FALSE(c->ImagesOnDemand());

    // On demand again: found afresh, also by a new window.
    a->SetImagesOnDemand();
    Tree.RecreateWnd();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(WindowImages(a), std::make_pair(3, 4));
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(WindowImages(c), std::make_pair(7, 4));
}

TEST_F(TreeViewTest, DeletingChildrenByAConditionIsDeletingThemOneAtATimeFromTheLast) {
    TTreeNode* parent = Tree.Items().Add(nullptr, "parent");
    for (int i = 0; i < 8; ++i)
        Tree.Items().AddChild(parent, "c" + std::to_string(i));
    Tree.Items().AddChild(parent->Item(4), "c4x");
    Tree.Items().AddChild(parent->Item(5), "c5x");
    parent->Expand(false);
    std::vector<std::string> deleted;
    Tree.OnDeletion = [&](TObject*, TTreeNode* Node) { deleted.push_back(Node->Text()); };

    Tree.Items().DeleteChildrenIf(parent, [](TTreeNode* Node) { return Node->Index() % 2 == 0; });
    EXPECT_EQ(deleted, (std::vector<std::string>{"c6", "c4x", "c4", "c2", "c0"}));
    const std::vector<std::string> kept{"c1", "c3", "c5", "c7"};
    EXPECT_EQ(WindowChildren(parent), kept);
    ASSERT_EQ(parent->Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(parent->Item(i)->Text(), kept[i]);
        EXPECT_EQ(parent->Item(i)->Index(), i);
    }
    EXPECT_EQ(Tree.Items().Count(), 6);
    EXPECT_EQ(TreeView_GetCount(Tree.Handle()), 6u);
    EXPECT_EQ(parent->Item(2)->GetFirstChild()->Text(), "c5x");

    deleted.clear();
    Tree.Items().DeleteChildrenIf(parent, [](TTreeNode*) { return false; });
    EXPECT_TRUE(deleted.empty());
    Tree.Items().DeleteChildrenIf(parent, [](TTreeNode*) { return true; });
    EXPECT_EQ(parent->Count(), 0);
    EXPECT_EQ(TreeView_GetCount(Tree.Handle()), 1u);
}

} // namespace
