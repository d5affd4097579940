#pragma once

// What the tree tests share: the tree's shell answered from a fake namespace, and stand-ins for
// the folder list and the combo box that record what the tree tells them.

#include "support/FakeShell.h"
#include "tree/NameSpaceShell.h"

#include "framework/ViewLinks.h"

#include <string>
#include <vector>

// The fake's root is the desktop; special folders are found by name under it.
class TFakeTreeShell : public TNameSpaceShell {
public:
    explicit TFakeTreeShell(FakeShell& Shell) : m_Shell(Shell) {}

    bool GetDesktopFolder(ComPtr<IShellFolder>& Result) override;
    OwnedPidl GetSpecialFolderLocation(HWND Owner, int nFolder) override;
    int Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2) override;
    std::string GetDisplayName(LPCITEMIDLIST FQPidl) override;
    // Icons by depth: IconBase + items closed, IconBase + 10 + items open; counted.
    void GetSmallIcons(LPCITEMIDLIST FQPidl, int& Normal, int& Selected) override;
    bool IsPlainFolder(IShellFolder*, LPCITEMIDLIST, SFGAOF) override { return PlainFolders; }
    std::string GetPathFromIDList(LPCITEMIDLIST FQPidl) override;
    HIMAGELIST GetSmallSystemImageList() override { return nullptr; }
    // The fake's trees do not watch the disk.
    TChangeNotifyThread* StartChangeNotifyThread(HWND, UINT) override { return nullptr; }

    bool DesktopAvailable = true;
    bool PlainFolders = false;
    int IconBase = 10;
    int IconLookups = 0;

private:
    FakeShell& m_Shell;
};

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
