// Refresh: the watcher's message, refreshes put off while an operation is under way, and the
// refill of every filled node.

#include "tree/NameSpaceEnumerator.h"

#include "shell/ShellRoutines.h"

using namespace EnumGlobals;

void TNameSpaceEnumerator::ChangeNotify(TMessage&) {
    if (m_bAutoRefresh)
        Refresh();
}

void TNameSpaceEnumerator::Refresh() {
    // Inside another operation of the tree (the watcher's message comes whenever the thread
    // handles messages, and a fill or a partner may let it), a refresh could delete the node that
    // operation is working on: it waits for the operation to end.
    if (m_iBusy > 0) {
        m_bRefreshPending = true;
        return;
    }
    m_bRefreshPending = false;
    if (TTreeNode* root = Items().GetFirstNode())
        RefreshSubTree(root);
}

void TNameSpaceEnumerator::DeferredRefresh(TMessage&) {
    if (m_bRefreshPending)
        Refresh();
}

// The refresh put off meanwhile runs after the outermost operation, from the window's queue: the
// operation may have been started by the control itself (an expansion), which goes on working on
// its item after the tree's handler returns.
TNameSpaceEnumerator::TBusy::~TBusy() {
    if (--m_Tree.m_iBusy > 0 || !m_Tree.m_bRefreshPending)
        return;
    if (m_Tree.HandleAllocated())
        PostMessageW(m_Tree.Handle(), WM_TREE_DEFERRED_REFRESH, 0, 0);
    else
        m_Tree.Refresh();
}

void TNameSpaceEnumerator::RefreshSubTree(TTreeNode* Node) {
    TNodeData* data = NodeData(Node);
    if (!data)
        return;
    const TBusy busy(*this);
    ComPtr<IShellFolder> folder;
    if (!data->pFQpidl)
        folder = data->sfFolder;
    else
        BindToFolder(data->pPidl.Get(), data->sfFolder.Get(), folder);
    if (folder)
        FillSubTree(Node, folder.Get());
    if (!Node->HasChildren())
        return;
    for (int i = 0; i < Node->Count(); ++i) {
        TTreeNode* child = Node->Item(i);
        const TNodeData* childData = NodeData(child);
        if (childData && childData->bExpandedOnce)
            RefreshSubTree(child);
    }
}
