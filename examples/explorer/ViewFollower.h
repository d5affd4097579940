#pragma once

#include <windows.h>
#include <shlobj.h>

class TFolderEnumerator;
class TNameSpaceCombo;
class TNameSpaceEnumerator;

// Keeps the explorer's folder list and combo box on the folder selected in its tree.
//
// The tree tells its partners only of the moves the user makes with a click, Up, Down or Delete;
// every other change of its selection (Left, Right, Home, End, the page keys, typing, collapsing
// the selection's parent, a selected folder that vanished from the disk) only raises its
// OnSelectionChange. The window passes each of those events to SelectionChanged; once the
// thread's message queue is idle, list and combo are moved to the tree's selection, unless they
// already show it (a click has told them itself, and the list is not filled twice).
//
// Tree, list and combo are the window's components, linked to one another; the follower lives no
// longer than they do. Its timer belongs to Window.
class TViewFollower {
public:
    TViewFollower(TNameSpaceEnumerator& Tree, TFolderEnumerator& List, TNameSpaceCombo& Combo,
                  HWND Window);
    ~TViewFollower();
    TViewFollower(const TViewFollower&) = delete;
    TViewFollower& operator=(const TViewFollower&) = delete;

    // Called for every change of the tree's selection; many in a row lead to one move.
    void SelectionChanged();
    // Moves list and combo to the tree's selection now, when they show another folder.
    void Follow();
    // Whether a move is waiting for the queue to be idle.
    bool Pending() const { return m_bPending; }

    // Whether two fully qualified lists name one folder; null and the empty list both name the
    // desktop.
    static bool SameFolder(LPCITEMIDLIST FQPidl1, LPCITEMIDLIST FQPidl2);

private:
    // The timer's procedure: its id is the follower.
    static void CALLBACK TimerFired(HWND Window, UINT Message, UINT_PTR Id, DWORD Time);
    // A menu, a modal dialog or a mouse capture is running its own message loop: what is shown
    // now may be put back when it ends (a context menu's selection is), so the move waits.
    bool InNestedLoop() const;

    TNameSpaceEnumerator& m_Tree;
    TFolderEnumerator& m_List;
    TNameSpaceCombo& m_Combo;
    HWND m_hWindow;
    bool m_bPending = false;
};
