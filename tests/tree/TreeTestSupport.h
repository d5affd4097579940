#pragma once

// What the tree tests share: stand-ins for the folder list and the combo box that record what the
// tree tells them, and readers of a node's children.

#include "support/FakeViewServices.h"

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
