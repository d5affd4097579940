#pragma once

#include "controls/Form.h"

#include <memory>
#include <string>

#include "ViewFollower.h"

class TFolderEnumerator;
class TNameSpaceCombo;
class TNameSpaceEnumerator;

// The explorer's main window, read from the text form file Explorer.vfm (built into the program
// as a resource): the namespace combo across the top, the namespace tree and the folder list
// below it, all three linked. The title shows the selected folder's path; the tree's pop-up menu
// goes up one level; list and combo follow every move of the tree's selection (TViewFollower).
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
    TViewFollower* Follower() const { return m_Follower.get(); }

    void Loaded() override;
    // The combo keeps its height across the top; below it the tree keeps its width and the list
    // takes the rest, both down to the bottom margin; all within the client area as it is now.
    void LayOutViews();

    // Whether closing the window ends the application's message loop (the program's window does).
    void SetEndsApplication(bool Value) { m_bEndsApplication = Value; }

private:
    void TreeSelectionChange(TNameSpaceEnumerator* Sender);
    void ParentItemClick(TObject* Sender);
    void WMSize(TMessage& Message);
    void WMShowWindow(TMessage& Message);
    void WMDestroy(TMessage& Message);

    std::unique_ptr<TViewFollower> m_Follower;
    bool m_bEndsApplication = false;
};

// Makes the classes of the form file known to the form reader.
void RegisterExplorerClasses();
// Reads Window from the form file built into the program; false, with Error set, when it cannot.
bool ReadExplorerWindow(TExplorerWindow& Window, std::string& Error);
