#pragma once

#include "controls/ImageList.h"
#include "controls/TreeView.h"
#include "framework/About.h"
#include "dragdrop/DropTargetRegistration.h"
#include "framework/ViewLinks.h"
#include "tree/NodeData.h"
#include "tree/NodeReuseIndex.h"

#include <functional>
#include <string>

class TChangeNotifyThread;
class TNameSpaceEnumerator;
class TViewServices;

// Where the tree is rooted: the desktop, a special folder, or the path in RootFolder.
enum TRootedAt {
    raDesktop,
    raMyComputer,
    raNetworkNeighbourhood,
    raStartMenu,
    raProgramFiles,
    raFileSystem
};

using TNSESelectionChange = std::function<void(TNameSpaceEnumerator* Sender)>;

// The tree's children sort: the system's case-insensitive comparison of the captions.
int TVCompareProc(TTreeNode* Node1, TTreeNode* Node2, LPARAM ParamSort);

// A tree of the folders of the shell namespace. Each node carries a TNodeData. Children are
// enumerated the first time a node is expanded; the same filling refreshes a node in place later,
// reusing the children whose captions come back (with their subtrees, expansion and selection),
// adding new ones and deleting those that have gone. A watcher on drive C makes the tree refresh
// every filled node when the disk changes.
//
// The tree tells a linked folder list and combo box which folder the user chose, and is moved by
// them through ExpandToFolder and GotoParent (framework/ViewLinks.h).
class TNameSpaceEnumerator : public TCustomTreeView, public INameSpaceEnumeratorLink {
public:
    // Shell: where the tree asks the shell (the platform's when nullptr); it must outlive the tree.
    explicit TNameSpaceEnumerator(TComponent* AOwner, TViewServices* Shell = nullptr);
    ~TNameSpaceEnumerator() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Published properties.
    bool AllowRename() const { return m_bAllowRename; }
    void SetAllowRename(bool Value) { m_bAllowRename = Value; }
    bool ShowVirtualFolders() const { return m_bVirtualFolders; }
    void SetVirtualFolders(bool Value);
    IFolderEnumeratorLink* FolderEnumerator() const { return m_FolderEnumerator.Get(); }
    const TNSESelectionChange& OnSelectionChange() const { return m_OnSelectionChange; }
    void SetOnSelectionChange(TNSESelectionChange Value) { m_OnSelectionChange = std::move(Value); }
    bool ShellContextMenu() const { return m_bShellContextMenu; }
    void SetShellContextMenu(bool Value) { m_bShellContextMenu = Value; }
    TRootedAt RootedAt() const { return m_RootedAt; }
    // Each rebuilds the tree at once; while a form is read they only store (Loaded builds).
    void SetRootedAt(TRootedAt Value);
    const std::string& RootFolder() const { return m_sfRoot; }
    void SetRootFolder(const std::string& Value);
    bool ExpandAll() const { return m_bExpandAll; }
    void SetExpandAll(bool Value);
    TAbout About() const { return m_About; }
    void SetAbout(TAbout Value) { m_About = Value; }
    bool AutoRefresh() const { return m_bAutoRefresh; }
    void SetAutoRefresh(bool Value) { m_bAutoRefresh = Value; }
    bool AllowOLEDrop() const { return m_bAllowOLEDrop; }
    void SetAllowOLEDrop(bool Value) { m_bAllowOLEDrop = Value; }
    bool AllowOLEDrag() const { return m_bAllowOLEDrag; }
    void SetAllowOLEDrag(bool Value) { m_bAllowOLEDrag = Value; }

    // The file-system path of the selected node; empty without a selection, for the desktop root
    // and for virtual folders.
    std::string Selection() const { return GetSelection(); }
    std::string GetSelection() const;

    // Clears the tree and builds the root from RootedAt and RootFolder.
    void InitEnumerator();
    // Enumerates pFolder, the folder ParentNode stands for, into ParentNode's children.
    void FillSubTree(TTreeNode* ParentNode, IShellFolder* pFolder);
    // The child of ParentNode a fill may reuse for an item captioned szCaption: the first child
    // with exactly that caption that this fill has not claimed yet, never the Recycle Bin.
    TTreeNode* GetNodeFromData(TTreeNode* ParentNode, TNodeData* ParentData,
                               const std::string& szCaption);
    void SetFoundFlag(TTreeNode* Node, bool bFound);
    void DeleteNodesNotFound(TTreeNode* ParentNode);

    // Tells the linked views that Node is the folder shown; Sender is not used.
    void SelectionChange(TObject* Sender, TTreeNode* Node);
    // Builds the root from the stored RootedAt and RootFolder and tells the linked views.
    void Loaded() override;
    // Selects the folder with that path, expanding the nodes on the way; tells nobody.
    void GotoFolder(const std::string& szFolder);
    // The child of ParentNode whose relative list is Pidl, or nullptr.
    TTreeNode* LookForPidl(TTreeNode* ParentNode, LPCITEMIDLIST Pidl);

    // INameSpaceEnumeratorLink.
    void ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) override;
    void GotoParent() override;
    void SetFolderEnumerator(IFolderEnumeratorLink* FolderEnumerator) override;
    void SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) override;
    INameSpaceComboLink* NameSpaceCombo() const { return m_NameSpaceCombo.Get(); }

    // Enumerates again every node that was filled, from the root. Asked for while the tree is in
    // the middle of another operation of its own (a fill, a refresh, a selection being told), it
    // runs once that operation has ended.
    void Refresh();
    void RefreshSubTree(TTreeNode* Node);

    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The record of a node (nullptr for none).
    static TNodeData* NodeData(const TTreeNode* Node) {
        return Node ? static_cast<TNodeData*>(Node->Data()) : nullptr;
    }
    TChangeNotifyThread* ChangeThread() const { return m_ChangeThread; }
    TvxDropTarget* OleDropTarget() const { return m_OleDropTarget.Target(); }

protected:
    void CreateWnd() override;
    void DestroyWnd() override;

    void Expanding(TObject* Sender, TTreeNode* ParentNode, bool& AllowExpansion);
    void Collapsing(TObject* Sender, TTreeNode* Node, bool& AllowCollapse);
    void Deletion(TObject* Sender, TTreeNode* Node);
    void GetImages(TObject* Sender, TTreeNode* Node, int& ImageIndex, int& SelectedIndex);
    void NodeChange(TObject* Sender, TTreeNode* Node);
    // A caption is the shell's name of the item: it is edited in place only as a rename through
    // the shell (TreeCommands.cpp).
    void Editing(TObject* Sender, TTreeNode* Node, bool& AllowEdit);
    void Edited(TObject* Sender, TTreeNode* Node, std::string& S);

    // The user's mouse and keys (TreeCommands.cpp).
    void WMRButtonUp(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    // Shift+F10 asks for the context menu as the menu key does.
    void WMSysKeyDown(TMessage& Message);
    // The context-menu key and Shift+F10; a menu asked for by the mouse comes from WMRButtonUp.
    void WMContextMenu(TMessage& Message);

    // Drag and drop (TreeDragDrop.cpp): a drag out starts from the control's begin-drag
    // notification; the drop target calls the other four.
    void CNNotify(TMessage& Message);
    void DragEnter(TvxDropTarget* Sender, int grfKeyState, POINT pt, int& dwEffect);
    void DragOver(TvxDropTarget* Sender, int grfKeyState, POINT pt, int& dwEffect);
    void DragLeave(TvxDropTarget* Sender);
    void Drop(TvxDropTarget* Sender, int grfKeyState, POINT pt, int& dwEffect);

    // WM_USER+21 from the change watcher.
    void ChangeNotify(TMessage& Message);
    // The tree's own note to itself that a refresh was put off (WM_TREE_DEFERRED_REFRESH).
    void DeferredRefresh(TMessage& Message);

private:
    // The tree's note to itself that a refresh was put off until its operation under way ended.
    static constexpr UINT WM_TREE_DEFERRED_REFRESH = WM_USER + 121;

    // Held by every operation of the tree that keeps nodes or records across calls to the shell
    // or to the partners: either may let the thread handle messages, the watcher's among them,
    // and a refresh then could delete or replace what the operation holds.
    class TBusy {
    public:
        explicit TBusy(TNameSpaceEnumerator& Tree) : m_Tree(Tree) { ++m_Tree.m_iBusy; }
        ~TBusy();
        TBusy(const TBusy&) = delete;
        TBusy& operator=(const TBusy&) = delete;

    private:
        TNameSpaceEnumerator& m_Tree;
    };

    void StopChangeThread();
    void ApplyLook(TTreeNode* Node, const TNodeLook& Look, bool ButtonKnown, bool Button);
    HWND OwnerWindow();
    HWND ShellOwnerWindow();
    bool IsRecycleBin(LPCITEMIDLIST FQPidl, LPCITEMIDLIST RecycleBin);
    void BuildReuseIndex(TTreeNode* ParentNode);
    void SortChildren(TTreeNode* ParentNode);
    bool IsDesktopRoot(const TTreeNode* Node) const;

    // Commands (TreeCommands.cpp).
    // The folder holding the node's item and the item alone, relative to it. The root of a tree
    // rooted below the desktop holds a list of several items, which the desktop answers for
    // its first item: its own parent folder is bound instead. False for the desktop root.
    bool NodeItem(const TTreeNode* Node, ComPtr<IShellFolder>& Folder, OwnedPidl& Item);
    void ShowContextMenu(TTreeNode* Node, POINT Screen);
    void DeleteSelected();
    // After a rename, the records below Node follow its new list and folder.
    void FollowRename(TTreeNode* Node);

    // Drag and drop (TreeDragDrop.cpp).
    void ConnectDropTarget();
    void StartDrag(TTreeNode* Node, POINT DragPoint);
    // The node under pt (screen) given the drop highlight, and its folder's path ending in a
    // backslash; nullptr (and Operation 0) when nothing may be dropped there.
    TTreeNode* DropNodeAt(TvxDropTarget* Sender, POINT pt, std::string& Destination);
    std::string NodePath(const TTreeNode* Node);

    TImageList* m_ilSmall = nullptr;
    TPartnerLink<IFolderEnumeratorLink> m_FolderEnumerator;
    TChangeNotifyThread* m_ChangeThread = nullptr;
    bool m_bShellContextMenu = true;
    bool m_bAllowOLEDrop = true;
    bool m_bAllowOLEDrag = true;
    bool m_bAutoRefresh = true;
    bool m_bExpandAll = false;
    bool m_bVirtualFolders = true;
    bool m_bDeleteData = true;
    bool m_bSelectRootOnCreate = false; // the root waits for a window to be selected in
    bool m_bAllowRename = true;
    TRootedAt m_RootedAt = raDesktop;
    std::string m_sfRoot;
    TNSESelectionChange m_OnSelectionChange;
    TAbout m_About = taAbout;
    TDropTargetRegistration m_OleDropTarget;
    TPartnerLink<INameSpaceComboLink> m_NameSpaceCombo;

    TViewServices* m_Shell;
    TNodeReuseIndex m_Reuse;
    // Operations of the tree under way (TBusy), and a refresh asked for meanwhile.
    int m_iBusy = 0;
    bool m_bRefreshPending = false;

    // The icons every plain directory shares, asked once per fill (ImageIndex -1: not yet).
    TNodeLook m_PlainIcons;

    // The node selected before a context menu, put back afterwards; forgotten when it is
    // deleted meanwhile (the menu's loop handles the watcher's messages).
    TTreeNode* m_MenuRestore = nullptr;
    // The paths being dragged over the tree, read once when the drag enters.
    std::vector<std::string> m_DragSources;
};
