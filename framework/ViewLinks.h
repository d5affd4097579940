#pragma once

// How the tree, the folder list and the combo box call one another. Each view implements the
// interface of its kind; a partner holds a plain, non-owning pointer to that interface. The sender
// of a call is passed as a TViewLink, and a receiver decides whom to tell next by the sender's kind
// (SenderIs<INameSpaceComboLink>(Sender), ...), so no call goes back to the view that made it.
// An identifier list passed across a link is lent for the call; a receiver that keeps it copies it.

#include "components/Component.h"

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

// A view's link to a partner: the partner's interface, and its component kept from the moment it
// is linked. The framework's removal notice comes from ~TComponent, when the partner's interface
// part is already destroyed and no cast can find the component from it any more; the notice is
// matched against the component kept here. Linking asks the partner's component for that notice.
template <typename Kind> class TPartnerLink {
public:
    Kind* Get() const { return m_Link; }
    Kind* operator->() const { return m_Link; }
    explicit operator bool() const { return m_Link != nullptr; }

    // Links Partner (nullptr unlinks). Self hears of the partner's removal. An earlier partner's
    // notice is not cancelled: the framework's registration runs both ways, so cancelling it could
    // cancel the partner's own; a notice for a partner no longer linked is simply not matched.
    void Set(TComponent* Self, Kind* Partner) {
        m_Link = Partner;
        m_Component = dynamic_cast<TComponent*>(Partner);
        if (m_Component)
            m_Component->FreeNotification(Self);
    }
    // Clears the link when Removed is the linked partner; true when it was.
    bool Forget(const TComponent* Removed) {
        if (!Removed || Removed != m_Component)
            return false;
        m_Link = nullptr;
        m_Component = nullptr;
        return true;
    }

private:
    Kind* m_Link = nullptr;
    TComponent* m_Component = nullptr;
};

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
    // The fully qualified list of the folder the list's Folder named, while the list still shows
    // it; nullptr once a partner moved the list, or when Folder names none. A tree that has just
    // been read from a form follows this folder instead of telling the list its own selection,
    // whichever of the two the form stored first.
    virtual LPCITEMIDLIST FolderPidl() const = 0;
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
