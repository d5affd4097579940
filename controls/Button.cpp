#include "controls/Button.h"

const TClassInfo& TButton::StaticClassInfo() {
    using T = TButton;
    static const std::vector<std::string_view> republished = {
        "Name",    "Left",    "Top",        "Width",          "Height",    "Caption",   "Enabled",
        "Font",    "Hint",    "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",  "TabOrder",
        "Visible", "OnEnter", "OnExit",     "OnMouseDown",    "OnMouseUp", "OnKeyDown", "OnKeyUp",
    };
    static const TClassInfo info{
        .ClassName = "TButton",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TButton>,
        .Properties =
            {
                // Taken by Tab unless told otherwise.
                BooleanProperty("TabStop", &T::TabStop, &T::SetTabStop, true),
                BooleanProperty("Cancel", &T::Cancel, &T::SetCancel, false),
                BooleanProperty("Default", &T::Default, &T::SetDefault, false),
                IntegerProperty("ModalResult", &T::ModalResult, &T::SetModalResult, mrNone),
                EventProperty("OnClick", &T::OnClick),
            },
        .Messages = {MessageHandler<CN_COMMAND, &T::CNCommand>()},
        .Republished = republished,
    };
    return info;
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TButton::~TButton() {
    DestroyHandle();
}

void TButton::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = L"BUTTON";
    Params.Style |= m_bDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

// The dialog manager sends Escape to the control numbered IDCANCEL and, unless told another
// number, Enter to IDOK: the Cancel and Default buttons take those numbers, so the keys click
// them like any other press.
void TButton::CreateWnd() {
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    if (m_bCancel)
        SetWindowLongPtrW(WindowHandle(), GWLP_ID, IDCANCEL);
    else if (m_bDefault)
        SetWindowLongPtrW(WindowHandle(), GWLP_ID, IDOK);
}

void TButton::SetDefault(bool Value) {
    if (Value == m_bDefault)
        return;
    m_bDefault = Value;
    RecreateWnd();
}

void TButton::SetCancel(bool Value) {
    if (Value == m_bCancel)
        return;
    m_bCancel = Value;
    RecreateWnd();
}

void TButton::Click() {
    if (m_ModalResult != mrNone)
        if (TForm* form = GetParentForm(this))
            form->SetModalResult(m_ModalResult);
    if (OnClick)
        OnClick(this);
}

void TButton::CNCommand(TMessage& Message) {
    if (Message.NotifyCode() == BN_CLICKED) {
        Click();
        return;
    }
    Inherited(Message);
}
