// The list's rename in place: whether an edit may start, the rename through the shown folder,
// and Rename for the application.
#include "list/FolderEnumerator.h"

#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

using namespace EnumGlobals;

namespace {

// The platform's simple beep.
constexpr UINT kSimpleBeep = 0xFFFFFFFF;

} // namespace

void TFolderEnumerator::Editing(TObject*, TListItem* Item, bool& AllowEdit) {
    const TItemData* data = ItemData(Item);
    AllowEdit = m_bAllowRename && data && data->sfFolder && data->pPidl &&
                HasAttribute(data->sfFolder.Get(), data->pPidl.Get(), SFGAO_CANRENAME);
}

void TFolderEnumerator::Edited(TObject*, TListItem* Item, std::string& S) {
    RenameRow(Item, S);
}

// A refresh held while the edit was open runs now, once.
void TFolderEnumerator::EditEnded() {
    PostDeferredRefresh();
}

bool TFolderEnumerator::Rename(const std::string& sName, const std::string& sNewName) {
    TListItem* row = FindCaption(0, sName, false, true, true);
    if (!row)
        return false;
    std::string text = sNewName;
    // The shell may answer success and keep the name (a change of letter case alone).
    if (!RenameRow(row, text) || text == sName)
        return false;
    Refresh();
    return true;
}

// The change the rename makes on disk reaches the list as the watcher's message, which waits
// for the rename (and the edit) to end and then refreshes once.
bool TFolderEnumerator::RenameRow(TListItem* Item, std::string& S) {
    const std::string previous = Item ? Item->Caption() : std::string();
    const TItemData* data = ItemData(Item);
    if (!data || !data->sfFolder || !data->pPidl || !data->pFQPidl || S.empty()) {
        S = previous;
        return false;
    }
    const ComPtr<IShellFolder> folder = data->sfFolder;
    const OwnedPidl item = CopyOfPidl(data->pPidl.Get());
    const OwnedPidl oldList = CopyOfPidl(data->pFQPidl.Get());
    // Shortened in place to the folder's list.
    OwnedPidl folderList = CopyOfPidl(oldList.Get());
    const OwnedPidl parent(OwnedPidl::Adopt, GetParentpidl(folderList.Get(), g_ShellMalloc));
    // A name whose full path does not fit the platform is refused, never cut to another name
    // (the shell would shorten the destination without a word).
    std::wstring name;
    if (!WideNewName(m_Shell->GetPathFromIDList(parent.Get()), S, name)) {
        S = previous;
        MessageBeep(kSimpleBeep);
        return false;
    }

    const TBusy busy(*this);
    const TCursor savedCursor = Cursor();
    SetCursor(crHourGlass);
    OwnedPidl renamed;
    const bool done = SUCCEEDED(folder->SetNameOf(OwnerWindow(), item.Get(), name.c_str(),
                                                  SHGDN_NORMAL, renamed.Put())) &&
                      renamed;
    SetCursor(savedCursor);
    if (!done) {
        S = previous;
        return false;
    }
    // The shell's name of the renamed item, which may differ from the text typed.
    std::string caption;
    if (GetNiceName(folder.Get(), renamed.Get(), SHGDN_NORMAL, caption) && !caption.empty())
        S = caption;
    // The shell's dialogs let messages in: the row is found again by its item.
    TListItem* row = FindRow(oldList.Get());
    if (TItemData* rowData = ItemData(row)) {
        rowData->pFQPidl.Reset(ConcatPidls(parent.Get(), renamed.Get(), g_ShellMalloc));
        rowData->pPidl = std::move(renamed);
        row->SetCaption(S);
        // Extension and type follow the name.
        row->SetPending(ipSubItems | ipImage);
        row->SetSelected(true);
        row->MakeVisible(false);
    }
    return true;
}
