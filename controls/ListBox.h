#pragma once

#include "controls/ItemStrings.h"
#include "controls/WinControl.h"

#include <string>
#include <vector>

// A list of strings the user picks one of, with the mouse or the keys.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* AOwner);
    ~TListBox() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TItemStrings& Items() { return m_Items; }
    const TItemStrings& Items() const { return m_Items; }
    // The selected item, -1 for none. Setting it from code raises no OnClick.
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int ItemHeight() const { return m_iItemHeight; }
    void SetItemHeight(int Value);
    // True: the window's height is cut to show whole items only.
    bool IntegralHeight() const { return m_bIntegralHeight; }
    void SetIntegralHeight(bool Value);

    // The user selected an item (mouse or keys).
    TNotifyEvent OnClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& Message);

private:
    TItemStrings m_Items{*this, {LB_ADDSTRING, LB_DELETESTRING, LB_RESETCONTENT}, m_iItemIndex};
    int m_iItemIndex = -1;
    int m_iItemHeight = 13;
    bool m_bIntegralHeight = false;
};
