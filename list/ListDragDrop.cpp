// The list's drag and drop: rows dragged out as the shell's own data object; files dropped onto a
// folder row go into that folder, dropped onto the background into the shown folder.

#include "list/FolderEnumerator.h"

#include "dragdrop/DropRules.h"
#include "dragdrop/DropSource.h"
#include "dragdrop/FileDrop.h"
#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/StringList.h"
#include "shell/UIObject.h"

#include <utility>

using namespace EnumGlobals;

void TFolderEnumerator::ConnectDropTarget() {
    TvxDropTarget* target = m_OleDropTarget.Target();
    if (!target)
        return;
    target->SetWndHandle(Handle());
    target->SetOnOLEDragEnter(MethodEvent(this, &TFolderEnumerator::DragEnter));
    target->SetOnOLEDragOver(MethodEvent(this, &TFolderEnumerator::DragOver));
    target->SetOnOLEDragLeave(MethodEvent(this, &TFolderEnumerator::DragLeave));
    target->SetOnOLEDrop(MethodEvent(this, &TFolderEnumerator::Drop));
}

// The shell's dialogs belong to the window the list sits in.
// The shell copies the lists into the object: the rows may go as soon as it is made.
ComPtr<IDataObject> TFolderEnumerator::RowsDataObject(TListItem* Pressed) {
    ComPtr<IDataObject> dataObject;
    // The rows selected, or the row pressed alone when it is not one of them.
    std::vector<OwnedPidl> items;
    if (const TItemData* pressed = ItemData(Pressed); pressed && !Pressed->Selected()) {
        if (pressed->pPidl)
            items.push_back(CopyOfPidl(pressed->pPidl.Get()));
    } else {
        GetSelectedPidls(items);
    }
    std::vector<LPCITEMIDLIST> pidls;
    for (const OwnedPidl& item : items)
        if (item)
            pidls.push_back(item.Get());
    if (!m_sfView || pidls.empty())
        return dataObject;
    if (UIObjectOf(m_sfView.Get(), OwnerWindow(), static_cast<UINT>(pidls.size()), pidls.data(),
                   dataObject) != S_OK)
        dataObject.Reset();
    return dataObject;
}

// ---------------------------------------------------------------------------------------------
// Dragging out.

void TFolderEnumerator::CNNotify(TMessage& Message) {
    Inherited(Message);
    bool rightButton = false;
    TListItem* pressed = BeginDragItem(Message, &rightButton);
    if (!pressed)
        return;
    m_bDragging = true;
    StartDrag(pressed, rightButton ? MK_RBUTTON : MK_LBUTTON);
    m_bDragging = false;
    // Posted: the control is still inside its own handling of the press.
    if (std::exchange(m_bChangedWhileDragging, false) && HandleAllocated())
        PostMessageW(Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
}

void TFolderEnumerator::StartDrag(TListItem* Pressed, DWORD Button) {
    if (!m_bAllowOLEDrag)
        return;
    const ComPtr<IDataObject> dataObject = RowsDataObject(Pressed);
    if (!dataObject)
        return;
    const ComPtr<TvxDropSource> source = AdoptComPtr(new TvxDropSource(Button));
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(dataObject.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
               &effect);
}

// ---------------------------------------------------------------------------------------------
// Dropping in.

// Only folders of the file system take files: the shell's copy or move onto a file's path does
// nothing, while the cursor would have promised a drop. Links and streams (archives the shell
// shows as folders) have no folder on disk to put anything in.
std::string TFolderEnumerator::RowFolderPath(const TListItem* Item) {
    const TItemData* data = ItemData(Item);
    if (!data || !data->pFQPidl)
        return {};
    const SFGAOF attributes = data->EntryDetails.uAttrib;
    if (!(attributes & SFGAO_FOLDER) || !(attributes & SFGAO_FILESYSTEM) ||
        (attributes & (SFGAO_LINK | SFGAO_STREAM)))
        return {};
    return m_Shell->GetPathFromIDList(data->pFQPidl.Get());
}

std::string TFolderEnumerator::DropFolderAt(TvxDropTarget* Sender, POINT pt) {
    // A list on a form being designed shows a real folder: files dropped there would really be
    // moved or copied.
    if (!m_bAllowOLEDrop || InState(csDesigning)) {
        Sender->SetOperation(DROPEFFECT_NONE);
        return {};
    }
    const POINT client = ScreenToClient(pt);
    TListItem* row = GetItemAt(client.x, client.y);
    std::string path;
    if (row) {
        path = RowFolderPath(row);
        SetDropTarget(path.empty() ? nullptr : row);
    } else {
        SetDropTarget(nullptr);
        if (m_pViewPidl)
            path = m_Shell->GetPathFromIDList(m_pViewPidl.Get());
    }
    const std::string destination = path.empty() ? path : EnsureBackSlash(path);
    if (DropRules::RefusesDrop(destination, Sender->SourcePath(), m_DragSources,
                               Sender->Operation())) {
        Sender->SetOperation(DROPEFFECT_NONE);
        return {};
    }
    return destination;
}

void TFolderEnumerator::DragEnter(TvxDropTarget* Sender, int, POINT pt, int&) {
    m_DragSources.clear();
    TStringList files;
    if (Sender->GetSourceFiles(files))
        for (int i = 0; i < files.Count(); ++i)
            m_DragSources.push_back(files[i]);
    DropFolderAt(Sender, pt);
}

void TFolderEnumerator::DragOver(TvxDropTarget* Sender, int, POINT pt, int&) {
    DropFolderAt(Sender, pt);
}

void TFolderEnumerator::DragLeave(TvxDropTarget*) {
    m_DragSources.clear();
    if (m_bAllowOLEDrop)
        SetDropTarget(nullptr);
}

// Leaves in the drop target's Operation what was done. No row is held across the shell's file
// operation: its dialogs let the watcher's messages in, and a refresh replaces the rows.
void TFolderEnumerator::Drop(TvxDropTarget* Sender, int, POINT pt, int&) {
    const int operation = Sender->Operation();
    const std::string destination = DropFolderAt(Sender, pt);
    SetDropTarget(nullptr);
    m_DragSources.clear();
    Sender->SetOperation(DROPEFFECT_NONE);
    TStringList files;
    if (operation != DROPEFFECT_NONE && !destination.empty() && Sender->GetSourceFiles(files))
        Sender->SetOperation(FileDrop::DropFiles(OwnerWindow(), operation, files, destination,
                                                 Sender->SourcePath()));
}
