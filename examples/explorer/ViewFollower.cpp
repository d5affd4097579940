#include "ViewFollower.h"

#include "combo/NameSpaceCombo.h"
#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "list/FolderEnumerator.h"
#include "shell/ShellRoutines.h"
#include "tree/NameSpaceEnumerator.h"

using namespace EnumGlobals;

TViewFollower::TViewFollower(TNameSpaceEnumerator& Tree, TFolderEnumerator& List,
                             TNameSpaceCombo& Combo, HWND Window)
    : m_Tree(Tree), m_List(List), m_Combo(Combo), m_hWindow(Window) {}

TViewFollower::~TViewFollower() {
    if (m_bPending)
        KillTimer(m_hWindow, reinterpret_cast<UINT_PTR>(this));
}

// A timer, not a posted message: its message comes only when nothing else is queued, so a burst
// of changes (a key held down, a refresh that moves the selection twice) ends in one move, and
// while a nested loop makes the follower wait, it asks again without spinning.
void TViewFollower::SelectionChanged() {
    if (m_bPending)
        return;
    m_bPending = SetTimer(m_hWindow, reinterpret_cast<UINT_PTR>(this), 0, &TimerFired) != 0;
    if (!m_bPending)
        Follow();
}

void CALLBACK TViewFollower::TimerFired(HWND, UINT, UINT_PTR Id, DWORD) {
    auto* follower = reinterpret_cast<TViewFollower*>(Id);
    if (follower->InNestedLoop())
        return;
    KillTimer(follower->m_hWindow, Id);
    follower->m_bPending = false;
    follower->Follow();
}

bool TViewFollower::InNestedLoop() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) &&
        ((info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_INMOVESIZE)) || info.hwndCapture))
        return true;
    // A modal dialog (the shell's confirmations among them) disables the window it belongs to.
    HWND top = GetAncestor(m_hWindow, GA_ROOT);
    return top && !IsWindowEnabled(top);
}

void TViewFollower::Follow() {
    const TNodeData* data = TNameSpaceEnumerator::NodeData(m_Tree.Selected());
    if (!data)
        return;
    // The root of a tree rooted at the desktop has no full list: it is the desktop.
    LPCITEMIDLIST selected = data->pFQpidl.Get();
    if (!SameFolder(selected, m_List.ViewPidl())) {
        // The tree's own way of telling its partners: the list gets the bound folder and the
        // sorting flag, the combo the same list.
        m_Tree.SelectionChange(&m_Tree, m_Tree.Selected());
        return;
    }
    const OwnedPidl current = m_Combo.CurrentPidl();
    if (m_Combo.ItemIndex() < 0 || !SameFolder(selected, current.Get()))
        m_Combo.SetCurrentPidl(selected);
}

bool TViewFollower::SameFolder(LPCITEMIDLIST FQPidl1, LPCITEMIDLIST FQPidl2) {
    const bool desktop1 = !FQPidl1 || GetPidlSize(FQPidl1) <= static_cast<int>(sizeof(USHORT));
    const bool desktop2 = !FQPidl2 || GetPidlSize(FQPidl2) <= static_cast<int>(sizeof(USHORT));
    if (desktop1 || desktop2)
        return desktop1 == desktop2;
    // A parsed list and the enumerated one of a folder may differ in their bytes.
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return ArePidlsSame(FQPidl1, FQPidl2);
    return AreItemsSame(desktop.Get(), FQPidl1, FQPidl2);
}
