// The namespace tree over the real shell, in a real window, with its change watcher.

#include "TreeTestSupport.h"

#include "support/HostWindow.h"
#include "support/TempFolder.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

class RealTree : public testing::Test {
protected:
    void SetUp() override {
        temp.MakeFolder("a\\b\\c\\Alpha\\inner");
        temp.MakeFolder("a\\b\\c\\Zulu");
        temp.MakeFile("a\\b\\note.txt");
        ASSERT_TRUE(PlaceWatchedTree(tree, host.Handle(), 300, 300));
    }

    TempFolder temp{"varnel-tree"};
    THostWindow host;
    TListDouble list;
    TNameSpaceEnumerator tree{nullptr};
};

TEST_F(RealTree, GotoFolderFillsAndSelectsEachLevel) {
    tree.GotoFolder(temp.Path() + "\\a\\b\\c");
    TTreeNode* c = tree.Selected();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Text(), "c");
    EXPECT_EQ(CompareStringOrdinal(Utf8ToWide(tree.Selection()).c_str(), -1,
                                   Utf8ToWide(temp.Path() + "\\a\\b\\c").c_str(), -1, TRUE),
              CSTR_EQUAL);
    EXPECT_TRUE(TNameSpaceEnumerator::NodeData(c)->bExpandedOnce);
    EXPECT_EQ(Captions(c), (std::vector<std::string>{"Alpha", "Zulu"}));
    int levels = 0;
    for (TTreeNode* node = c->Parent(); node; node = node->Parent(), ++levels) {
        EXPECT_TRUE(node->Expanded()) << node->Text();
        EXPECT_TRUE(TNameSpaceEnumerator::NodeData(node)->bExpandedOnce) << node->Text();
    }
    // Desktop, My Computer, the drive, the temporary folder, a, b.
    EXPECT_EQ(levels, 6);

    // A file is no place to go.
    tree.GotoFolder(temp.Path() + "\\a\\b\\note.txt");
    EXPECT_EQ(tree.Selected(), c);
}

TEST_F(RealTree, AFolderMadeThreeLevelsDownAppearsInSortedPlace) {
    tree.GotoFolder(temp.Path() + "\\a\\b\\c");
    TTreeNode* c = tree.Selected();
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->Text(), "c");
    ASSERT_NE(tree.ChangeThread(), nullptr);

    temp.MakeFolder("a\\b\\c\\Mike");
    EXPECT_TRUE(PumpUntil([&] { return c->Count() == 3; }));
    EXPECT_EQ(Captions(c), (std::vector<std::string>{"Alpha", "Mike", "Zulu"}));
    EXPECT_EQ(tree.Selected(), c) << "a refresh keeps the selection";
}

TEST_F(RealTree, AFolderDeletedOnDiskGoesWithItsSubtree) {
    tree.GotoFolder(temp.Path() + "\\a\\b\\c\\Alpha");
    TTreeNode* alpha = tree.Selected();
    ASSERT_NE(alpha, nullptr);
    ASSERT_EQ(Captions(alpha), (std::vector<std::string>{"inner"}));
    TTreeNode* c = alpha->Parent();
    const int before = tree.Items().Count();

    ASSERT_TRUE(RemoveTree(temp.Path() + "\\a\\b\\c\\Alpha"));
    EXPECT_TRUE(PumpUntil([&] { return Child(c, "Alpha") == nullptr; }));
    EXPECT_EQ(Captions(c), (std::vector<std::string>{"Zulu"}));
    EXPECT_EQ(tree.Items().Count(), before - 2);
}

// Wine's desktop parses "" as My Computer, and says so with success.
TEST_F(RealTree, AnEmptyRootFolderFallsBackToMyComputer) {
    tree.SetRootFolder("");
    tree.SetRootedAt(raFileSystem);
    EXPECT_EQ(tree.RootedAt(), raMyComputer);
}

// Wine's desktop asked about a deep list answers for its first item (My Computer, no file-system
// object): the folder holding the root's last item is asked instead.
TEST_F(RealTree, AFolderRootSortsItsChildrenAndTellsTheListToSort) {
    for (const char* name : {"charlie", "Delta", "alpha", "Foxtrot", "Bravo", "echo"})
        temp.MakeFolder(std::string("sort\\") + name);
    tree.SetRootFolder(temp.Path() + "\\sort");
    tree.SetRootedAt(raFileSystem);
    ASSERT_EQ(tree.RootedAt(), raFileSystem);
    TTreeNode* root = tree.Items().GetFirstNode();
    root->Expand(false);
    EXPECT_EQ(Captions(root),
              (std::vector<std::string>{"alpha", "Bravo", "charlie", "Delta", "echo", "Foxtrot"}));
    tree.SetSelected(root);
    tree.SetFolderEnumerator(&list);
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_TRUE(list.Calls[0].bSorting);
}

TEST_F(RealTree, EveryNodeShowsAndReadsTheShellsOwnIcons) {
    tree.GotoFolder(temp.Path() + "\\a\\b\\c");
    ASSERT_NE(tree.Selected(), nullptr);
    // Half the nodes are read first from the window, half from the node.
    int checked = 0;
    for (TTreeNode* node = tree.Items().GetFirstNode()->GetFirstChild(); node;
         node = node->GetNext(), ++checked) {
        const TNodeData* data = TNameSpaceEnumerator::NodeData(node);
        ASSERT_TRUE(data && data->pFQpidl) << node->Text();
        const int normal = EnumGlobals::GetSmallIconIndex(data->pFQpidl.Get());
        const int open = EnumGlobals::GetOpenSmallIconIndex(data->pFQpidl.Get());
        TVITEMW item{};
        item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = node->ItemId();
        if (checked % 2 == 0) {
            TreeView_GetItem(tree.Handle(), &item);
            EXPECT_EQ(node->ImageIndex(), normal) << node->Text();
        } else {
            EXPECT_EQ(node->ImageIndex(), normal) << node->Text();
            TreeView_GetItem(tree.Handle(), &item);
        }
        EXPECT_EQ(node->SelectedIndex(), open) << node->Text();
        EXPECT_EQ(item.iImage, normal) << node->Text();
        EXPECT_EQ(item.iSelectedImage, open) << node->Text();
    }
    EXPECT_GT(checked, 8);
}

} // namespace
