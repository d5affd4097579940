#pragma once

#include "controls/ImageList.h"
#include "controls/TreeNodes.h"
#include "controls/WinControl.h"

#include <functional>
#include <string>

using TTVExpandingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
// S is the text typed; the node shows S as it is when the handler returns.
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVDeletionEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
// Gives the images of a node whose images are on demand (-1: none).
using TTVGetImagesEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, int& ImageIndex, int& SelectedIndex)>;

// A tree view over the common control WC_TREEVIEW.
class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    // Destroying the tree deletes its nodes without raising OnDeletion: a derived class whose
    // nodes carry data clears Items in its own destructor, while its handlers still exist.
    ~TCustomTreeView() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TTreeNodes& Items() { return m_Items; }
    const TTreeNodes& Items() const { return m_Items; }

    // The selected node; writing selects the node and scrolls it into view (nullptr: none).
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* Value);
    // The node with the drop highlight; writing moves the highlight (nullptr removes it).
    TTreeNode* DropTarget() const;
    void SetDropTarget(TTreeNode* Value);
    // The node on the row at a client position, or nullptr.
    TTreeNode* GetNodeAt(int X, int Y);
    bool IsEditing() const;
    // The node a begin-drag notification (TVN_BEGINDRAGW, or the ANSI form) names, with the
    // client position the drag started at; nullptr for any other message. The node is the one
    // pressed, not the one under the pointer when the notification arrives, which may already be
    // the next row.
    TTreeNode* BeginDragNode(const TMessage& Message, POINT* DragPoint = nullptr) const;

    // Not owned; the tree forgets it when it is destroyed.
    TImageList* Images() const { return m_Images; }
    void SetImages(TImageList* Value);
    // stText keeps the children that Add and AddChild make in the order of their texts.
    TSortType SortType() const { return m_SortType; }
    void SetSortType(TSortType Value);
    // Orders the top-level nodes (and, with ARecurse, all below) with SortProc.
    bool CustomSort(TTVCompare SortProc, LPARAM Data, bool ARecurse = true);

    bool ShowButtons() const { return m_bShowButtons; }
    void SetShowButtons(bool Value);
    bool ShowLines() const { return m_bShowLines; }
    void SetShowLines(bool Value);
    bool ShowRoot() const { return m_bShowRoot; }
    void SetShowRoot(bool Value);
    bool ReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool Value);
    bool HideSelection() const { return m_bHideSelection; }
    void SetHideSelection(bool Value);
    // Pixels each level of nodes is indented by.
    int Indent() const { return m_iIndent; }
    void SetIndent(int Value);

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TTVExpandingEvent OnExpanding;
    TTVCollapsingEvent OnCollapsing;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVChangedEvent OnChange;
    TTVDeletionEvent OnDeletion;
    // Raised once per node whose images are on demand, when they are first drawn or read.
    TTVGetImagesEvent OnGetImages;

protected:
    void ApplyColor() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

    // Raises the tree's events from the control's notifications.
    void CNNotify(TMessage& Message);

private:
    friend class TTreeNode;
    friend class TTreeNodes;

    TTreeNode* NodeFromItem(HTREEITEM Item) const;
    // Sends an item message (insert, get, set) to the control's window; 0 without a window.
    LRESULT ItemMessage(UINT Msg, WPARAM WParam, LPARAM LParam) const;
    void SetStyleFlag(bool& Flag, bool Value);
    void ApplyImages();
    void ItemExpanding(TMessage& Message, const NMTREEVIEWW& Info);
    // Before Node closes: a selection below it moves onto it, reported through OnChange.
    void SelectOutOfBranch(TTreeNode* Node);
    void BeginLabelEdit(TMessage& Message, const NMTVDISPINFOW& Info);
    void EndLabelEdit(TMessage& Message, const NMTVDISPINFOW& Info);
    void GetDispInfo(NMTVDISPINFOW& Info);

    TTreeNodes m_Items{this};
    TImageList* m_Images = nullptr;
    TSortType m_SortType = stNone;
    bool m_bShowButtons = true;
    bool m_bShowLines = true;
    bool m_bShowRoot = true;
    bool m_bReadOnly = false;
    bool m_bHideSelection = true;
    int m_iIndent = 19;
    // Set while the tree itself expands or collapses a node whose event it has raised already.
    bool m_bManualNotify = false;
    bool m_bEditOpen = false;
};
