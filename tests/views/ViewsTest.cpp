// The tree and the folder list together over a fake namespace: linked, told of each other's
// folders, and destroyed in either order.

#include "identifiers/EnumGlobals.h"
#include "list/FolderEnumerator.h"
#include "support/CountingMalloc.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TreeAndList : public testing::Test {
protected:
    void SetUp() override {
        shell = std::make_unique<FakeShell>(
            std::vector<FakeItem>{FakeFolder("Docs", {FakeFile("a.txt"), FakeFolder("Sub")}),
                                  FakeVirtualFolder("My Computer")},
            &malloc);
        services = std::make_unique<TFakeViewServices>(*shell);
    }
    std::unique_ptr<TNameSpaceEnumerator> NewTree() {
        auto tree = std::make_unique<TNameSpaceEnumerator>(nullptr, services.get());
        tree->SetParentWindow(host.Handle());
        tree->HandleNeeded();
        return tree;
    }
    std::unique_ptr<TFolderEnumerator> NewList() {
        auto list = std::make_unique<TFolderEnumerator>(nullptr, services.get());
        list->SetParentWindow(host.Handle());
        list->HandleNeeded();
        return list;
    }
    void TearDown() override { EXPECT_EQ(shell->LiveObjects(), 0); }

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    THostWindow host;
    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TFakeViewServices> services;
};

TEST_F(TreeAndList, TheListsFolderOpensTheTreeAndTheTreesSelectionFillsTheList) {
    auto tree = NewTree();
    auto list = NewList();
    tree->SetFolderEnumerator(list.get());
    list->SetFolder("Docs");
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "Docs");
    tree->SelectionChange(tree.get(), tree->Items().GetFirstNode());
    EXPECT_EQ(list->ViewPidl(), nullptr) << "the desktop is announced without a list";
    EXPECT_EQ(list->Items().Count(), 2);
    tree.reset();
    list.reset();
}

TEST_F(TreeAndList, EitherCanGoFirst) {
    {
        auto tree = NewTree();
        auto list = NewList();
        tree->SetFolderEnumerator(list.get());
        EXPECT_EQ(list->NameSpaceEnumerator(), tree.get());
        tree.reset();
        EXPECT_EQ(list->NameSpaceEnumerator(), nullptr);
    }
    {
        auto tree = NewTree();
        auto list = NewList();
        tree->SetFolderEnumerator(list.get());
        list.reset();
        EXPECT_EQ(tree->FolderEnumerator(), nullptr);
        tree->SelectionChange(tree.get(), tree->Items().GetFirstNode());
    }
}

} // namespace
