// The tree's drag and drop: folders dragged out as the shell's own data object, files dropped
// onto a folder node copied, moved or linked there.

#include "tree/NameSpaceEnumerator.h"

#include "dragdrop/DropRules.h"
#include "dragdrop/DropSource.h"
#include "dragdrop/FileDrop.h"
#include "framework/ViewServices.h"
#include "identifiers/StringList.h"
#include "shell/ShellRoutines.h"
#include "shell/UIObject.h"

using namespace EnumGlobals;

void TNameSpaceEnumerator::ConnectDropTarget() {
    TvxDropTarget* target = m_OleDropTarget.Target();
    if (!target)
        return;
    target->SetOnOLEDragEnter(MethodEvent(this, &TNameSpaceEnumerator::DragEnter));
    target->SetOnOLEDragOver(MethodEvent(this, &TNameSpaceEnumerator::DragOver));
    target->SetOnOLEDragLeave(MethodEvent(this, &TNameSpaceEnumerator::DragLeave));
    target->SetOnOLEDrop(MethodEvent(this, &TNameSpaceEnumerator::Drop));
}

std::string TNameSpaceEnumerator::NodePath(const TTreeNode* Node) {
    const TNodeData* data = NodeData(Node);
    if (!data || !data->pFQpidl)
        return {};
    return m_Shell->GetPathFromIDList(data->pFQpidl.Get());
}

// ---------------------------------------------------------------------------------------------
// Dragging out.

void TNameSpaceEnumerator::CNNotify(TMessage& Message) {
    Inherited(Message);
    POINT start{};
    if (TTreeNode* node = BeginDragNode(Message, &start))
        StartDrag(node, start);
}

// A refresh inside the drag loop could delete the node the control is dragging: refreshes wait
// until the drag has ended.
void TNameSpaceEnumerator::StartDrag(TTreeNode* Node, POINT DragPoint) {
    const TBusy busy(*this);
    if (ContainsPoint(Node->DisplayRect(true), DragPoint)) {
        SetSelected(Node);
        SelectionChange(this, Node);
    }
    const TNodeData* data = NodeData(Node);
    // The desktop root is no object to move or copy anywhere.
    if (!m_bAllowOLEDrag || !data || !data->pFQpidl)
        return;
    ComPtr<IShellFolder> folder;
    OwnedPidl item;
    if (!NodeItem(Node, folder, item))
        return;
    LPCITEMIDLIST items[] = {item.Get()};
    ComPtr<IDataObject> dataObject;
    if (UIObjectOf(folder.Get(), OwnerWindow(), 1, items, dataObject) != S_OK || !dataObject)
        return;
    const ComPtr<TvxDropSource> source = AdoptComPtr(new TvxDropSource);
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(dataObject.Get(), source.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
               &effect);
}

// ---------------------------------------------------------------------------------------------
// Dropping in.

TTreeNode* TNameSpaceEnumerator::DropNodeAt(TvxDropTarget* Sender, POINT pt,
                                            std::string& Destination) {
    Destination.clear();
    const POINT client = ScreenToClient(pt);
    // A tree on a form being designed shows folders of the real disk: files dropped there would
    // really be moved or copied.
    const bool accepting = m_bAllowOLEDrop && !InState(csDesigning);
    TTreeNode* node = accepting ? GetNodeAt(client.x, client.y) : nullptr;
    if (!node) {
        Sender->SetOperation(DROPEFFECT_NONE);
        return nullptr;
    }
    if (DropTarget() != node)
        SetDropTarget(node);
    const std::string path = NodePath(node);
    if (!path.empty())
        Destination = EnsureBackSlash(path);
    if (DropRules::RefusesDrop(Destination, Sender->SourcePath(), m_DragSources,
                               Sender->Operation()))
        Sender->SetOperation(DROPEFFECT_NONE);
    return node;
}

void TNameSpaceEnumerator::DragEnter(TvxDropTarget* Sender, int, POINT pt, int&) {
    m_DragSources.clear();
    TStringList files;
    if (Sender->GetSourceFiles(files))
        for (int i = 0; i < files.Count(); ++i)
            m_DragSources.push_back(files[i]);
    std::string destination;
    DropNodeAt(Sender, pt, destination);
}

void TNameSpaceEnumerator::DragOver(TvxDropTarget* Sender, int, POINT pt, int&) {
    std::string destination;
    DropNodeAt(Sender, pt, destination);
}

void TNameSpaceEnumerator::DragLeave(TvxDropTarget*) {
    m_DragSources.clear();
    if (m_bAllowOLEDrop && DropTarget())
        SetDropTarget(nullptr);
}

// Leaves in the drop target's Operation what was done. The highlight goes with every drop, also
// a refused one: nothing else would take it away.
void TNameSpaceEnumerator::Drop(TvxDropTarget* Sender, int, POINT, int&) {
    // The shell's dialogs let the watcher's messages in; the nodes wait for the end.
    const TBusy busy(*this);
    const int operation = Sender->Operation();
    Sender->SetOperation(DROPEFFECT_NONE);
    TTreeNode* node = InState(csDesigning) ? nullptr : DropTarget();
    const std::string path = node ? NodePath(node) : std::string();
    TStringList files;
    if (!path.empty() && Sender->GetSourceFiles(files))
        Sender->SetOperation(FileDrop::DropFiles(OwnerWindow(), operation, files,
                                                 EnsureBackSlash(path), Sender->SourcePath()));
    m_DragSources.clear();
    if (DropTarget())
        SetDropTarget(nullptr);
}
