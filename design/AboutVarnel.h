#pragma once

#include "controls/Form.h"

#include <string>

class TImage;
class TLabel;
class TPanel;
class TShape;

// The About box: the logo, a red rule and two credit lines on a lowered panel; no buttons (the
// close box, Escape or Alt+F4 closes it). Designed at 120 pixels per inch and scaled to the
// screen.
class TAboutVarnel : public TForm {
public:
    explicit TAboutVarnel(TComponent* AOwner);
    ~TAboutVarnel() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPanel* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TShape* Shape1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;

    // Empty when the stored form was read and every control found.
    const std::string& FormError() const { return m_sFormError; }

    static const char* const kCreditLine1;
    static const char* const kCreditLine2;

protected:
    // Puts the credit lines in, whatever the stored form holds.
    void CreateWnd() override;

private:
    std::string m_sFormError;
};

// The About box while ShowAboutVarnel shows it; nullptr otherwise.
extern TAboutVarnel* AboutVarnel;

// Makes the About box, shows it modally and frees it. False when its stored form could not be
// read (Error then says why).
bool ShowAboutVarnel(std::string* Error = nullptr);
