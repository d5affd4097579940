#pragma once

#include "controls/WinControl.h"

// The platform's status bar along the bottom of a form (aligned alBottom unless stored
// otherwise), showing one line of text with a size grip at its right end.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& SimpleText() const { return m_sSimpleText; }
    void SetSimpleText(const std::string& Value);
    // The text the status bar's window shows now; empty without a window.
    std::string ShownText() const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

private:
    std::string m_sSimpleText;
};
