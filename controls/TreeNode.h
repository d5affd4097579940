#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class TCustomTreeView;
class TTreeNode;
class TTreeNodes;

// What a node shows from the moment it is added: a node added with its look needs no further
// window message for it (which counts when thousands of nodes are added at once).
struct TNodeLook {
    int ImageIndex = -1;
    int SelectedIndex = -1;
    int OverlayIndex = -1;
    bool HasChildren = false;
    // The images are found when first needed (drawn or read), through the tree's OnGetImages;
    // ImageIndex and SelectedIndex are then not used.
    bool ImagesOnDemand = false;
};

// Orders two nodes for a custom sort: negative puts Node1 first.
using TTVCompare = int (*)(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data);

// One node of a tree view. The node keeps its text, data, images and children itself, so they
// survive a re-creation of the tree's window; the window keeps the rest of its state
// (selection, expansion, drop highlight) and HasChildren, which after a re-creation tells only
// whether the node has child nodes.
class TTreeNode {
public:
    ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    TTreeNodes* Owner() const { return m_Owner; }
    TCustomTreeView* TreeView() const;
    HTREEITEM ItemId() const { return m_hItem; }

    const std::string& Text() const { return m_sText; }
    void SetText(const std::string& Value);
    // Untyped; never freed by the tree.
    void* Data() const { return m_pData; }
    void SetData(void* Value) { m_pData = Value; }
    // The expand button.
    bool HasChildren() const;
    void SetHasChildren(bool Value);
    // Images on demand are found here when read first; the node never answers a placeholder.
    int ImageIndex() const;
    void SetImageIndex(int Value);
    int SelectedIndex() const;
    void SetSelectedIndex(int Value);
    // Lets the tree's OnGetImages give both images when they are next needed (a window that
    // shows the node asks when it draws it); a node whose images are never drawn nor read never
    // has them looked up.
    void SetImagesOnDemand();
    bool ImagesOnDemand() const { return m_bImagesOnDemand; }
    // An overlay image of the tree's image list (0 is the first overlay), -1 for none.
    int OverlayIndex() const { return m_iOverlayIndex; }
    void SetOverlayIndex(int Value);

    bool Selected() const;
    void SetSelected(bool Value);
    bool Focused() const;
    // The drop highlight; one node at a time has it.
    bool DropTarget() const;
    void SetDropTarget(bool Value);
    bool Expanded() const;
    // When the node has children: raises OnExpanding and, if it allows, opens the node;
    // Recurse does the same for every node below, including those the events add.
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    void MakeVisible();
    // Starts editing the caption in place (OnEditing decides).
    bool EditText();

    // Navigation; nullptr past the ends.
    TTreeNode* Parent() const;
    TTreeNode* GetFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The child after / before Value.
    TTreeNode* GetNextChild(TTreeNode* Value) const;
    TTreeNode* GetPrevChild(TTreeNode* Value) const;
    // Depth first over all nodes, expanded or not.
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    bool HasAsParent(const TTreeNode* Value) const;

    int Count() const { return static_cast<int>(m_Children.size()); }
    TTreeNode* Item(int Index) const;
    // The position among its siblings.
    int Index() const { return m_iIndex; }
    int AbsoluteIndex() const;
    int Level() const;

    // The rectangle of the text alone (TextOnly) or of the whole row, in client coordinates;
    // empty while the node is not shown.
    RECT DisplayRect(bool TextOnly) const;

    // Orders the children with SortProc (nullptr: by text, ignoring case).
    bool CustomSort(TTVCompare SortProc, LPARAM Data, bool ARecurse = false);
    bool AlphaSort(bool ARecurse = false) { return CustomSort(nullptr, 0, ARecurse); }

    void Delete();
    void DeleteChildren();

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent);

    HWND Window() const;
    bool InWindow() const;
    void SetItem(UINT Mask, TVITEMW& Item);
    void Renumber(int From);
    void FindImages() const;

    TTreeNodes* m_Owner;
    TTreeNode* m_ParentNode; // the nodes' hidden root for top-level nodes
    std::vector<std::unique_ptr<TTreeNode>> m_Children;
    int m_iIndex = 0;
    HTREEITEM m_hItem = nullptr;
    std::string m_sText;
    void* m_pData = nullptr;
    // Mutable: reading images on demand finds them.
    mutable int m_iImageIndex = -1;
    mutable int m_iSelectedIndex = -1;
    int m_iOverlayIndex = -1;
    bool m_bHasChildren = false;
    mutable bool m_bImagesOnDemand = false;
};
