// The index a fill matches enumerated items against the children it may reuse.

#include "controls/TreeView.h"
#include "tree/NodeData.h"
#include "tree/NodeReuseIndex.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A parent with children captioned as given, each with a record but those captioned "bare"; no
// window is made.
class NodeReuseIndex : public testing::Test {
protected:
    TTreeNode* MakeParent(const std::vector<std::string>& Captions) {
        TTreeNode* parent = view.Items().Add(nullptr, "parent");
        for (const std::string& caption : Captions) {
            TNodeData* data = nullptr;
            if (caption != "bare")
                data = records.emplace_back(std::make_unique<TNodeData>()).get();
            view.Items().AddChildObject(parent, caption, data);
        }
        return parent;
    }
    static bool Found(const TTreeNode* Node) {
        return static_cast<const TNodeData*>(Node->Data())->bFound;
    }

    std::vector<std::unique_ptr<TNodeData>> records;
    TCustomTreeView view{nullptr};
    TNodeReuseIndex index;
};

TEST_F(NodeReuseIndex, SameCaptionsAreClaimedInTheirOrderAndOnlyOnce) {
    TTreeNode* parent = MakeParent({"a", "b", "a"});
    index.Build(parent, nullptr);
    ASSERT_TRUE(index.Covers(parent));

    TTreeNode* first = index.Claim("a");
    TTreeNode* second = index.Claim("a");
    EXPECT_EQ(first, parent->Item(0));
    EXPECT_EQ(second, parent->Item(2)) << "the second item of a caption takes the second child";
    EXPECT_EQ(index.Claim("a"), nullptr) << "no child is handed out twice";
    EXPECT_TRUE(Found(first));
    EXPECT_TRUE(Found(second));
    EXPECT_FALSE(Found(parent->Item(1))) << "only what is claimed is marked for the sweep";
    EXPECT_EQ(index.Claim("c"), nullptr);
}

TEST_F(NodeReuseIndex, ChildrenMarkedFoundOrExcludedAreNotHandedOut) {
    TTreeNode* parent = MakeParent({"a", "a", "bin"});
    static_cast<TNodeData*>(parent->Item(0)->Data())->bFound = true;
    index.Build(parent, [](const TTreeNode* child) { return child->Text() == "bin"; });

    EXPECT_EQ(index.Claim("a"), parent->Item(1)) << "a child claimed already is passed";
    EXPECT_EQ(index.Claim("bin"), nullptr) << "an excluded child is never reused";
}

TEST_F(NodeReuseIndex, AChildWithoutARecordIsHandedOutOnce) {
    TTreeNode* parent = MakeParent({"bare"});
    index.Build(parent, nullptr);
    EXPECT_EQ(index.Claim("bare"), parent->Item(0));
    EXPECT_EQ(index.Claim("bare"), nullptr);
}

TEST_F(NodeReuseIndex, ClearingOrRebuildingForgetsTheFormerParent) {
    TTreeNode* first = MakeParent({"a"});
    TTreeNode* second = MakeParent({"b"});
    EXPECT_FALSE(index.Covers(first)) << "an index not built covers nothing";
    EXPECT_FALSE(index.Covers(nullptr));

    index.Build(first, nullptr);
    index.Build(second, nullptr);
    EXPECT_FALSE(index.Covers(first));
    EXPECT_TRUE(index.Covers(second));
    EXPECT_EQ(index.Claim("a"), nullptr) << "the former parent's children are gone from it";

    index.Clear();
    EXPECT_FALSE(index.Covers(second));
    EXPECT_EQ(index.Claim("b"), nullptr);
}

} // namespace
