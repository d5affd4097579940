#pragma once

#include "controls/ImageList.h"
#include "controls/ListColumns.h"
#include "controls/ListItems.h"
#include "controls/WinControl.h"

#include <functional>
#include <string>
#include <vector>

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };

// Row states GetNextItem looks for (combine with |).
using TItemStates = UINT;
constexpr TItemStates isNone = 0;
constexpr TItemStates isCut = LVNI_CUT;
constexpr TItemStates isDropHilited = LVNI_DROPHILITED;
constexpr TItemStates isFocused = LVNI_FOCUSED;
constexpr TItemStates isSelected = LVNI_SELECTED;

// Orders two rows for a custom sort: negative puts Item1 first.
using TLVCompare = int (*)(TListItem* Item1, TListItem* Item2, LPARAM ParamSort);

using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
// S is the text typed; the row shows S as it is when the handler returns.
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;

// A list view over the common control WC_LISTVIEW.
class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    // Destroying the list removes its rows without raising OnDeletion: a derived class whose
    // rows carry data clears Items in its own destructor, while its handlers still exist.
    ~TCustomListView() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TListItems& Items() { return m_Items; }
    const TListItems& Items() const { return m_Items; }
    TListColumns& Columns() { return m_Columns; }
    const TListColumns& Columns() const { return m_Columns; }

    // The first selected row. Writing a row selects it (in a multi-select list the others stay
    // selected); writing nullptr clears the selection.
    TListItem* Selected() const;
    void SetSelected(TListItem* Value);
    int SelCount() const;
    // The row with the drop highlight (one query of the control); writing moves the highlight
    // to that row alone (nullptr removes it).
    TListItem* DropTarget() const;
    void SetDropTarget(TListItem* Value);
    // The row at a client position, or nullptr.
    TListItem* GetItemAt(int X, int Y);
    // The next row from StartItem (nullptr: from the start) in Direction that has all States.
    TListItem* GetNextItem(TListItem* StartItem, TSearchDirection Direction, TItemStates States);
    // The first row shown at the top of the list (nullptr without rows or a window). Writing
    // scrolls the list so the row comes first, as far as the list scrolls (in report view; other
    // views only bring the row into view).
    TListItem* TopItem() const;
    void SetTopItem(TListItem* Value);
    // The first row from StartIndex (Inclusive: that row counts; otherwise the search starts
    // after it) whose caption is Value, ignoring case; Partial: whose caption begins with
    // Value. Wrap goes on from the first row up to where the search began.
    TListItem* FindCaption(int StartIndex, const std::string& Value, bool Partial, bool Inclusive,
                           bool Wrap) const;
    // Orders the rows with SortProc (nullptr: by caption, ignoring case); rows that compare
    // equal keep their order.
    bool CustomSort(TLVCompare SortProc, LPARAM ParamSort);
    bool AlphaSort() { return CustomSort(nullptr, 0); }
    bool IsEditing() const;
    // The row a begin-drag notification (LVN_BEGINDRAG, LVN_BEGINRDRAG) names: the one pressed,
    // which the pointer may have left by the time the notification comes; nullptr for any other
    // message. RightButton: whether the drag is the right button's.
    TListItem* BeginDragItem(const TMessage& Message, bool* RightButton = nullptr) const;

    // A change while a row's edit is open shows once the edit has ended.
    TViewStyle ViewStyle() const { return m_ViewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool MultiSelect() const { return m_bMultiSelect; }
    void SetMultiSelect(bool Value);
    bool ColumnClick() const { return m_bColumnClick; }
    void SetColumnClick(bool Value);
    bool HideSelection() const { return m_bHideSelection; }
    void SetHideSelection(bool Value);
    bool ReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool Value);
    bool RowSelect() const { return m_bRowSelect; }
    void SetRowSelect(bool Value);
    TSortType SortType() const { return m_SortType; }
    void SetSortType(TSortType Value);
    // Not owned; the list forgets them when they are destroyed.
    TImageList* SmallImages() const { return m_SmallImages; }
    void SetSmallImages(TImageList* Value);
    TImageList* LargeImages() const { return m_LargeImages; }
    void SetLargeImages(TImageList* Value);

    void Notification(TComponent* AComponent, TOperation Operation) override;

    // True while the list computes a row's pending parts (ResolveItem).
    bool Resolving() const { return m_iResolving > 0; }

    // Selects every row, in one message to the window.
    void SelectAll();
    // Takes the cut state from every row, in one message to the window.
    void ClearCut();
    // Cancels the edit of a caption that is open, or armed: a click on a row already selected
    // opens one a moment later unless it is cancelled.
    void CancelEdit();
    // The rows that were selected when the right button was last pressed, before the control
    // changed the selection (it selects the row pressed before the press's handlers return), in
    // row order; rows deleted since are left out. PressRecorded: a press was seen since the
    // record was last cleared.
    const std::vector<TListItem*>& RightPressSelection() const { return m_RightPressRows; }
    bool RightPressRecorded() const { return m_bRightPressRecorded; }
    void ClearRightPress();
    // The bounds of a row's label (LVIR_LABEL) or of the whole row, in client coordinates.
    RECT ItemRect(const TListItem* Item, bool LabelOnly) const;

    TLVColumnClickEvent OnColumnClick;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    TLVChangeEvent OnChange;
    TLVDeletedEvent OnDeletion;

protected:
    void ApplyColor() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

    // Answers the control's questions and raises the list's events from its notifications.
    void CNNotify(TMessage& Message);

    // Computes the parts of a row that were added pending (TItemLook::Pending) when one of them
    // is first read: drawn, or asked for through the row. Parts holds only parts still pending;
    // the override sets them through the row (SetCaption, SubItems, SetImageIndex), which sends
    // the window nothing meanwhile.
    virtual void ResolveItem(TListItem* Item, TItemParts Parts);
    // True while an edit of a row's caption is open (from its start, once allowed, to its end).
    bool EditOpen() const { return m_bEditOpen; }
    // Called once each edit has ended, after OnEdited (when it ran) and the caption change.
    virtual void EditEnded() {}
    // The row the open edit began on; nullptr once that row is deleted (the edit then changes
    // nothing when it ends).
    TListItem* EditItem() const { return m_EditItem; }

    void WMRButtonDown(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WndProc(TMessage& Message) override;
    // The list's note to itself to show a view style set while an edit was open.
    void HeldViewStyle(TMessage& Message);
    static constexpr UINT CM_HELDVIEWSTYLE = WM_USER + 140;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    friend class TListColumns;

    void ResolveParts(TListItem* Item, TItemParts Parts);
    // The row the window holds at that position.
    TListItem* ItemFromWindow(int Index) const;
    void SetStyleFlag(bool& Flag, bool Value);
    void SetImageList(TImageList*& Field, TImageList* Value, int Which);
    void SetStateOfAll(UINT State, bool Value);
    // A press without Shift or Ctrl selects the row pressed alone: with many rows selected, they
    // are deselected first, drawn once.
    void ClearManyBeforePress(const TMessage& Message);
    // Passes the message on while the control draws nothing, then draws it whole once: for a
    // press or key that may change the selection of many rows.
    void DrawnOnce(TMessage& Message);
    void EndHeldDrawing();
    void ApplyImages();
    void GetDispInfo(NMLVDISPINFOW& Info);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& Draw);
    void ItemChanged(const NMLISTVIEW& Info);
    void BeginLabelEdit(TMessage& Message, const NMLVDISPINFOW& Info);
    void EndLabelEdit(TMessage& Message, const NMLVDISPINFOW& Info);
    // A row (nullptr: every row) is being deleted: records that name it forget it.
    void RowGoing(const TListItem* Item);
    // The edit state goes with the window: its end is never reported once the window is going.
    void ForgetEdit();

    TListItems m_Items{this};
    TListColumns m_Columns{this};
    TImageList* m_SmallImages = nullptr;
    TImageList* m_LargeImages = nullptr;
    TViewStyle m_ViewStyle = vsIcon;
    TSortType m_SortType = stNone;
    bool m_bMultiSelect = false;
    bool m_bColumnClick = true;
    bool m_bHideSelection = true;
    bool m_bReadOnly = false;
    bool m_bRowSelect = false;
    bool m_bEditOpen = false;
    int m_iResolving = 0;
    TListItem* m_EditItem = nullptr;
    std::vector<TListItem*> m_RightPressRows;
    bool m_bRightPressRecorded = false;
    bool m_bDrawingHeld = false;
};
