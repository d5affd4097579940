#pragma once

#include "controls/WinControl.h"

#include <string>

// A one-line text box.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    ~TEdit() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // What the box holds, as the user left it.
    virtual std::string Text() const;
    virtual void SetText(const std::string& Value);
    // The most characters the user can type; 0: no limit of ours.
    int MaxLength() const { return m_iMaxLength; }
    virtual void SetMaxLength(int Value);
    void SelectAll();
    // Where the selection starts and how long it is, in UTF-16 units.
    int SelStart() const;
    int SelLength() const;
    void SetSel(int Start, int Length);
    // The text as the window shows it (the stored text while there is no window).
    std::wstring WindowText() const;

    // The text changed, by the user or by code.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& Message);
    // Puts Value in the window as it is, or keeps it for the window to come.
    void SetWindowText(const std::wstring& Value);

private:
    int m_iMaxLength = 0;
};
