// The namespace tree over the real shell, in a real window, with its change watcher.

#include "TreeTestSupport.h"

#include "support/HostWindow.h"
#include "support/TempFolder.h"
#include "identifiers/WideText.h"
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
        tree.SetParentWindow(host.Handle());
        tree.SetBounds(0, 0, 300, 300);
        tree.HandleNeeded();
    }

    TempFolder temp{"varnel-tree"};
    THostWindow host;
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

} // namespace
