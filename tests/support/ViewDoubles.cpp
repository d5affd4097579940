#include "support/ViewDoubles.h"

#include "support/CountingMalloc.h"

#include "identifiers/EnumGlobals.h"
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
    if (Pidl && Allocator && !Allocator->Owns(Pidl)) {
        Current.push_back("<freed>");
        return;
    }
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

void TTreeDouble::ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) {
    Senders.push_back(Sender);
    Expanded.push_back(FQPidl && Shell ? Shell->NameOf(FQPidl) : std::string());
}
