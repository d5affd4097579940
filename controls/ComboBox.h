#pragma once

#include "controls/ItemStrings.h"
#include "controls/WinControl.h"

#include <functional>
#include <string>
#include <vector>

enum TComboBoxStyle { csDropDownList, csOwnerDrawFixed };

// What an owner-drawn item is to look like: the ODS_* bits of the item state.
using TOwnerDrawState = UINT;
constexpr TOwnerDrawState odSelected = ODS_SELECTED;
constexpr TOwnerDrawState odGrayed = ODS_GRAYED;
constexpr TOwnerDrawState odDisabled = ODS_DISABLED;
constexpr TOwnerDrawState odChecked = ODS_CHECKED;
constexpr TOwnerDrawState odFocused = ODS_FOCUS;
constexpr TOwnerDrawState odDefault = ODS_DEFAULT;
constexpr TOwnerDrawState odNoAccel = ODS_NOACCEL;
constexpr TOwnerDrawState odNoFocusRect = ODS_NOFOCUSRECT;
constexpr TOwnerDrawState odComboBoxEdit = ODS_COMBOBOXEDIT;

using TDrawItemEvent =
    std::function<void(TObject* Control, int Index, const RECT& Rect, TOwnerDrawState State)>;

// A drop-down list box over the system's combo box, drawn by the system (csDropDownList) or by
// its owner in items of one height (csOwnerDrawFixed).
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TItemStrings& Items() { return m_Items; }
    const TItemStrings& Items() const { return m_Items; }
    // The selected item, -1 for none. Setting it from code is not a change: OnChange stays
    // quiet.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    int ItemHeight() const { return m_iItemHeight; }
    void SetItemHeight(int Value);
    // How many items the open list shows without scrolling.
    int DropDownCount() const { return m_iDropDownCount; }
    void SetDropDownCount(int Value);
    TComboBoxStyle Style() const { return m_Style; }
    void SetStyle(TComboBoxStyle Value);
    // The canvas an owner-drawn item is drawn on, while it is drawn.
    TCanvas& Canvas() { return m_Canvas; }

    // The user chose another item.
    TNotifyEvent OnChange;
    // Draws an owner-drawn item instead of the default drawing.
    TDrawItemEvent OnDrawItem;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

    // The user chose another item: raises OnChange.
    virtual void Change();
    // The open list is closing: on the user's choice (Return, a click on an item), or on a
    // cancel (Escape, a click elsewhere). CloseUp follows either, once the list is hidden. The
    // platforms differ in whether a selection change is reported around these: under Wine
    // Return reports none, and a mouse pick reports it after CloseUp.
    virtual void SelEndOk() {}
    virtual void SelEndCancel() {}
    virtual void CloseUp() {}
    // Draws item Index into Rect on Canvas: OnDrawItem, or its text on the canvas's brush.
    virtual void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State);

    void CNCommand(TMessage& Message);
    // Prepares the canvas on the item's device context (the highlight colours for a selected
    // item), calls DrawItem, then lets go of the context.
    void CNDrawItem(TMessage& Message);
    void CNMeasureItem(TMessage& Message);

private:
    void FitClosedHeight(int Closed);

    TItemStrings m_Items{*this, {CB_ADDSTRING, CB_DELETESTRING, CB_RESETCONTENT}, m_iItemIndex};
    TCanvas m_Canvas;
    TComboBoxStyle m_Style = csDropDownList;
    int m_iItemIndex = -1;
    int m_iItemHeight = 16;
    int m_iDropDownCount = 8;
};

// The drop-down list as forms place it: the same box under the name form files know it by.
class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};
