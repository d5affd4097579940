#pragma once

// Stand-ins for the tree, the folder list and the combo box that record what the other views tell
// them.

#include "support/FakeShell.h"

#include "framework/ViewLinks.h"

class CountingMalloc;

#include <functional>
#include <string>
#include <vector>

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
    void SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) override { Combo = NameSpaceCombo; }
    LPCITEMIDLIST FolderPidl() const override { return nullptr; }

    std::vector<Call> Calls;
    INameSpaceEnumeratorLink* Tree = nullptr;
    INameSpaceComboLink* Combo = nullptr;
    // Run after each call is recorded, as the list's own filling would run.
    std::function<void()> OnFolderChanged;
};

class TComboDouble : public INameSpaceComboLink {
public:
    void SetCurrentPidl(LPCITEMIDLIST Pidl) override;
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NSE) override;
    void SetFolderEnumerator(IFolderEnumeratorLink*) override {}

    // Names of the pidls set, "" for nil; "<freed>" for a list no longer alive when it was lent.
    std::vector<std::string> Current;
    FakeShell* Shell = nullptr;
    INameSpaceEnumeratorLink* Tree = nullptr;
    // When set, every list lent is checked to be a live block of this allocator.
    const CountingMalloc* Allocator = nullptr;
};

class TTreeDouble : public INameSpaceEnumeratorLink {
public:
    void ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) override;
    void GotoParent() override {}
    void SetFolderEnumerator(IFolderEnumeratorLink*) override {}
    void SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) override { Combo = NameSpaceCombo; }

    // Names of the folders asked for.
    std::vector<std::string> Expanded;
    std::vector<TViewLink*> Senders;
    FakeShell* Shell = nullptr;
    INameSpaceComboLink* Combo = nullptr;
};
