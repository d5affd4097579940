#pragma once

// What the tree tests share: stand-ins for the folder list and the combo box that record what the
// tree tells them, and readers of a node's children.

#include "support/FakeViewServices.h"

#include "controls/Component.h"
#include "framework/ViewLinks.h"

#include <functional>
#include <string>
#include <vector>

class TTreeNode;

// The captions of a node's children, in order, and the child with a caption (nullptr if none).
std::vector<std::string> Captions(const TTreeNode* Node);
TTreeNode* Child(const TTreeNode* Node, const std::string& Caption);

class TListDouble : public IFolderEnumeratorLink {
public:
    struct Call {
        TViewLink* Sender;
        std::string FolderPath; // what the folder calls itself when parsing
        bool HadPidl;
        bool bSorting;
    };
    void FolderChanged(TViewLink* Sender, IShellFolder* pFolder, LPCITEMIDLIST pParentpidl,
                       bool bSorting) override;
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NameSpaceEnumerator) override {
        Tree = NameSpaceEnumerator;
    }
    void SetNameSpaceCombo(INameSpaceComboLink*) override {}

    std::vector<Call> Calls;
    INameSpaceEnumeratorLink* Tree = nullptr;
    // Run after each call is recorded, as the list's own filling would run.
    std::function<void()> OnFolderChanged;
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

    int Told = 0;
    INameSpaceEnumeratorLink* Tree = nullptr;
};

class TComboDouble : public INameSpaceComboLink {
public:
    void SetCurrentPidl(LPCITEMIDLIST Pidl) override;
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NSE) override;
    void SetFolderEnumerator(IFolderEnumeratorLink*) override {}

    // Names of the pidls set, "" for nil.
    std::vector<std::string> Current;
    FakeShell* Shell = nullptr;
    INameSpaceEnumeratorLink* Tree = nullptr;
};
