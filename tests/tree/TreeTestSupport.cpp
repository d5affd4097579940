#include "TreeTestSupport.h"

#include "controls/TreeNode.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

bool TFakeTreeShell::GetDesktopFolder(ComPtr<IShellFolder>& Result) {
    Result = DesktopAvailable ? m_Shell.Root() : nullptr;
    return Result != nullptr;
}

OwnedPidl TFakeTreeShell::GetSpecialFolderLocation(HWND, int nFolder) {
    switch (nFolder) {
    case CSIDL_DESKTOP:
        return OwnedPidl(OwnedPidl::Adopt, EnumGlobals::CreatePidl(2, m_Shell.Allocator()),
                         m_Shell.Allocator());
    case CSIDL_DRIVES:
        return m_Shell.Pidl("My Computer");
    case CSIDL_BITBUCKET:
        return m_Shell.Pidl("Recycle Bin");
    case CSIDL_NETWORK:
        return m_Shell.Pidl("Network");
    default:
        return OwnedPidl(m_Shell.Allocator());
    }
}

int TFakeTreeShell::Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2) {
    if (!FQpidl1 || !FQpidl2)
        return 0;
    return EnumGlobals::ArePidlsSame(FQpidl1, FQpidl2) ? 0 : 1;
}

std::string TFakeTreeShell::GetDisplayName(LPCITEMIDLIST FQPidl) {
    return m_Shell.NameOf(FQPidl);
}

void TFakeTreeShell::GetSmallIcons(LPCITEMIDLIST FQPidl, int& Normal, int& Selected) {
    int depth = 0;
    for (LPCITEMIDLIST p = FQPidl; p && p->mkid.cb;
         p = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(p) + p->mkid.cb))
        ++depth;
    ++IconLookups;
    Normal = IconBase + depth;
    Selected = IconBase + 10 + depth;
}

std::string TFakeTreeShell::GetPathFromIDList(LPCITEMIDLIST FQPidl) {
    ComPtr<IShellFolder> root = m_Shell.Root();
    if (!EnumGlobals::HasAttribute(root.Get(), FQPidl, SFGAO_FILESYSTEM))
        return {};
    std::string path;
    EnumGlobals::GetNiceName(root.Get(), FQPidl, SHGDN_FORPARSING, path);
    return path;
}

void TListDouble::FolderChanged(TViewLink* Sender, IShellFolder* pFolder, LPCITEMIDLIST pParentpidl,
                                bool bSorting) {
    std::string path;
    if (pFolder) {
        // The folder's own parsing name: asked of its (empty) self list.
        ITEMIDLIST empty{};
        EnumGlobals::GetNiceName(pFolder, &empty, SHGDN_FORPARSING, path);
    }
    Calls.push_back({Sender, path, pParentpidl != nullptr, bSorting});
}

void TComboDouble::SetCurrentPidl(LPCITEMIDLIST Pidl) {
    Current.push_back(Pidl && Shell ? Shell->NameOf(Pidl) : std::string());
}

void TComboDouble::SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NSE) {
    INameSpaceEnumeratorLink* old = Tree;
    Tree = NSE;
    if (old && old != NSE)
        old->SetNameSpaceCombo(nullptr);
    if (NSE)
        NSE->SetNameSpaceCombo(this);
}

std::vector<std::string> Captions(const TTreeNode* Node) {
    std::vector<std::string> captions;
    for (TTreeNode* child = Node->GetFirstChild(); child; child = child->GetNextSibling())
        captions.push_back(child->Text());
    return captions;
}

TTreeNode* Child(const TTreeNode* Node, const std::string& Caption) {
    for (TTreeNode* child = Node ? Node->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling())
        if (child->Text() == Caption)
            return child;
    return nullptr;
}
