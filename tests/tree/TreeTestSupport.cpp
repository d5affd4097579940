#include "TreeTestSupport.h"

#include "controls/TreeNode.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

void TListDouble::FolderChanged(TViewLink* Sender, IShellFolder* pFolder, LPCITEMIDLIST pParentpidl,
                                bool bSorting) {
    std::string path;
    if (pFolder) {
        // The folder's own parsing name: asked of its (empty) self list.
        ITEMIDLIST empty{};
        EnumGlobals::GetNiceName(pFolder, &empty, SHGDN_FORPARSING, path);
    }
    Calls.push_back({Sender, path, pParentpidl != nullptr, bSorting});
    if (OnFolderChanged)
        OnFolderChanged();
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
