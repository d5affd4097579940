#pragma once

#include "combo/ItemEntry.h"
#include "controls/ComboBox.h"
#include "controls/ImageList.h"
#include "framework/About.h"
#include "framework/ViewLinks.h"

#include <memory>
#include <string>
#include <vector>

class TViewServices;

// A drop-down list of where the current folder lies in the shell namespace: the desktop, the
// folders on the desktop, the drives of My Computer and, below the drive that holds the current
// folder, the chain of folders down to it. Each entry is drawn with its icon, indented by its
// depth while the list is open. The current folder's entry is the selected one.
//
// Linked to a tree (or to a folder list alone), picking an entry moves the linked view; the tree
// and the list move the combo with SetCurrentPidl (framework/ViewLinks.h). The list is rebuilt
// completely on every change of the current folder and on every new link.
class TNameSpaceCombo : public TCustomComboBox, public INameSpaceComboLink {
public:
    // AOwner becomes the parent when it is a windowed control. Shell: where the combo asks the
    // shell (the platform's when nullptr); it must outlive the combo.
    explicit TNameSpaceCombo(TComponent* AOwner, TViewServices* Shell = nullptr);
    ~TNameSpaceCombo() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Published properties (Color, Font, OnEnter and OnExit come from the framework).
    TAbout About() const { return m_About; }
    void SetAbout(TAbout Value) { m_About = Value; }
    INameSpaceEnumeratorLink* NameSpaceEnumerator() const { return m_NameSpaceEnumerator.Get(); }
    IFolderEnumeratorLink* FolderEnumerator() const { return m_FolderEnumerator.Get(); }

    // The selected entry's list, a new copy each time; empty without a selection.
    OwnedPidl CurrentPidl() const { return GetCurrentPidl(); }
    OwnedPidl GetCurrentPidl() const;
    // The selected entry's file-system path; empty without a selection or for a virtual folder.
    std::string CurrentPath() const { return GetCurrentPath(); }
    std::string GetCurrentPath() const;
    // Makes the folder of that path current and refills. A path the desktop cannot parse, or
    // one too long for the platform, changes nothing.
    void SetCurrentPath(const std::string& szPath);
    // True while the list is open.
    bool DroppedState() const { return GetDroppedState(); }
    bool GetDroppedState() const;

    // INameSpaceComboLink. Pidl stays the caller's.
    void SetCurrentPidl(LPCITEMIDLIST Pidl) override;
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NSE) override;
    void SetFolderEnumerator(IFolderEnumeratorLink* FE) override;

    // Releases every entry (the item strings stay).
    void ClearItemList();
    // Appends an entry for the item string the caller has just added; Pidl and FQPidl stay the
    // caller's. Selects it when it is the current folder's.
    void AddItemEntry(IShellFolder* Folder, LPCITEMIDLIST Pidl, LPCITEMIDLIST FQPidl, int Level,
                      int ImageIndex, int SelImageIndex, const std::string& Caption);
    // Rebuilds the whole list.
    void FillCombo();

    int EntryCount() const { return static_cast<int>(m_ItemList.size()); }
    // The entry of item Index, or nullptr.
    const TItemEntry* Entry(int Index) const;
    TImageList* SmallImages() const { return m_ilSmall; }

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // A change while the list is closed (arrow keys on the closed box, a mouse pick reported
    // after the close) moves the linked view at once.
    void Change() override;
    void SelEndOk() override;
    void SelEndCancel() override;
    void CloseUp() override;

    // Draws the entry of Index: icon and caption, indented while the list is open.
    void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override;
    void CNDrawItem(TMessage& Message);

private:
    enum class TCloseReason { None, Accepted, Cancelled };

    // Moves the linked view to the selected entry.
    void Navigate();
    HWND ShellOwnerWindow();
    void FitItemHeight();
    // The selection rule: the entry is the current folder's.
    bool IsCurrentEntry(const TItemEntry& Entry);
    void FillDrives(IShellFolder* Desktop, LPCITEMIDLIST MyComputer);
    void FillChain(IShellFolder* MyComputer, LPCITEMIDLIST Drive, LPCITEMIDLIST DriveFQ);
    void SelectDeepestAncestor();
    // Appends the item string and the entry of an item of Folder, with its name and icons.
    void AddFolderEntry(IShellFolder* Folder, LPCITEMIDLIST Pidl, LPCITEMIDLIST FQPidl, int Level);
    void UnlinkPartners();
    // A new copy of the list from the shell allocator (none for none).
    static OwnedPidl CopyPidl(LPCITEMIDLIST Pidl);

    TImageList* m_ilSmall = nullptr;
    std::vector<std::unique_ptr<TItemEntry>> m_ItemList;
    OwnedPidl m_pCurrentPidl;
    std::string m_sCurrentPath;
    bool m_bEditDraw = false;
    TAbout m_About = taAbout;
    TPartnerLink<INameSpaceEnumeratorLink> m_NameSpaceEnumerator;
    TPartnerLink<IFolderEnumeratorLink> m_FolderEnumerator;

    TViewServices* m_Shell;
    // The item whose folder the linked views show: what a cancelled list returns to, and what
    // an accepted close need not navigate to again.
    int m_iNavigated = -1;
    TCloseReason m_CloseReason = TCloseReason::None;
    // Whether the fill selected an entry by the rule.
    bool m_bCurrentFound = false;
};
