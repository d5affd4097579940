#pragma once

// What the tree tests share: readers of a node's children (the stand-ins for the list and the
// combo are in support/ViewDoubles.h).

#include "support/FakeViewServices.h"
#include "support/ViewDoubles.h"

#include "controls/Component.h"
#include "framework/ViewLinks.h"

#include <string>
#include <vector>

class TTreeNode;

// The captions of a node's children, in order, and the child with a caption (nullptr if none).
std::vector<std::string> Captions(const TTreeNode* Node);
TTreeNode* Child(const TTreeNode* Node, const std::string& Caption);

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

    int Told = 0;
    INameSpaceEnumeratorLink* Tree = nullptr;
};
