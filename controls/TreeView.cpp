#include "controls/TreeView.h"

#include "identifiers/WideText.h"

const TClassInfo& TCustomTreeView::StaticClassInfo() {
    using T = TCustomTreeView;
    static const TClassInfo info{
        .ClassName = "TCustomTreeView",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TCustomTreeView>,
        .Properties =
            {
                BooleanProperty("HideSelection", &T::HideSelection, &T::SetHideSelection, true),
                ComponentProperty("Images", "TImageList", &T::Images, &T::SetImages),
                IntegerProperty("Indent", &T::Indent, &T::SetIndent, 19),
                BooleanProperty("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false),
                BooleanProperty("ShowButtons", &T::ShowButtons, &T::SetShowButtons, true),
                BooleanProperty("ShowLines", &T::ShowLines, &T::SetShowLines, true),
                BooleanProperty("ShowRoot", &T::ShowRoot, &T::SetShowRoot, true),
                EnumProperty("SortType", "TSortType", &T::SortType, &T::SetSortType,
                             {"stNone", "stText"}, stNone),
            },
        .Messages = {MessageHandler<CN_NOTIFY, &T::CNNotify>()},
    };
    return info;
}

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clWindow);
    SetBorderStyle(bsSingle);
    SetTabStop(true);
}

void TCustomTreeView::ApplyColor() {
    if (!HandleAllocated())
        return;
    const HWND window = WindowHandle();
    SendMessageW(window, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(window, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font().Color())));
    Invalidate();
}

void TCustomTreeView::SetIndent(int Value) {
    m_iIndent = Value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TVM_SETINDENT, static_cast<WPARAM>(Value), 0);
}

TCustomTreeView::~TCustomTreeView() {
    DestroyHandle();
    SetImages(nullptr);
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = WC_TREEVIEWW;
    Params.Style |= WS_TABSTOP;
    if (m_bShowButtons)
        Params.Style |= TVS_HASBUTTONS;
    if (m_bShowLines)
        Params.Style |= TVS_HASLINES;
    if (m_bShowRoot)
        Params.Style |= TVS_LINESATROOT;
    if (!m_bReadOnly)
        Params.Style |= TVS_EDITLABELS;
    if (!m_bHideSelection)
        Params.Style |= TVS_SHOWSELALWAYS;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    if (m_Items.Updating())
        SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    ApplyImages();
    SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(m_iIndent), 0);
    for (auto& node : m_Items.m_Root.m_Children)
        m_Items.InsertIntoWindow(node.get(), true);
}

void TCustomTreeView::DestroyWnd() {
    for (auto& node : m_Items.m_Root.m_Children)
        m_Items.ForgetWindow(node.get());
    TWinControl::DestroyWnd();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == m_Images)
        SetImages(nullptr);
}

LRESULT TCustomTreeView::ItemMessage(UINT Msg, WPARAM WParam, LPARAM LParam) const {
    if (!HandleAllocated())
        return 0;
    return SendMessageW(WindowHandle(), Msg, WParam, LParam);
}

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM Item) const {
    if (!Item || !HandleAllocated())
        return nullptr;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = Item;
    if (!ItemMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<TTreeNode*>(item.lParam);
}

TTreeNode* TCustomTreeView::Selected() const {
    if (!HandleAllocated())
        return nullptr;
    HWND window = WindowHandle();
    return NodeFromItem(TreeView_GetSelection(window));
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
    if (!Handle())
        return;
    HTREEITEM item = Value && Value->m_Owner == &m_Items ? Value->m_hItem : nullptr;
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    if (item)
        SendMessageW(Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

TTreeNode* TCustomTreeView::DropTarget() const {
    if (!HandleAllocated())
        return nullptr;
    HWND window = WindowHandle();
    // Some controls remember the last drop item after its highlight was removed: the state
    // bit decides.
    HTREEITEM item = TreeView_GetDropHilight(window);
    if (!item || !(TreeView_GetItemState(window, item, TVIS_DROPHILITED) & TVIS_DROPHILITED))
        return nullptr;
    return NodeFromItem(item);
}

void TCustomTreeView::SetDropTarget(TTreeNode* Value) {
    if (!Handle())
        return;
    HTREEITEM item = Value && Value->m_Owner == &m_Items ? Value->m_hItem : nullptr;
    if (!item) {
        if (HTREEITEM previous = TreeView_GetDropHilight(Handle()))
            TreeView_SetItemState(Handle(), previous, 0, TVIS_DROPHILITED);
    }
    SendMessageW(Handle(), TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item));
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
    if (!HandleAllocated())
        return nullptr;
    TVHITTESTINFO hit{};
    hit.pt = {X, Y};
    SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (!(hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT)))
        return nullptr;
    return NodeFromItem(hit.hItem);
}

TTreeNode* TCustomTreeView::BeginDragNode(const TMessage& Message, POINT* DragPoint) const {
    const NMHDR* header = Message.Msg == CN_NOTIFY ? Message.NMHdr() : nullptr;
    if (!header)
        return nullptr;
    const auto code = static_cast<int>(header->code);
    if (code != static_cast<int>(TVN_BEGINDRAGW) && code != static_cast<int>(TVN_BEGINDRAGA))
        return nullptr;
    // Both forms carry the item handle and the point at the same places.
    const auto& info = *reinterpret_cast<const NMTREEVIEWW*>(header);
    if (DragPoint)
        *DragPoint = info.ptDrag;
    return NodeFromItem(info.itemNew.hItem);
}

bool TCustomTreeView::IsEditing() const {
    return HandleAllocated() && TreeView_GetEditControl(WindowHandle()) != nullptr;
}

void TCustomTreeView::SetImages(TImageList* Value) {
    if (Value == m_Images)
        return;
    ReferTo(m_Images, Value);
    ApplyImages();
}

void TCustomTreeView::ApplyImages() {
    if (!HandleAllocated())
        return;
    HIMAGELIST list = m_Images ? m_Images->Handle() : nullptr;
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

void TCustomTreeView::SetSortType(TSortType Value) {
    if (Value == m_SortType)
        return;
    m_SortType = Value;
    if (m_SortType == stText)
        CustomSort(nullptr, 0, true);
}

bool TCustomTreeView::CustomSort(TTVCompare SortProc, LPARAM Data, bool ARecurse) {
    return m_Items.m_Root.CustomSort(SortProc, Data, ARecurse);
}

// The window's styles are fixed when it is made: a change makes a new window.
void TCustomTreeView::SetStyleFlag(bool& Flag, bool Value) {
    if (Flag == Value)
        return;
    Flag = Value;
    RecreateWnd();
}

void TCustomTreeView::SetShowButtons(bool Value) {
    SetStyleFlag(m_bShowButtons, Value);
}
void TCustomTreeView::SetShowLines(bool Value) {
    SetStyleFlag(m_bShowLines, Value);
}
void TCustomTreeView::SetShowRoot(bool Value) {
    SetStyleFlag(m_bShowRoot, Value);
}
void TCustomTreeView::SetReadOnly(bool Value) {
    SetStyleFlag(m_bReadOnly, Value);
}
void TCustomTreeView::SetHideSelection(bool Value) {
    SetStyleFlag(m_bHideSelection, Value);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
    const NMHDR* header = Message.NMHdr();
    if (DestroyingHandle() || !header) {
        Inherited(Message);
        return;
    }
    const auto code = static_cast<int>(header->code);
    if (code == static_cast<int>(TVN_ITEMEXPANDINGW)) {
        ItemExpanding(Message, *Message.Notification<const NMTREEVIEWW>());
    } else if (code == static_cast<int>(TVN_SELCHANGEDW)) {
        const auto& info = *Message.Notification<const NMTREEVIEWW>();
        if (OnChange)
            OnChange(this, NodeFromItem(info.itemNew.hItem));
    } else if (code == static_cast<int>(TVN_GETDISPINFOW)) {
        GetDispInfo(*Message.Notification<NMTVDISPINFOW>());
    } else if (code == static_cast<int>(TVN_BEGINLABELEDITW)) {
        BeginLabelEdit(Message, *Message.Notification<const NMTVDISPINFOW>());
    } else if (code == static_cast<int>(TVN_ENDLABELEDITW)) {
        EndLabelEdit(Message, *Message.Notification<const NMTVDISPINFOW>());
    } else if (code == static_cast<int>(NM_CLICK) || code == static_cast<int>(NM_RCLICK)) {
        ClickNotified(code == static_cast<int>(NM_CLICK) ? WM_LBUTTONUP : WM_RBUTTONUP);
        Inherited(Message);
    } else {
        Inherited(Message);
    }
}

void TCustomTreeView::ItemExpanding(TMessage& Message, const NMTREEVIEWW& Info) {
    Message.Result = FALSE;
    if (m_bManualNotify)
        return;
    TTreeNode* node = NodeFromItem(Info.itemNew.hItem);
    if (!node)
        return;
    bool allow = true;
    if (Info.action & TVE_EXPAND) {
        if (OnExpanding)
            OnExpanding(this, node, allow);
    } else if (Info.action & TVE_COLLAPSE) {
        if (OnCollapsing)
            OnCollapsing(this, node, allow);
        if (allow)
            SelectOutOfBranch(node);
    }
    Message.Result = allow ? FALSE : TRUE;
}

// Wine's control moves the selection out of a branch being closed onto the node closed, but
// without TVN_SELCHANGED, so OnChange would never hear of it: the tree moves it first itself,
// through the control, which reports that move. Where the control reports its own move, it then
// has nothing left to move.
void TCustomTreeView::SelectOutOfBranch(TTreeNode* Node) {
    TTreeNode* selected = Selected();
    if (Node && selected && selected != Node && selected->HasAsParent(Node))
        SetSelected(Node);
}

// The control asks only for what a node left to be found when drawn: its images.
void TCustomTreeView::GetDispInfo(NMTVDISPINFOW& Info) {
    TVITEMW& item = Info.item;
    const auto* node = reinterpret_cast<const TTreeNode*>(item.lParam);
    if (!node || !(item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)))
        return;
    const int image = node->ImageIndex();
    const int selected = node->SelectedIndex();
    if (item.mask & TVIF_IMAGE)
        item.iImage = image < 0 ? I_IMAGENONE : image;
    if (item.mask & TVIF_SELECTEDIMAGE)
        item.iSelectedImage = selected < 0 ? I_IMAGENONE : selected;
    // Found once: the control keeps them and stops asking.
    item.mask |= TVIF_DI_SETITEM;
}

void TCustomTreeView::BeginLabelEdit(TMessage& Message, const NMTVDISPINFOW& Info) {
    TTreeNode* node = NodeFromItem(Info.item.hItem);
    bool allow = node != nullptr && !m_bReadOnly;
    if (allow && OnEditing)
        OnEditing(this, node, allow);
    Message.Result = allow ? FALSE : TRUE;
    m_bEditOpen = allow;
}

void TCustomTreeView::EndLabelEdit(TMessage& Message, const NMTVDISPINFOW& Info) {
    // The tree shows what the node holds: the text is set here, not taken by the control.
    Message.Result = FALSE;
    TTreeNode* node = NodeFromItem(Info.item.hItem);
    // One end is reported per edit: some controls end an edit a second time while they take
    // down its edit box.
    if (!m_bEditOpen)
        return;
    m_bEditOpen = false;
    if (!node || !Info.item.pszText)
        return;
    std::string text = WideToUtf8(Info.item.pszText);
    if (OnEdited)
        OnEdited(this, node, text);
    node->SetText(text);
}
