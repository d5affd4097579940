// The tree's links to a folder list and a combo box that are components, as the views are: a
// partner that goes away, by its owner or on its own, in either order, is never called again.

#include "TreeTestSupport.h"

#include "support/CountingMalloc.h"
#include "support/HostWindow.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Neither partner tells the tree when it is destroyed: the tree has to learn it from the
// framework (TListComponent is in TreeTestSupport.h).
class TComboComponent : public TComponent, public INameSpaceComboLink {
public:
    using TComponent::TComponent;
    void SetCurrentPidl(LPCITEMIDLIST) override { ++Told; }
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NSE) override {
        INameSpaceEnumeratorLink* old = std::exchange(Tree, NSE);
        if (old && old != NSE)
            old->SetNameSpaceCombo(nullptr);
        if (NSE)
            NSE->SetNameSpaceCombo(this);
    }
    void SetFolderEnumerator(IFolderEnumeratorLink*) override {}

    int Told = 0;
    INameSpaceEnumeratorLink* Tree = nullptr;
};

class PartnerLinks : public testing::Test {
protected:
    // The tree belongs to treeOwner; list and combo to their own owners, or to the tree's.
    void Make(bool SharedOwner) {
        tree = new TNameSpaceEnumerator(treeOwner.get(), &treeShell);
        tree->SetAutoRefresh(false);
        tree->SetParentWindow(host.Handle());
        tree->SetBounds(0, 0, 200, 200);
        tree->HandleNeeded();
        list = new TListComponent(SharedOwner ? treeOwner.get() : partnerOwner.get());
        combo = new TComboComponent(SharedOwner ? treeOwner.get() : partnerOwner.get());
        tree->SetFolderEnumerator(list);
        combo->SetNameSpaceEnumerator(tree);
        ASSERT_EQ(tree->FolderEnumerator(), list);
        ASSERT_EQ(tree->NameSpaceCombo(), combo);
    }
    // What the tree does with both links: tell them the selected folder.
    void TellPartners() {
        tree->GotoFolder("Zeta");
        tree->GotoParent();
    }

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    THostWindow host;
    FakeShell shell{{FakeFolder("Zeta")}, &malloc};
    TFakeViewServices treeShell{shell};
    std::unique_ptr<TComponent> treeOwner = std::make_unique<TComponent>(nullptr);
    std::unique_ptr<TComponent> partnerOwner = std::make_unique<TComponent>(nullptr);
    TNameSpaceEnumerator* tree = nullptr;
    TListComponent* list = nullptr;
    TComboComponent* combo = nullptr;
};

TEST_F(PartnerLinks, PartnersDestroyedByTheirOwnerFirstAreForgotten) {
    Make(false);
    partnerOwner.reset();
    EXPECT_EQ(tree->FolderEnumerator(), nullptr) << "the list's removal was missed";
    EXPECT_EQ(tree->NameSpaceCombo(), nullptr) << "the combo's removal was missed";
    TellPartners();
    treeOwner.reset(); // tells nobody
    EXPECT_EQ(malloc.LiveBlocks(), 0);
}

TEST_F(PartnerLinks, PartnersDestroyedOneByOneWithTheTreesOwnerAreForgotten) {
    Make(true);
    delete combo;
    EXPECT_EQ(tree->NameSpaceCombo(), nullptr);
    EXPECT_EQ(tree->FolderEnumerator(), list);
    TellPartners();
    EXPECT_GT(list->Told, 0);
    delete list;
    EXPECT_EQ(tree->FolderEnumerator(), nullptr);
    TellPartners();
    treeOwner.reset();
}

TEST_F(PartnerLinks, ATreeDestroyedFirstUnlinksBothPartners) {
    Make(false);
    delete tree;
    EXPECT_EQ(list->Tree, nullptr);
    EXPECT_EQ(combo->Tree, nullptr);
    partnerOwner.reset();

    // The same with one owner for all.
    Make(true);
    delete tree;
    EXPECT_EQ(list->Tree, nullptr);
    EXPECT_EQ(combo->Tree, nullptr);
    treeOwner.reset();
    EXPECT_EQ(malloc.LiveBlocks(), 0);
}

TEST_F(PartnerLinks, AnEarlierPartnerGoingAwayLeavesTheCurrentLinked) {
    Make(false);
    auto* other = new TListComponent(partnerOwner.get());
    tree->SetFolderEnumerator(other);
    EXPECT_EQ(list->Tree, nullptr);
    delete list;
    EXPECT_EQ(tree->FolderEnumerator(), other);
    const int told = other->Told;
    TellPartners();
    EXPECT_GT(other->Told, told);
    partnerOwner.reset();
    EXPECT_EQ(tree->FolderEnumerator(), nullptr);
}

} // namespace
