#include "design/AboutVarnel.h"

#include "components/FormStreaming.h"
#include "design/FormFields.h"
#include "controls/Image.h"
#include "controls/Label.h"
#include "controls/Menus.h"
#include "controls/Panel.h"
#include "controls/Shape.h"

TAboutVarnel* AboutVarnel = nullptr;

const char* const TAboutVarnel::kCreditLine1 = "Varnel 1.0";
const char* const TAboutVarnel::kCreditLine2 = "Shell views for C++";

const TClassInfo& TAboutVarnel::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TAboutVarnel",
        .Parent = &TForm::StaticClassInfo(),
    };
    return info;
}

TAboutVarnel::TAboutVarnel(TComponent* AOwner) : TForm(AOwner) {
    RegisterFrameworkClasses();
    TFormError error;
    if (!ReadComponentResource(*this, "ABOUTVARNEL", error))
        m_sFormError = "AboutVarnel: " + error.Message();
    std::string missing;
    BindFormField(*this, Panel1, "Panel1", missing);
    BindFormField(*this, Image1, "Image1", missing);
    BindFormField(*this, Shape1, "Shape1", missing);
    BindFormField(*this, Label1, "Label1", missing);
    BindFormField(*this, Label2, "Label2", missing);
    if (m_sFormError.empty() && !missing.empty())
        m_sFormError = "AboutVarnel: " + missing;
}

TAboutVarnel::~TAboutVarnel() {
    if (AboutVarnel == this)
        AboutVarnel = nullptr;
}

void TAboutVarnel::CreateWnd() {
    TForm::CreateWnd();
    if (Label1)
        Label1->SetCaption(kCreditLine1);
    if (Label2)
        Label2->SetCaption(kCreditLine2);
}

bool ShowAboutVarnel(std::string* Error) {
    TAboutVarnel box(nullptr);
    if (!box.FormError().empty()) {
        if (Error)
            *Error = box.FormError();
        return false;
    }
    AboutVarnel = &box;
    box.ShowModal();
    return true;
}
