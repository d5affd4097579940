#pragma once

#include "controls/WinControl.h"

// A box the user ticks or clears, with its caption beside it.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    ~TCheckBox() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const;
    // Setting it from code raises no OnClick.
    void SetChecked(bool Value);

    // The user ticked or cleared the box.
    TNotifyEvent OnClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& Message);

private:
    bool m_bChecked = false;
};
