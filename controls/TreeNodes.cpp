#include "controls/TreeNodes.h"

#include "controls/TreeView.h"
#include "identifiers/WideText.h"

#include <algorithm>

TTreeNodes::TTreeNodes(TCustomTreeView* AOwner)
    : m_Owner(AOwner), m_Root(this, nullptr), m_Update(AOwner) {
    m_Root.m_hItem = TVI_ROOT;
}

TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::Item(int Index) const {
    if (Index < 0 || Index >= m_iCount)
        return nullptr;
    TTreeNode* node = GetFirstNode();
    for (int i = 0; node && i < Index; ++i)
        node = node->GetNext();
    return node;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
    TTreeNode* parent = Sibling ? Sibling->m_ParentNode : &m_Root;
    return AddChildObject(parent == &m_Root ? nullptr : parent, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr) {
    return AddChildObject(Parent, S, Ptr, TNodeLook{});
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr,
                                      const TNodeLook& Look) {
    TTreeNode* parent = Parent ? Parent : &m_Root;
    int position = parent->Count();
    if (m_Owner->SortType() == stText) {
        // Before the first sibling whose text sorts after S.
        const std::wstring wide = Utf8ToWide(S);
        const auto after = [&](const std::unique_ptr<TTreeNode>& node) {
            const std::wstring other = Utf8ToWide(node->Text());
            return CompareStringOrdinal(other.c_str(), static_cast<int>(other.size()), wide.c_str(),
                                        static_cast<int>(wide.size()), TRUE) == CSTR_GREATER_THAN;
        };
        const auto it = std::find_if(parent->m_Children.begin(), parent->m_Children.end(), after);
        position = static_cast<int>(it - parent->m_Children.begin());
    }
    TTreeNode* node = InsertAt(parent, position, S, Ptr, &Look);
    if (Parent && Parent != m_ButtonShown) {
        if (!Parent->HasChildren())
            Parent->SetHasChildren(true);
        m_ButtonShown = Parent;
    }
    return node;
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* Sibling, const std::string& S, void* Ptr) {
    if (!Sibling)
        return InsertAt(&m_Root, m_Root.Count(), S, Ptr);
    return InsertAt(Sibling->m_ParentNode, Sibling->m_iIndex, S, Ptr);
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* ParentNode, int Position, const std::string& S,
                                void* Ptr, const TNodeLook* Look) {
    auto owned = std::unique_ptr<TTreeNode>(new TTreeNode(this, ParentNode));
    TTreeNode* node = owned.get();
    node->m_sText = S;
    node->m_pData = Ptr;
    if (Look) {
        node->m_iImageIndex = Look->ImageIndex;
        node->m_iSelectedIndex = Look->SelectedIndex;
        node->m_iOverlayIndex = Look->OverlayIndex;
        node->m_bHasChildren = Look->HasChildren;
        node->m_bImagesOnDemand = Look->ImagesOnDemand;
    }
    ParentNode->m_Children.insert(ParentNode->m_Children.begin() + Position, std::move(owned));
    ParentNode->Renumber(Position);
    ++m_iCount;
    InsertIntoWindow(node, false);
    return node;
}

void TTreeNodes::InsertIntoWindow(TTreeNode* Node, bool WithChildren) {
    if (!m_Owner->HandleAllocated())
        return;
    TTreeNode* parent = Node->m_ParentNode;
    if (!parent->m_hItem)
        return;
    TTreeNode* previous = Node->GetPrevSibling();
    TTreeNode* next = Node->GetNextSibling();
    std::wstring text = Utf8ToWide(Node->m_sText);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent->m_hItem;
    // The siblings in the window are those before any not yet in it. After the last of them the
    // position is TVI_LAST: some tree controls look a given item up among all items, so naming
    // the previous sibling would make filling a large folder quadratic.
    if (previous && previous->m_hItem)
        insert.hInsertAfter = next && next->m_hItem ? previous->m_hItem : TVI_LAST;
    else
        insert.hInsertAfter = TVI_FIRST;
    TVITEMW& item = insert.item;
    item.mask =
        TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    item.pszText = text.data();
    item.lParam = reinterpret_cast<LPARAM>(Node);
    if (Node->m_bImagesOnDemand) {
        item.iImage = I_IMAGECALLBACK;
        item.iSelectedImage = I_IMAGECALLBACK;
    } else {
        item.iImage = Node->m_iImageIndex < 0 ? I_IMAGENONE : Node->m_iImageIndex;
        item.iSelectedImage = Node->m_iSelectedIndex < 0 ? I_IMAGENONE : Node->m_iSelectedIndex;
    }
    item.cChildren = Node->m_bHasChildren ? 1 : 0;
    item.stateMask = TVIS_OVERLAYMASK;
    item.state = Node->m_iOverlayIndex >= 0 ? INDEXTOOVERLAYMASK(Node->m_iOverlayIndex + 1) : 0;
    Node->m_hItem = reinterpret_cast<HTREEITEM>(
        m_Owner->ItemMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!WithChildren)
        return;
    for (auto& child : Node->m_Children)
        InsertIntoWindow(child.get(), true);
}

void TTreeNodes::RaiseDeletion(TTreeNode* Node) {
    for (int i = Node->Count() - 1; i >= 0; --i)
        RaiseDeletion(Node->m_Children[i].get());
    if (m_Owner->OnDeletion)
        m_Owner->OnDeletion(m_Owner, Node);
}

void TTreeNodes::ForgetWindow(TTreeNode* Node) {
    m_ButtonShown = nullptr;
    Node->m_hItem = nullptr;
    // The expand button is the window's: a new window shows it only for nodes with children.
    Node->m_bHasChildren = !Node->m_Children.empty();
    for (auto& child : Node->m_Children)
        ForgetWindow(child.get());
}

int TTreeNodes::SubtreeSize(const TTreeNode* Node) const {
    int size = 1;
    for (const auto& child : Node->m_Children)
        size += SubtreeSize(child.get());
    return size;
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node || Node == &m_Root || Node->m_Owner != this)
        return;
    RaiseDeletion(Node);
    // The control drops the button of a node that loses its last child.
    m_ButtonShown = nullptr;
    if (Node->m_hItem && m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->m_hItem));
    TTreeNode* parent = Node->m_ParentNode;
    const int index = Node->m_iIndex;
    m_iCount -= SubtreeSize(Node);
    parent->m_Children.erase(parent->m_Children.begin() + index);
    parent->Renumber(index);
}

void TTreeNodes::DeleteChildrenIf(TTreeNode* Parent,
                                  const std::function<bool(TTreeNode*)>& Vanished) {
    TTreeNode* parent = Parent ? Parent : &m_Root;
    if (parent->m_Owner != this || parent->m_Children.empty())
        return;
    auto& children = parent->m_Children;
    // Decided before anything is deleted: the deletion handlers may change what Vanished reads.
    std::vector<char> gone(children.size());
    bool any = false;
    for (size_t i = 0; i < children.size(); ++i)
        any |= (gone[i] = Vanished(children[i].get()) ? 1 : 0) != 0;
    if (!any)
        return;
    // The same events, in the same order, as deleting the nodes one at a time from the last.
    for (size_t i = children.size(); i-- > 0;)
        if (gone[i])
            RaiseDeletion(children[i].get());
    m_ButtonShown = nullptr;
    // Every node stays alive until the window has let go of all of them: the control may move
    // the selection, and report it, to a sibling that goes too.
    if (m_Owner->HandleAllocated())
        for (size_t i = children.size(); i-- > 0;)
            if (gone[i] && children[i]->m_hItem)
                SendMessageW(m_Owner->Handle(), TVM_DELETEITEM, 0,
                             reinterpret_cast<LPARAM>(children[i]->m_hItem));
    size_t kept = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        if (gone[i])
            m_iCount -= SubtreeSize(children[i].get());
        else
            children[kept++] = std::move(children[i]);
    }
    children.resize(kept);
    parent->Renumber(0);
}

void TTreeNodes::Clear() {
    if (m_Root.m_Children.empty())
        return;
    m_ButtonShown = nullptr;
    for (int i = m_Root.Count() - 1; i >= 0; --i)
        RaiseDeletion(m_Root.m_Children[i].get());
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_Root.m_Children.clear();
    m_iCount = 0;
}

void TTreeNodes::BeginUpdate() {
    m_Update.Begin();
}

void TTreeNodes::EndUpdate() {
    m_Update.End();
}
