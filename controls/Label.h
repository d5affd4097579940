#pragma once

#include "controls/WinControl.h"

// A line of text on a form, naming the control beside it. An "&" in the caption underlines the
// letter after it ("&&" shows one ampersand); typing Alt with that letter moves the focus to
// FocusControl. The label is never a Tab stop itself and shows its parent's background.
class TLabel : public TWinControl {
public:
    explicit TLabel(TComponent* AOwner);
    ~TLabel() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TAlignment Alignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value);
    // The control the label's access key focuses; cleared when that control goes.
    TWinControl* FocusControl() const { return m_FocusControl; }
    void SetFocusControl(TWinControl* Value);

    // The caption's access key: focuses FocusControl when it is enabled and visible, and is used
    // up either way; without a FocusControl the key is left to others.
    bool DialogChar(wchar_t Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    TAlignment m_Alignment = taLeftJustify;
    TWinControl* m_FocusControl = nullptr;
};

// The letter a caption marks with "&" (upper case), or 0 when it marks none.
wchar_t CaptionAccessKey(const std::string& Caption);
