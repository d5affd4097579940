#pragma once

// How the tree, the folder list and the combo box call one another. Each view implements the
// interface of its kind; a partner holds a plain, non-owning pointer to that interface. The sender
// of a call is passed as a TViewLink, and a receiver decides whom to tell next by the sender's kind
// (SenderIs<INameSpaceComboLink>(Sender), ...), so no call goes back to the view that made it.
// An identifier list passed across a link is lent for the call; a receiver that keeps it copies it.

#include <windows.h>
#include <shlobj.h>

class INameSpaceEnumeratorLink;
class IFolderEnumeratorLink;
class INameSpaceComboLink;

// Anything that can be the sender of a link call.
class TViewLink {
public:
    virtual ~TViewLink() = default;

protected:
    TViewLink() = default;
    TViewLink(const TViewLink&) = default;
    TViewLink& operator=(const TViewLink&) = default;
};

template <typename Kind> bool SenderIs(const TViewLink* Sender) {
    return dynamic_cast<const Kind*>(Sender) != nullptr;
}

// The namespace tree.
class INameSpaceEnumeratorLink : public virtual TViewLink {
public:
    // Opens the branches down to the folder of the fully qualified list and selects the deepest
    // node reached; tells the list when the sender is the combo, the combo when it is the list.
    virtual void ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) = 0;
    // Selects the parent of the selected node and tells the linked views.
    virtual void GotoParent() = 0;
    // Unlinks the old list, links the new one and shows the tree's folder in it.
    virtual void SetFolderEnumerator(IFolderEnumeratorLink* FolderEnumerator) = 0;
    // Stores the reference only.
    virtual void SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) = 0;
};

// The folder contents list.
class IFolderEnumeratorLink : public virtual TViewLink {
public:
    // Shows pFolder, whose fully qualified list is pParentpidl (nil for the desktop); tells the
    // combo when the sender is the tree and the tree when it is the combo, never the sender.
    virtual void FolderChanged(TViewLink* Sender, IShellFolder* pFolder, LPCITEMIDLIST pParentpidl,
                               bool bSorting) = 0;
    // Both store the reference only.
    virtual void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NameSpaceEnumerator) = 0;
    virtual void SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) = 0;
};

// The path combo box.
class INameSpaceComboLink : public virtual TViewLink {
public:
    // Makes the folder of the fully qualified list current (nil: the desktop) and refills.
    virtual void SetCurrentPidl(LPCITEMIDLIST Pidl) = 0;
    // Each drops both old links on both sides, stores the new one, tells it the combo, refills.
    virtual void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NSE) = 0;
    virtual void SetFolderEnumerator(IFolderEnumeratorLink* FE) = 0;
};
