#pragma once

#include "controls/Form.h"

// A push button. The Default button is the one Enter presses in its form; the Cancel button is
// the one Escape presses. A button with a ModalResult ends its form's modal loop with it.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* AOwner);
    ~TButton() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Default() const { return m_bDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return m_bCancel; }
    void SetCancel(bool Value);
    TModalResult ModalResult() const { return m_ModalResult; }
    void SetModalResult(TModalResult Value) { m_ModalResult = Value; }

    // What a click does: hands ModalResult (when not mrNone) to the form, then raises OnClick.
    virtual void Click();

    TNotifyEvent OnClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNCommand(TMessage& Message);

private:
    bool m_bDefault = false;
    bool m_bCancel = false;
    TModalResult m_ModalResult = mrNone;
};
