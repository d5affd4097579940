// Selection, navigation and the links to the folder list and the combo box.

#include "tree/NameSpaceEnumerator.h"

#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

using namespace EnumGlobals;

std::string TNameSpaceEnumerator::GetSelection() const {
    const TNodeData* data = NodeData(Selected());
    if (!data || !data->pFQpidl)
        return {};
    return m_Shell->GetPathFromIDList(data->pFQpidl.Get());
}

void TNameSpaceEnumerator::SelectionChange(TObject*, TTreeNode* Node) {
    TNodeData* data = NodeData(Node);
    if (!data)
        return;
    // The partners fill themselves, and the record is read again after the list was told.
    const TBusy busy(*this);
    const OwnedPidl desktop = m_Shell->GetSpecialFolderLocation(ShellOwnerWindow(), CSIDL_DESKTOP);
    if (m_Shell->Comparepidls(desktop.Get(), data->pPidl.Get()) == 0) {
        if (m_FolderEnumerator)
            m_FolderEnumerator->FolderChanged(this, data->sfFolder.Get(), nullptr, false);
        if (m_NameSpaceCombo)
            m_NameSpaceCombo->SetCurrentPidl(nullptr);
        return;
    }
    if (!data->pPidl)
        return;
    ComPtr<IShellFolder> folder;
    BindToFolder(data->pPidl.Get(), data->sfFolder.Get(), folder);
    if (!folder)
        return;
    const SFGAOF attributes = GetAttributesOfItem(data->sfFolder.Get(), data->pPidl.Get(),
                                                  SFGAO_FILESYSTEM | SFGAO_FOLDER);
    const bool sorting =
        (attributes & (SFGAO_FILESYSTEM | SFGAO_FOLDER)) == (SFGAO_FILESYSTEM | SFGAO_FOLDER);
    if (m_FolderEnumerator)
        m_FolderEnumerator->FolderChanged(this, folder.Get(), data->pFQpidl.Get(), sorting);
    if (m_NameSpaceCombo)
        m_NameSpaceCombo->SetCurrentPidl(data->pFQpidl.Get());
}

void TNameSpaceEnumerator::GotoFolder(const std::string& szFolder) {
    ComPtr<IShellFolder> desktop;
    if (!m_Shell->GetDesktopFolder(desktop))
        return;
    const OwnedPidl pidl = ParsePath(desktop.Get(), ShellOwnerWindow(), szFolder);
    if (!pidl)
        return;
    // The empty list is the desktop, a folder.
    if (GetPidlSize(pidl.Get()) <= static_cast<int>(sizeof(USHORT)) ||
        GetAttributesOfItem(desktop.Get(), pidl.Get(), SFGAO_FOLDER))
        ExpandToFolder(this, pidl.Get());
}

void TNameSpaceEnumerator::ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) {
    TTreeNode* node = Items().GetFirstNode();
    if (!node)
        return;
    const TBusy busy(*this);
    // A node open already is filled: asking the control to open it again only lays the tree
    // out again, which costs milliseconds for a node of many children.
    const auto open = [](TTreeNode* Node) {
        if (!Node->Expanded())
            Node->Expand(false);
    };
    open(node);
    LPCITEMIDLIST cursor = FQPidl;
    while (cursor && GetPidlSize(cursor) > 2) {
        const OwnedPidl item(OwnedPidl::Adopt, GetFirstPidl(cursor, g_ShellMalloc));
        if (!item)
            break;
        TTreeNode* child = LookForPidl(node, item.Get());
        if (!child)
            break;
        open(child);
        node = child;
    }
    SetSelected(node);
    if (m_FolderEnumerator && SenderIs<INameSpaceComboLink>(Sender))
        SelectionChange(this, node);
    // The list already shows its folder, which the tree may not reach (hidden, outside the
    // root): telling it the node would fill it a second time, or with another folder. The combo
    // names the list's folder, so that two of the three views always agree.
    if (m_NameSpaceCombo && SenderIs<IFolderEnumeratorLink>(Sender))
        m_NameSpaceCombo->SetCurrentPidl(FQPidl);
}

TTreeNode* TNameSpaceEnumerator::LookForPidl(TTreeNode* ParentNode, LPCITEMIDLIST Pidl) {
    if (!ParentNode || !ParentNode->HasChildren())
        return nullptr;
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling()) {
        const TNodeData* data = NodeData(child);
        if (data && ArePidlsSame(data->pPidl.Get(), Pidl))
            return child;
    }
    // A parsed list may differ in its bytes from the enumerated one for the same item (the shell
    // keeps times and sizes in it); the folder that enumerated the child decides then.
    for (TTreeNode* child = ParentNode->GetFirstChild(); child; child = child->GetNextSibling()) {
        const TNodeData* data = NodeData(child);
        if (!data || !data->sfFolder || !data->pPidl)
            continue;
        const HRESULT order = data->sfFolder->CompareIDs(0, data->pPidl.Get(), Pidl);
        if (SUCCEEDED(order) && HRESULT_CODE(order) == 0)
            return child;
    }
    return nullptr;
}

void TNameSpaceEnumerator::GotoParent() {
    TTreeNode* selected = Selected();
    TTreeNode* parent = selected ? selected->Parent() : nullptr;
    if (!parent)
        return;
    SetSelected(parent);
    if (m_FolderEnumerator || m_NameSpaceCombo)
        SelectionChange(this, parent);
}

void TNameSpaceEnumerator::SetFolderEnumerator(IFolderEnumeratorLink* FolderEnumerator) {
    if (m_FolderEnumerator)
        m_FolderEnumerator->SetNameSpaceEnumerator(nullptr);
    m_FolderEnumerator.Set(this, FolderEnumerator);
    // While loading there is no root yet; Loaded tells the list.
    if (!InState(csLoading))
        SelectionChange(this, Selected());
    if (m_FolderEnumerator)
        m_FolderEnumerator->SetNameSpaceEnumerator(this);
}

void TNameSpaceEnumerator::SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) {
    m_NameSpaceCombo.Set(this, NameSpaceCombo);
}
