#pragma once

// What the tree tests share: the tree over the fake namespace, readers of a node's children (the
// stand-ins for the list and the combo are in support/ViewDoubles.h).

#include "support/CountingMalloc.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/ViewDoubles.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <memory>

#include "components/Component.h"
#include "framework/ViewLinks.h"

#include <string>
#include <vector>

class TTreeNode;

// The captions of a node's children, in order, and the child with a caption (nullptr if none).
std::vector<std::string> Captions(const TTreeNode* Node);
TTreeNode* Child(const TTreeNode* Node, const std::string& Caption);

class TNameSpaceEnumerator;
// Places a tree watching the real disk in Host at Width x Height and waits until its watcher is
// set up (changes made before then would not be seen); false when the watch took too long.
bool PlaceWatchedTree(TNameSpaceEnumerator& Tree, HWND Host, int Width, int Height);

// A folder tree on the desktop, My Computer with a drive and the Control Panel, the Recycle Bin.
inline std::vector<FakeItem> StandardNamespace() {
    return {FakeFolder("Zeta", {FakeFolder("inner")}),
            FakeVirtualFolder("My Computer", {FakeFolder("Local Disk (C:)",
                                                         {FakeFolder("beta"),
                                                          FakeFolder("Alpha", {FakeFolder("deep")}),
                                                          FakeFile("f.txt"), FakeFolder("gamma"),
                                                          FakeFolder(".hidden").Hidden()}),
                                              FakeVirtualFolder("Control Panel")}),
            FakeVirtualFolder("Recycle Bin"), FakeFolder("Alpha")};
}

class FakeTree : public testing::Test {
protected:
    // Owner: a form the tree is placed on (it must outlive the tree), or none.
    void Make(std::vector<FakeItem> Items = StandardNamespace(), TComponent* Owner = nullptr) {
        shell = std::make_unique<FakeShell>(std::move(Items), &malloc);
        treeShell = std::make_unique<TFakeViewServices>(*shell);
        combo.Shell = shell.get();
        tree = std::make_unique<TNameSpaceEnumerator>(Owner, treeShell.get());
        tree->SetAutoRefresh(false);
        tree->SetParentWindow(host.Handle());
        tree->SetBounds(0, 0, 300, 300);
        tree->HandleNeeded();
    }
    void TearDown() override {
        tree.reset();
        if (shell) {
            EXPECT_EQ(shell->LiveObjects(), 0);
        }
    }
    TTreeNode* Root() const { return tree->Items().GetFirstNode(); }
    TNodeData* Data(const TTreeNode* Node) const { return TNameSpaceEnumerator::NodeData(Node); }
    TTreeNode* Drive() {
        TTreeNode* computer = Child(Root(), "My Computer");
        computer->Expand(false);
        return Child(computer, "Local Disk (C:)");
    }

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    THostWindow host;
    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TFakeViewServices> treeShell;
    TListDouble list;
    TComboDouble combo;
    std::unique_ptr<TNameSpaceEnumerator> tree;
};

// A folder list that is a component, as the real one is, and can be made by name from a form
// file; it counts what the tree tells it.
class TListComponent : public TComponent, public IFolderEnumeratorLink {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info{.ClassName = "TListComponent",
                                     .Parent = &TComponent::StaticClassInfo(),
                                     .Create = ConstructComponent<TListComponent>};
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void FolderChanged(TViewLink*, IShellFolder*, LPCITEMIDLIST, bool) override { ++Told; }
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NameSpaceEnumerator) override {
        Tree = NameSpaceEnumerator;
    }
    void SetNameSpaceCombo(INameSpaceComboLink*) override {}
    LPCITEMIDLIST FolderPidl() const override { return nullptr; }

    int Told = 0;
    INameSpaceEnumeratorLink* Tree = nullptr;
};
