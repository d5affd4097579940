// The tree's user commands: the shell's context menu, clicks, keys, delete and rename in place.

#include "tree/NameSpaceEnumerator.h"

#include "framework/ViewServices.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

#include <utility>

using namespace EnumGlobals;

namespace {

// The shell's own name of its delete command: the verb as its menus answer to it (Wine refuses
// "Delete").
constexpr char kDeleteVerb[] = "delete";

// The platform's simple beep.
constexpr UINT kSimpleBeep = 0xFFFFFFFF;

} // namespace

bool TNameSpaceEnumerator::NodeItem(const TTreeNode* Node, ComPtr<IShellFolder>& Folder,
                                    OwnedPidl& Item) {
    Folder.Reset();
    Item.Reset();
    const TNodeData* data = NodeData(Node);
    if (!data || !data->sfFolder || !data->pPidl)
        return false;
    const int count = GetPidlCount(data->pPidl.Get());
    if (count <= 1) {
        Folder = data->sfFolder;
        Item.Reset(ConcatPidls(nullptr, data->pPidl.Get(), g_ShellMalloc));
        return static_cast<bool>(Item);
    }
    OwnedPidl list(OwnedPidl::Adopt, ConcatPidls(nullptr, data->pPidl.Get(), g_ShellMalloc));
    if (!list)
        return false;
    const OwnedPidl parent(OwnedPidl::Adopt, GetParentpidl(list.Get(), g_ShellMalloc));
    BindToFolder(parent.Get(), data->sfFolder.Get(), Folder);
    if (!Folder)
        return false;
    Item.Reset(ConcatPidls(nullptr, GetPidlAtIndex(data->pPidl.Get(), count - 1), g_ShellMalloc));
    return static_cast<bool>(Item);
}

// ---------------------------------------------------------------------------------------------
// Mouse.

void TNameSpaceEnumerator::WMRButtonUp(TMessage& Message) {
    if (!m_bShellContextMenu) {
        Inherited(Message);
        return;
    }
    // A right click inside the menu of another one nests: each puts back its own selection.
    TTreeNode* const outer = m_MenuRestore;
    m_MenuRestore = Selected();
    const bool hadSelection = m_MenuRestore != nullptr;
    POINT screen{};
    GetCursorPos(&screen);
    TTreeNode* node = GetNodeAt(Message.XPos(), Message.YPos());
    SetSelected(node);
    if (node)
        ShowContextMenu(node, screen);
    // The node selected before may have been deleted while the menu was open.
    if (hadSelection && !m_MenuRestore)
        MessageBeep(kSimpleBeep);
    else
        SetSelected(m_MenuRestore);
    m_MenuRestore = outer;
}

// The node may be deleted while its menu is open or its command runs: what the menu needs of it
// is copied first.
void TNameSpaceEnumerator::ShowContextMenu(TTreeNode* Node, POINT Screen) {
    ComPtr<IShellFolder> folder;
    OwnedPidl item;
    if (!NodeItem(Node, folder, item))
        return;
    LPCITEMIDLIST items[] = {item.Get()};
    EnumGlobals::ShowContextMenu(Handle(), folder.Get(), items, 1, Screen);
}

void TNameSpaceEnumerator::WMLButtonUp(TMessage& Message) {
    const POINT where = Message.Pos();
    TTreeNode* node = GetNodeAt(where.x, where.y);
    if (!node) {
        Inherited(Message);
        return;
    }
    Inherited(Message);
    // The icon counts as part of the label.
    RECT label = node->DisplayRect(true);
    label.left -= m_ilSmall ? m_ilSmall->Width() : 0;
    if (!ContainsPoint(label, where))
        return;
    SetSelected(node);
    SelectionChange(this, node);
}

// ---------------------------------------------------------------------------------------------
// Keys.

void TNameSpaceEnumerator::WMKeyDown(TMessage& Message) {
    TTreeNode* selected = Selected();
    switch (Message.CharCode()) {
    case VK_UP:
    case VK_DOWN: {
        TTreeNode* next = !selected                     ? nullptr
                          : Message.CharCode() == VK_UP ? selected->GetPrev()
                                                        : selected->GetNext();
        if (!next) {
            Inherited(Message);
            return;
        }
        SetSelected(next);
        SelectionChange(this, next);
        return;
    }
    case VK_DELETE:
        DeleteSelected();
        return;
    case VK_F5:
        Refresh();
        Inherited(Message);
        return;
    case VK_F2:
        if (selected)
            selected->EditText();
        return;
    case VK_BACK:
        GotoParent();
        return;
    default:
        Inherited(Message);
    }
}

void TNameSpaceEnumerator::WMSysKeyDown(TMessage& Message) {
    if (!ContextMenuFromShiftF10(Message))
        Inherited(Message);
}

void TNameSpaceEnumerator::WMContextMenu(TMessage& Message) {
    // (-1, -1): asked for from the keyboard. A click's menu is the right button's.
    const bool fromKeyboard =
        Message.LParam == static_cast<LPARAM>(-1) || (Message.XPos() == -1 && Message.YPos() == -1);
    TTreeNode* node = Selected();
    if (!fromKeyboard || !m_bShellContextMenu || !node) {
        Inherited(Message);
        return;
    }
    node->MakeVisible();
    const RECT label = node->DisplayRect(true);
    ShowContextMenu(node, ClientToScreen({label.left, label.bottom}));
}

// The node is not removed here: it goes with the next refresh if the shell deleted its folder.
void TNameSpaceEnumerator::DeleteSelected() {
    TTreeNode* node = Selected();
    if (!node)
        return;
    // The shell's dialogs let the watcher's messages in; the nodes wait for the end.
    const TBusy busy(*this);
    TTreeNode* parent = node->Parent();
    SetSelected(parent);
    const TNodeData* data = NodeData(node);
    ComPtr<IShellFolder> folder;
    OwnedPidl item;
    if (!data || !data->pFQpidl || !NodeItem(node, folder, item) ||
        !GetAttributesOfItem(folder.Get(), item.Get(), SFGAO_CANDELETE))
        return;
    LPCITEMIDLIST items[] = {item.Get()};
    InvokeMenuVerb(OwnerWindow(), folder.Get(), items, 1, kDeleteVerb);
    SelectionChange(this, parent);
}

// ---------------------------------------------------------------------------------------------
// Rename in place.

void TNameSpaceEnumerator::Editing(TObject*, TTreeNode* Node, bool& AllowEdit) {
    const TNodeData* data = NodeData(Node);
    AllowEdit = m_bAllowRename && data && data->pFQpidl &&
                GetAttributesOfItem(data->sfFolder.Get(), data->pPidl.Get(), SFGAO_CANRENAME);
}

// The caption stays the item's name: the shell's name of the renamed item, or the old caption
// when the shell refuses. A change the rename causes on disk is answered by a refresh once the
// edit has ended and the node shows its new caption (which a refresh matches items by).
void TNameSpaceEnumerator::Edited(TObject*, TTreeNode* Node, std::string& S) {
    const std::string previous = Node ? Node->Text() : std::string();
    TNodeData* data = NodeData(Node);
    if (!data || !data->pFQpidl || S == previous || S.empty()) {
        S = previous;
        return;
    }
    OwnedPidl oldList(OwnedPidl::Adopt, ConcatPidls(nullptr, data->pFQpidl.Get(), g_ShellMalloc));
    const OwnedPidl parent(OwnedPidl::Adopt, GetParentpidl(oldList.Get(), g_ShellMalloc));
    // A name whose full path does not fit the platform is refused, never cut to another name
    // (the shell would shorten the destination without a word).
    std::wstring name;
    if (!WideNewName(m_Shell->GetPathFromIDList(parent.Get()), S, name)) {
        S = previous;
        MessageBeep(kSimpleBeep);
        return;
    }
    const TBusy busy(*this);
    const TCursor savedCursor = Cursor();
    SetCursor(crHourGlass);
    Items().BeginUpdate();

    ComPtr<IShellFolder> folder;
    OwnedPidl item;
    OwnedPidl renamed;
    if (!NodeItem(Node, folder, item) ||
        FAILED(folder->SetNameOf(OwnerWindow(), item.Get(), name.c_str(), SHGDN_NORMAL,
                                 renamed.Put())) ||
        !renamed) {
        S = previous;
    } else {
        OwnedPidl newList(OwnedPidl::Adopt,
                          ConcatPidls(parent.Get(), renamed.Get(), g_ShellMalloc));
        std::string caption;
        if (Node->Parent())
            GetNiceName(folder.Get(), renamed.Get(), SHGDN_NORMAL, caption);
        else
            caption = m_Shell->GetDisplayName(newList.Get());
        if (!caption.empty())
            S = caption;
        // The root holds its whole list relative to the desktop; a child, its own item.
        if (GetPidlCount(data->pPidl.Get()) > 1)
            data->pPidl.Reset(ConcatPidls(nullptr, newList.Get(), g_ShellMalloc));
        else
            data->pPidl = std::move(renamed);
        data->pFQpidl = std::move(newList);
        // A root named by its path is named by the new one: a form stored now finds it again.
        if (!Node->Parent() && m_RootedAt == raFileSystem) {
            const std::string path = m_Shell->GetPathFromIDList(data->pFQpidl.Get());
            if (!path.empty())
                m_sfRoot = path;
        }
        FollowRename(Node);
        TTreeNode* selected = Selected();
        if (selected && (selected == Node || selected->HasAsParent(Node)))
            SelectionChange(this, selected);
    }

    Items().EndUpdate();
    SetCursor(savedCursor);
}

// Lists and folders kept below the old name would send later commands and drops to a path that
// is gone (and a copy there would make it anew).
void TNameSpaceEnumerator::FollowRename(TTreeNode* Node) {
    const TNodeData* data = NodeData(Node);
    if (!data || !Node->GetFirstChild())
        return;
    ComPtr<IShellFolder> folder;
    BindToFolder(data->pPidl.Get(), data->sfFolder.Get(), folder);
    for (TTreeNode* child = Node->GetFirstChild(); child; child = child->GetNextSibling()) {
        TNodeData* childData = NodeData(child);
        if (!childData || !childData->pPidl)
            continue;
        childData->pFQpidl.Reset(
            ConcatPidls(data->pFQpidl.Get(), childData->pPidl.Get(), g_ShellMalloc));
        if (folder)
            childData->sfFolder = folder;
        FollowRename(child);
    }
}
