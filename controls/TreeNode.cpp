#include "controls/TreeNode.h"

#include "controls/TreeNodes.h"
#include "controls/TreeView.h"
#include "identifiers/WideText.h"

#include <algorithm>
#include <cstring>

namespace {

// The item state bit of the focused node (the common controls' headers leave it out).
constexpr UINT kStateFocused = 0x0001;

int CompareNodeText(const TTreeNode* a, const TTreeNode* b) {
    const std::wstring x = Utf8ToWide(a->Text());
    const std::wstring y = Utf8ToWide(b->Text());
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                static_cast<int>(y.size()), TRUE) -
           CSTR_EQUAL;
}

// The window puts the children into the order the nodes already have.
int CALLBACK CompareByIndex(LPARAM Node1, LPARAM Node2, LPARAM) {
    return reinterpret_cast<TTreeNode*>(Node1)->Index() -
           reinterpret_cast<TTreeNode*>(Node2)->Index();
}

} // namespace

TTreeNode::TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent)
    : m_Owner(AOwner), m_ParentNode(AParent) {}

TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::TreeView() const {
    return m_Owner->Owner();
}

HWND TTreeNode::Window() const {
    TCustomTreeView* tree = TreeView();
    return tree->HandleAllocated() ? tree->Handle() : nullptr;
}

bool TTreeNode::InWindow() const {
    return m_hItem && Window();
}

void TTreeNode::SetItem(UINT Mask, TVITEMW& Item) {
    if (!InWindow())
        return;
    Item.mask = Mask | TVIF_HANDLE;
    Item.hItem = m_hItem;
    TreeView()->ItemMessage(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Item));
}

void TTreeNode::SetText(const std::string& Value) {
    m_sText = Value;
    std::wstring wide = Utf8ToWide(Value);
    TVITEMW item{};
    item.pszText = wide.data();
    SetItem(TVIF_TEXT, item);
}

bool TTreeNode::HasChildren() const {
    if (!InWindow())
        return m_bHasChildren;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_CHILDREN;
    item.hItem = m_hItem;
    TreeView()->ItemMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.cChildren != 0;
}

void TTreeNode::SetHasChildren(bool Value) {
    m_Owner->m_ButtonShown = nullptr;
    m_bHasChildren = Value;
    TVITEMW item{};
    item.cChildren = Value ? 1 : 0;
    SetItem(TVIF_CHILDREN, item);
}

void TTreeNode::FindImages() const {
    if (!m_bImagesOnDemand)
        return;
    m_bImagesOnDemand = false;
    m_iImageIndex = -1;
    m_iSelectedIndex = -1;
    TCustomTreeView* tree = TreeView();
    if (tree->OnGetImages)
        tree->OnGetImages(tree, const_cast<TTreeNode*>(this), m_iImageIndex, m_iSelectedIndex);
}

int TTreeNode::ImageIndex() const {
    FindImages();
    return m_iImageIndex;
}

int TTreeNode::SelectedIndex() const {
    FindImages();
    return m_iSelectedIndex;
}

void TTreeNode::SetImagesOnDemand() {
    m_bImagesOnDemand = true;
    TVITEMW item{};
    item.iImage = I_IMAGECALLBACK;
    item.iSelectedImage = I_IMAGECALLBACK;
    SetItem(TVIF_IMAGE | TVIF_SELECTEDIMAGE, item);
}

void TTreeNode::SetImageIndex(int Value) {
    // The other image is kept as it would have been found.
    FindImages();
    m_iImageIndex = Value;
    TVITEMW item{};
    item.iImage = Value < 0 ? I_IMAGENONE : Value;
    SetItem(TVIF_IMAGE, item);
}

void TTreeNode::SetSelectedIndex(int Value) {
    FindImages();
    m_iSelectedIndex = Value;
    TVITEMW item{};
    item.iSelectedImage = Value < 0 ? I_IMAGENONE : Value;
    SetItem(TVIF_SELECTEDIMAGE, item);
}

void TTreeNode::SetOverlayIndex(int Value) {
    m_iOverlayIndex = Value;
    TVITEMW item{};
    item.state = Value >= 0 ? INDEXTOOVERLAYMASK(Value + 1) : 0;
    item.stateMask = TVIS_OVERLAYMASK;
    SetItem(TVIF_STATE, item);
}

bool TTreeNode::Selected() const {
    return InWindow() && TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool Value) {
    TCustomTreeView* tree = TreeView();
    if (Value)
        tree->SetSelected(this);
    else if (Selected())
        tree->SetSelected(nullptr);
}

bool TTreeNode::Focused() const {
    return InWindow() && (TreeView_GetItemState(Window(), m_hItem, kStateFocused) & kStateFocused);
}

bool TTreeNode::DropTarget() const {
    return InWindow() && TreeView()->DropTarget() == this;
}

void TTreeNode::SetDropTarget(bool Value) {
    TCustomTreeView* tree = TreeView();
    if (Value)
        tree->SetDropTarget(this);
    else if (DropTarget())
        tree->SetDropTarget(nullptr);
}

bool TTreeNode::Expanded() const {
    return InWindow() &&
           (TreeView_GetItemState(Window(), m_hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::Expand(bool Recurse) {
    TCustomTreeView* tree = TreeView();
    if (HasChildren()) {
        bool allow = true;
        if (tree->OnExpanding)
            tree->OnExpanding(tree, this, allow);
        // The window's own notification for this expansion was answered by the event above.
        if (allow && tree->Handle() && m_hItem) {
            tree->m_bManualNotify = true;
            SendMessageW(tree->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_hItem));
            tree->m_bManualNotify = false;
        }
    }
    if (!Recurse)
        return;
    for (TTreeNode* node = GetFirstChild(); node && node->HasAsParent(this); node = node->GetNext())
        node->Expand(false);
}

void TTreeNode::Collapse(bool Recurse) {
    TCustomTreeView* tree = TreeView();
    if (HasChildren()) {
        bool allow = true;
        if (tree->OnCollapsing)
            tree->OnCollapsing(tree, this, allow);
        if (allow && InWindow()) {
            tree->SelectOutOfBranch(this);
            tree->m_bManualNotify = true;
            SendMessageW(Window(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(m_hItem));
            tree->m_bManualNotify = false;
        }
    }
    if (!Recurse)
        return;
    for (TTreeNode* node = GetFirstChild(); node && node->HasAsParent(this); node = node->GetNext())
        node->Collapse(false);
}

void TTreeNode::MakeVisible() {
    if (InWindow())
        SendMessageW(Window(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(m_hItem));
}

bool TTreeNode::EditText() {
    TCustomTreeView* tree = TreeView();
    if (!tree->Handle() || !m_hItem)
        return false;
    tree->SetFocus();
    return SendMessageW(tree->Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(m_hItem)) != 0;
}

TTreeNode* TTreeNode::Parent() const {
    return m_ParentNode && m_ParentNode->m_ParentNode ? m_ParentNode : nullptr;
}

TTreeNode* TTreeNode::GetFirstChild() const {
    return m_Children.empty() ? nullptr : m_Children.front().get();
}

TTreeNode* TTreeNode::GetLastChild() const {
    return m_Children.empty() ? nullptr : m_Children.back().get();
}

TTreeNode* TTreeNode::GetNextSibling() const {
    return m_ParentNode ? m_ParentNode->Item(m_iIndex + 1) : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    return m_ParentNode ? m_ParentNode->Item(m_iIndex - 1) : nullptr;
}

TTreeNode* TTreeNode::GetNextChild(TTreeNode* Value) const {
    return Value && Value->m_ParentNode == this ? Value->GetNextSibling() : nullptr;
}

TTreeNode* TTreeNode::GetPrevChild(TTreeNode* Value) const {
    return Value && Value->m_ParentNode == this ? Value->GetPrevSibling() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (TTreeNode* child = GetFirstChild())
        return child;
    for (const TTreeNode* node = this; node && node->m_ParentNode; node = node->m_ParentNode)
        if (TTreeNode* sibling = node->GetNextSibling())
            return sibling;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* node = GetPrevSibling();
    if (!node)
        return Parent();
    while (TTreeNode* last = node->GetLastChild())
        node = last;
    return node;
}

bool TTreeNode::HasAsParent(const TTreeNode* Value) const {
    for (const TTreeNode* node = Parent(); node; node = node->Parent())
        if (node == Value)
            return true;
    return false;
}

TTreeNode* TTreeNode::Item(int Index) const {
    return Index >= 0 && Index < Count() ? m_Children[Index].get() : nullptr;
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (const TTreeNode* node = GetPrev(); node; node = node->GetPrev())
        ++index;
    return index;
}

int TTreeNode::Level() const {
    int level = 0;
    for (const TTreeNode* node = Parent(); node; node = node->Parent())
        ++level;
    return level;
}

RECT TTreeNode::DisplayRect(bool TextOnly) const {
    RECT rect{};
    if (!InWindow())
        return rect;
    // The message takes the item in the rectangle's first bytes.
    std::memcpy(&rect, &m_hItem, sizeof(m_hItem));
    if (!SendMessageW(Window(), TVM_GETITEMRECT, TextOnly, reinterpret_cast<LPARAM>(&rect)))
        return RECT{};
    return rect;
}

bool TTreeNode::CustomSort(TTVCompare SortProc, LPARAM Data, bool ARecurse) {
    std::stable_sort(m_Children.begin(), m_Children.end(),
                     [&](const std::unique_ptr<TTreeNode>& a, const std::unique_ptr<TTreeNode>& b) {
                         return (SortProc ? SortProc(a.get(), b.get(), Data)
                                          : CompareNodeText(a.get(), b.get())) < 0;
                     });
    Renumber(0);
    if (Window() && (m_hItem || !m_ParentNode)) {
        TVSORTCB sort{m_ParentNode ? m_hItem : TVI_ROOT, CompareByIndex, 0};
        SendMessageW(Window(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    }
    if (ARecurse)
        for (auto& child : m_Children)
            child->CustomSort(SortProc, Data, true);
    return true;
}

void TTreeNode::Renumber(int From) {
    for (int i = std::max(From, 0); i < Count(); ++i)
        m_Children[i]->m_iIndex = i;
}

void TTreeNode::Delete() {
    m_Owner->Delete(this);
}

void TTreeNode::DeleteChildren() {
    while (TTreeNode* child = GetLastChild())
        m_Owner->Delete(child);
}
