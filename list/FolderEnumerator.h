#pragma once

#include "controls/ImageList.h"
#include "controls/ListView.h"
#include "dragdrop/DropTargetRegistration.h"
#include "framework/About.h"
#include "framework/ChangeNotifyThread.h"
#include "framework/ViewLinks.h"
#include "list/FolderColumn.h"
#include "list/ItemData.h"

#include <bitset>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TChangeNotifyThread;
class TFolderEnumerator;
class TViewServices;
class TViewShell;

enum TColumnSortOrder { soAscending, soDescending, soUnSorted };

using TFESelectionChange = std::function<void(TFolderEnumerator* Sender)>;
using TFEDoubleClick = std::function<void(TFolderEnumerator* Sender, bool& bExecute)>;

// Reads the size and last-write time (local) of the file or folder a fully qualified list names;
// false, leaving them as they were, when it has no path or nothing is found there.
bool GetEntryDetails(TViewShell& Shell, LPCITEMIDLIST pFQpidl, TEntryDetails& EntryDetails);

// A list of the contents of one shell folder, one row per item, each carrying a TItemData.
// Columns Name, Extension, Size, Attributes, Type and Modified, the hidden ones left out; a
// ";"-separated file mask; options for hidden items, folders and virtual folders; sorting by a
// column on request. A watcher on drive C makes it refresh (keeping order, scroll position,
// selection and focus) when the disk changes.
//
// Filling asks the shell only what every row needs at once (the items, their attributes, one
// read of the directory); a row's display name, icon and column texts are computed when the row
// is first drawn or read, and in idle time after the fill, and are the same whenever that is.
//
// The list tells a linked tree and combo box which folder it shows, and is told by them through
// FolderChanged (framework/ViewLinks.h).
class TFolderEnumerator : public TCustomListView,
                          public IFolderEnumeratorLink,
                          public IFolderColumnOwner {
public:
    // Shell: where the list asks the shell (the platform's when nullptr); it must outlive the list.
    explicit TFolderEnumerator(TComponent* AOwner, TViewServices* Shell = nullptr);
    ~TFolderEnumerator() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Published properties.
    const TFEDoubleClick& OnDoubleClick() const { return m_OnDoubleClick; }
    void SetOnDoubleClick(TFEDoubleClick Value) { m_OnDoubleClick = std::move(Value); }
    bool AllowRename() const { return m_bAllowRename; }
    void SetAllowRename(bool Value) { m_bAllowRename = Value; }
    bool ShowVirtualFolders() const { return m_bVirtualFolders; }
    void SetVirtualFolders(bool bVirtualFolders);
    bool ShowFolders() const { return m_bShowFolders; }
    void SetShowFolders(bool bFolder);
    TColumnName GetColumnSort() const;
    void SetColumnSort(TColumnName chColumn);
    TColumnSortOrder GetSortOrder() const { return m_SortedOrder; }
    void SetSortOrder(TColumnSortOrder soSort);
    const std::string& GetFolder() const { return m_sFolder; }
    void SetFolder(const std::string& szFolder);
    bool ShowHidden() const { return m_bShowHidden; }
    void SetShowHidden(bool bHidden);
    const TFESelectionChange& OnSelectionChange() const { return m_OnSelectionChange; }
    void SetOnSelectionChange(TFESelectionChange Value) { m_OnSelectionChange = std::move(Value); }
    bool ShellContextMenu() const { return m_bShellContextMenu; }
    void SetShellContextMenu(bool Value) { m_bShellContextMenu = Value; }
    TAbout About() const { return m_About; }
    void SetAbout(TAbout Value) { m_About = Value; }
    bool AutoRefresh() const { return m_bAutoRefresh; }
    void SetAutoRefresh(bool Value) { m_bAutoRefresh = Value; }
    bool AllowOLEDrop() const { return m_bAllowOLEDrop; }
    void SetAllowOLEDrop(bool Value) { m_bAllowOLEDrop = Value; }
    bool AllowOLEDrag() const { return m_bAllowOLEDrag; }
    void SetAllowOLEDrag(bool Value) { m_bAllowOLEDrag = Value; }
    const std::string& FileMask() const { return m_sFileMask; }
    void SetFileMask(const std::string& sFileMask);
    // The column set; every change through its setters lays the columns out again.
    TFolderColumn& FolderColumns() { return m_FolderColumn; }
    const TFolderColumn& FolderColumns() const { return m_FolderColumn; }

    // Lays the header columns out from the column set (rebuilding them when the set of shown
    // columns changed, or the header does not hold them) and refills the rows to match.
    void SetupColumns() override;
    // Refills the rows keeping the user's place: the sort asked for, the first visible row,
    // and the selected and focused rows, each by its item (the first row selected when none
    // of the selected is left).
    void Refresh();

    // IFolderEnumeratorLink.
    void FolderChanged(TViewLink* Sender, IShellFolder* pFolder, LPCITEMIDLIST pParentpidl,
                       bool bSorting) override;
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink* NameSpaceEnumerator) override;
    void SetNameSpaceCombo(INameSpaceComboLink* NameSpaceCombo) override;
    LPCITEMIDLIST FolderPidl() const override;
    INameSpaceEnumeratorLink* NameSpaceEnumerator() const { return m_NameSpaceEnumerator.Get(); }
    INameSpaceComboLink* NameSpaceCombo() const { return m_NameSpaceCombo.Get(); }

    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    // The user's commands (ListCommands.cpp). SelectedItem[Index]: the file-system path of the
    // Index-th selected row counting from 1, in row order; empty past the end, for 0 and for
    // an item without a path.
    std::string SelectedItem(int Index) const { return GetSelected(Index); }
    std::string GetSelected(int Index) const;
    int SelectedCount() const { return GetSelectedCount(); }
    int GetSelectedCount() const { return SelCount(); }
    // Renames the row captioned sName (case ignored) to sNewName as an edit would; true only
    // when the shell renamed the item and its name changed (ListRename.cpp).
    bool Rename(const std::string& sName, const std::string& sNewName);

    // The record of a row (nullptr for none).
    static TItemData* ItemData(const TListItem* Item) {
        return Item ? static_cast<TItemData*>(Item->Data()) : nullptr;
    }
    // The comparison the sort hands the rows to; ParamSort is the list.
    static int LVCompareProc(TListItem* Item1, TListItem* Item2, LPARAM ParamSort);

    // State the tests and the other parts read.
    IShellFolder* ViewFolder() const { return m_sfView.Get(); }
    LPCITEMIDLIST ViewPidl() const { return m_pViewPidl.Get(); }
    int ColumnIndex(TColumnName Column) const;
    int LastColumnSorted() const { return m_iLastColumnSorted; }
    // How many times the rows were filled from an enumeration of the folder.
    int FillCount() const { return m_iFillCount; }
    TChangeNotifyThread* ChangeThread() const { return m_ChangeThread; }
    TvxDropTarget* OleDropTarget() const { return m_OleDropTarget.Target(); }
    // Computes every row's pending parts now (what idle time would do).
    void ResolveAllItems();

    // Clipboard (ListClipboard.cpp). Copy and cut put the shell's data object of the selected
    // rows on the clipboard, cut marked as a move; paste drops the clipboard's files into the
    // selected folder row, else into the shown folder, as a drop there would. Each answers
    // whether it did something. Cut rows show the cut state until the clipboard no longer holds
    // that cut, or the list shows another folder; a refill of the same folder keeps it.
    bool CopySelection();
    bool CutSelection();
    bool PasteClipboard();

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void ResolveItem(TListItem* Item, TItemParts Parts) override;
    void EditEnded() override;

    void FillListView(LPCITEMIDLIST pParentpidl);
    void ItemDeletion(TObject* Sender, TListItem* Item);
    void ColumnClicked(TObject* Sender, TListColumn* Column);
    void Editing(TObject* Sender, TListItem* Item, bool& AllowEdit);
    void Edited(TObject* Sender, TListItem* Item, std::string& S);
    void ItemChange(TObject* Sender, TListItem* Item, TItemChange Change);

    // The user's mouse and keys (ListCommands.cpp). A key's release acts only when the list had
    // its press: the Enter that ends an edit is pressed in the edit box.
    void WMRButtonUp(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    // Enter opens the rows: in a form, it must reach the list instead of the default button.
    void WMGetDlgCode(TMessage& Message);
    // Shift+F10 asks for the selection's menu as the menu key does.
    void WMSysKeyDown(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    // Copies of the selected rows' own lists, in row order; the number copied.
    int GetSelectedPidls(std::vector<OwnedPidl>& PidlList) const;
    // Drag and drop (ListDragDrop.cpp): a drag out starts from the control's begin-drag
    // notification; the drop target calls the other four.
    void CNNotify(TMessage& Message);
    void DragEnter(TvxDropTarget* Sender, int grfKeyState, POINT pt, int& dwEffect);
    void DragOver(TvxDropTarget* Sender, int grfKeyState, POINT pt, int& dwEffect);
    void DragLeave(TvxDropTarget* Sender);
    void Drop(TvxDropTarget* Sender, int grfKeyState, POINT pt, int& dwEffect);

    // WM_USER+22 from the change watcher.
    void ChangeNotify(TMessage& Message);
    // The list's note to itself that a refresh was put off (WM_LIST_DEFERRED_REFRESH).
    void DeferredRefresh(TMessage& Message);
    // Idle-time computing of pending rows: the timer's step, and the step the list posts itself
    // (WM_LIST_IDLE_STEP) while nothing else waits.
    void WMTimer(TMessage& Message);
    void IdleStep(TMessage& Message);
    // The clipboard changed: a cut it held may be gone (ListClipboard.cpp).
    void WMClipboardUpdate(TMessage& Message);

private:
    struct TSortKeys;

    // The list's note to itself that a refresh was put off until its operation under way ended.
    static constexpr UINT WM_LIST_DEFERRED_REFRESH = WM_USER + 122;
    static constexpr UINT WM_LIST_IDLE_STEP = WM_USER + 123;

    // Held by every operation of the list that lets messages in (a menu, a shell command, a
    // rename, a sort, a row's computation): a refresh asked for meanwhile (the watcher's
    // message comes whenever the thread handles messages) runs once afterwards, from the queue.
    class TBusy {
    public:
        explicit TBusy(TFolderEnumerator& List) : m_List(List) { ++m_List.m_iBusy; }
        ~TBusy();
        TBusy(const TBusy&) = delete;
        TBusy& operator=(const TBusy&) = delete;

    private:
        TFolderEnumerator& m_List;
    };

    // Commands (ListCommands.cpp).
    HWND OwnerWindow();
    // The row whose item's full list has exactly these bytes, or nullptr.
    TListItem* FindRow(LPCITEMIDLIST FQPidl) const;
    void ShowMenuFor(std::vector<OwnedPidl> Items, POINT Screen);
    void OpenFolderRow(TListItem* Row);
    void GoUp();
    void RunDefaultVerb();
    void DeleteSelected();
    // Runs Verb (nullptr: the default command) on the selected rows' items.
    void RunOnSelection(const char* Verb);
    void PostDeferredRefresh();
    // Whether a refill must wait for an open edit or an operation of the list to end (a refresh
    // is then held, to run once at their end).
    bool RefillHeld();
    // Rename (ListRename.cpp): renames Item to S through the shell; true when the shell did. S
    // is left as the caption the row shows.
    bool RenameRow(TListItem* Item, std::string& S);

    void PerformInit();
    void InitFolderEnumerator();
    void ChangeNotifyThread();
    void StartChangeThread();
    void StopChangeThread();
    HWND ShellOwnerWindow();
    void ShowFolder(ComPtr<IShellFolder> Folder, OwnedPidl Pidl);
    void TellPartners(TViewLink* Sender, LPCITEMIDLIST FQPidl);
    bool SortApplied() const { return m_bSortApplied; }
    void Sort();
    void ScheduleIdleResolve();
    void PostIdleStep();
    // Computes pending rows' parts, one part at a time, from m_iIdleNext on, until the step's
    // time is used up or input or painting waits.
    void ResolveIdleRows();
    std::vector<std::string> ColumnTextsOf(TListItem* Item, TItemData& Data);
    bool IsColumnShown(TColumnName Column) const;

    // Drag and drop and clipboard (ListDragDrop.cpp, ListClipboard.cpp).
    void ConnectDropTarget();
    // Button: the mouse button the drag was started with, whose release ends it.
    void StartDrag(TListItem* Pressed, DWORD Button);
    // The shell's data object of the rows a drag or a copy takes: the selected rows, or Pressed
    // alone when it is given and not among them; or none.
    ComPtr<IDataObject> RowsDataObject(TListItem* Pressed);
    // The folder a drop at pt (screen) goes into, ending in a backslash, with the folder row
    // there given the drop highlight; empty (and Operation none) when nothing may be dropped.
    std::string DropFolderAt(TvxDropTarget* Sender, POINT pt);
    // The folder path of a row that can take files (a file-system folder), else empty.
    std::string RowFolderPath(const TListItem* Item);
    // Gives the rows of the cut the cut state, after every fill; a fill of another folder ends
    // the cut's display.
    void MarkCutRows();
    void ForgetCut();
    // The window hears of clipboard changes while a cut is shown.
    void ListenToClipboard(bool Listen);

    std::unique_ptr<TImageList> m_ilSmall;
    std::unique_ptr<TImageList> m_ilLarge;
    OwnedPidl m_pViewPidl;
    ComPtr<IShellFolder> m_sfView;
    std::string m_sFileMask = "*.*";
    std::string m_sFolder;
    bool m_bShowFolders = true;
    bool m_bAllowRename = true;
    bool m_bShellContextMenu = true;
    bool m_bVirtualFolders = true;
    bool m_bPerformInit = false;
    bool m_bInCreate = false;
    bool m_bAllowOLEDrop = true;
    bool m_bAllowOLEDrag = true;
    bool m_bAutoRefresh = true;
    bool m_bDragging = false;
    bool m_bShowHidden = false;
    TChangeNotifyThread* m_ChangeThread = nullptr;
    TPartnerLink<INameSpaceEnumeratorLink> m_NameSpaceEnumerator;
    TDropTargetRegistration m_OleDropTarget;
    TFESelectionChange m_OnSelectionChange;
    TAbout m_About = taAbout;
    TFolderColumn m_FolderColumn{this};
    TFEDoubleClick m_OnDoubleClick;
    TPartnerLink<INameSpaceComboLink> m_NameSpaceCombo;
    int m_iNameColumn = 0;
    int m_iExtensionColumn = -1;
    int m_iSizeColumn = 1;
    int m_iAttributesColumn = -1;
    int m_iTypeColumn = 2;
    int m_sModifiedColumn = 3;
    int m_iLastColumnSorted = 0;
    int m_iFillCount = 0;
    TColumnSortOrder m_SortedOrder = soAscending;

    // A sort was asked for (header click, SortColumn or SortOrder set): a fill of a file-system
    // folder announced by a partner keeps that order.
    bool m_bSortApplied = false;
    // m_pViewPidl is the folder Folder named (FolderPidl): no partner has moved the list since.
    bool m_bFolderGiven = false;
    // A refresh that came while a row's name was being edited, run when the edit ends.
    bool m_bRefreshHeld = false;
    // Operations of the list under way (TBusy).
    int m_iBusy = 0;
    // The keys pressed while the list had the focus and not yet released.
    std::bitset<256> m_KeysDown;
    // A double click's release is still to come (the control arms an edit on it).
    bool m_bCancelEditOnRelease = false;
    // The sort column named while the form was being read, applied once the columns are laid out.
    bool m_bLoadedSortColumn = false;
    TColumnName m_LoadedSortColumn = cnName;
    // Keys of the sort running now, by row position.
    const TSortKeys* m_SortKeys = nullptr;
    // The next row idle time looks at.
    int m_iIdleNext = 0;
    // The column layout changed since the rows' texts were made: a fill that keeps its rows
    // makes their texts again.
    bool m_bLayoutChanged = false;
    // The fill hands the old rows' records over instead of letting their deletion free them.
    bool m_bKeepRecords = false;
    // A sort follows the fill: rows it keeps need not be put back in the shell's order first.
    bool m_bSortFollows = false;
    // The last fill kept every row as it was, in its order, with its texts: rows sorted before
    // are sorted still.
    bool m_bRowsKept = false;
    bool m_bIdleTimer = false;
    bool m_bIdleStepPosted = false;
    // A change message came while the list's own drag ran: one refresh follows the drag (files
    // moved out would stay listed otherwise).
    bool m_bChangedWhileDragging = false;
    // The items cut to the clipboard, by the bytes of their full lists, with the folder they were
    // cut from and the clipboard's sequence number once the cut was on it.
    std::set<std::string, std::less<>> m_CutItems;
    std::string m_CutFolder;
    DWORD m_CutSequence = 0;
    bool m_bClipboardListener = false;
    // The paths being dragged over the list, read once when the drag enters.
    std::vector<std::string> m_DragSources;

    TViewServices* m_Shell;
};
