#pragma once

#include "controls/Form.h"

#include <memory>
#include <string>

#include "ViewFollower.h"

class TFolderEnumerator;
class TNameSpaceCombo;
class TNameSpaceEnumerator;
class TStatusBar;

// The explorer's main window, read from the text form file Explorer.vfm (built into the program
// as a resource): the namespace combo across the top, the namespace tree on the left and the
// folder list beside it with a splitter between them, all three linked; a menu bar, and a status
// bar counting the list's rows. The title names the selected folder; list and combo follow every
// move of the tree's selection (TViewFollower).
class TExplorerWindow : public TForm {
public:
    explicit TExplorerWindow(TComponent* AOwner);
    ~TExplorerWindow() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The views the form file places; nullptr when it does not.
    TNameSpaceEnumerator* Tree() const;
    TFolderEnumerator* List() const;
    TNameSpaceCombo* Combo() const;
    TStatusBar* StatusBar() const;
    TViewFollower* Follower() const { return m_Follower.get(); }

    // The folder the list opens when the window has been read: set before reading, so the list
    // fills once, with it, instead of with the desktop first.
    void SetStartFolder(const std::string& Value) { m_sStartFolder = Value; }

    void Loaded() override;
    // Puts the list's counts on the status bar now (it is otherwise done once the queue is idle).
    void UpdateStatus();

    // Whether closing the window ends the application's message loop (the program's window does).
    void SetEndsApplication(bool Value) { m_bEndsApplication = Value; }

private:
    void TreeSelectionChange(TNameSpaceEnumerator* Sender);
    void ListSelectionChange(TFolderEnumerator* Sender);
    void ParentItemClick(TObject* Sender);
    void ExitItemClick(TObject* Sender);
    void ViewStyleItemClick(TObject* Sender);
    void HiddenItemClick(TObject* Sender);
    void RefreshItemClick(TObject* Sender);
    void WMInitMenuPopup(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMNotify(TMessage& Message);
    void WMDestroy(TMessage& Message);
    // The counts change in bursts (a fill, a selection dragged out): one update once it is over.
    void StatusChanged();

    std::unique_ptr<TViewFollower> m_Follower;
    std::string m_sStartFolder;
    bool m_bEndsApplication = false;
    bool m_bStatusPending = false;
};

// Makes the classes of the form file known to the form reader.
void RegisterExplorerClasses();
// Reads Window from the form file built into the program; false, with Error set, when it cannot.
bool ReadExplorerWindow(TExplorerWindow& Window, std::string& Error);
