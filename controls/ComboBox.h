#pragma once

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

class TCustomComboBox;

// The item strings of a combo box; they survive a re-creation of its window. Form files hold them
// as "Items.Strings".
class TComboBoxStrings : public TPersistent {
public:
    explicit TComboBoxStrings(TCustomComboBox* AOwner) : m_Owner(AOwner) {}

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Count() const { return static_cast<int>(m_Strings.size()); }
    // The string, or an empty one past the end.
    const std::string& operator[](int Index) const;
    int Add(const std::string& S);
    void Delete(int Index);
    void Clear();
    int IndexOf(const std::string& S) const;
    const std::vector<std::string>& Strings() const { return m_Strings; }
    // Replaces every item.
    void Assign(std::vector<std::string> Strings);

    void DefineProperties(TFiler& Filer) override;

private:
    friend class TCustomComboBox;
    TCustomComboBox* m_Owner;
    std::vector<std::string> m_Strings;
};

// A drop-down list box over the system's combo box, drawn by the system (csDropDownList) or by
// its owner in items of one height (csOwnerDrawFixed).
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TComboBoxStrings& Items() { return m_Items; }
    const TComboBoxStrings& Items() const { return m_Items; }
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
    friend class TComboBoxStrings;

    TComboBoxStrings m_Items{this};
    TCanvas m_Canvas;
    TComboBoxStyle m_Style = csDropDownList;
    int m_iItemIndex = -1;
    int m_iItemHeight = 16;
    int m_iDropDownCount = 8;
};
