#pragma once

#include "controls/UpdateCounter.h"

#include "controls/TreeNode.h"

#include <functional>
#include <string>

// The nodes of a tree view. Nodes may be added before the window exists and outlive its
// re-creation; operations that need the window's state use it when it exists.
class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* AOwner);
    ~TTreeNodes();
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;

    TCustomTreeView* Owner() const { return m_Owner; }
    // Every node, at any depth.
    int Count() const { return m_iCount; }
    // The node at that position in depth-first order (walks from the first node).
    TTreeNode* Item(int Index) const;
    TTreeNode* operator[](int Index) const { return Item(Index); }
    TTreeNode* GetFirstNode() const { return m_Root.GetFirstChild(); }

    // A node after the last sibling of Sibling (a top-level node when Sibling is nullptr).
    TTreeNode* Add(TTreeNode* Sibling, const std::string& S) {
        return AddObject(Sibling, S, nullptr);
    }
    TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
    // The last child of Parent (a top-level node when Parent is nullptr); Parent gets its
    // expand button.
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S) {
        return AddChildObject(Parent, S, nullptr);
    }
    TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
    // The same, the node showing Look from the start.
    TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr,
                              const TNodeLook& Look);
    // A node just before Sibling (after the last top-level node when Sibling is nullptr).
    TTreeNode* Insert(TTreeNode* Sibling, const std::string& S) {
        return InsertObject(Sibling, S, nullptr);
    }
    TTreeNode* InsertObject(TTreeNode* Sibling, const std::string& S, void* Ptr);

    // Removes the node with everything below it; OnDeletion is raised for each of them,
    // children before their parent.
    void Delete(TTreeNode* Node);
    // Removes the children of Parent (the top-level nodes when nullptr) for which Vanished is
    // true, as Delete would one at a time from the last, but in one pass over the siblings:
    // deleting many of many children costs in proportion to their number.
    void DeleteChildrenIf(TTreeNode* Parent, const std::function<bool(TTreeNode*)>& Vanished);
    void Clear();

    // Bulk updates: the window stops redrawing until the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_Update.Active(); }

private:
    friend class TTreeNode;
    friend class TCustomTreeView;

    TTreeNode* InsertAt(TTreeNode* ParentNode, int Position, const std::string& S, void* Ptr,
                        const TNodeLook* Look = nullptr);
    void InsertIntoWindow(TTreeNode* Node, bool WithChildren);
    void RaiseDeletion(TTreeNode* Node);
    void ForgetWindow(TTreeNode* Node);
    int SubtreeSize(const TTreeNode* Node) const;

    TCustomTreeView* m_Owner;
    TTreeNode m_Root;
    int m_iCount = 0;
    TUpdateCounter m_Update;
    // The node whose expand button the last AddChildObject found or put there, while nothing
    // that may take it away has happened since: adding many children asks the window once.
    TTreeNode* m_ButtonShown = nullptr;
};
