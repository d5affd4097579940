#include "controls/CheckBox.h"

const TClassInfo& TCheckBox::StaticClassInfo() {
    using T = TCheckBox;
    static const std::vector<std::string_view> republished = {
        "Name",           "Left",        "Top",       "Width",     "Height",      "Caption",
        "Color",          "Enabled",     "Font",      "Hint",      "ParentColor", "ParentFont",
        "ParentShowHint", "PopupMenu",   "ShowHint",  "TabOrder",  "Visible",     "OnEnter",
        "OnExit",         "OnMouseDown", "OnMouseUp", "OnKeyDown", "OnKeyUp",
    };
    static const TClassInfo info{
        .ClassName = "TCheckBox",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TCheckBox>,
        .Properties =
            {
                // Taken by Tab unless told otherwise.
                BooleanProperty("TabStop", &T::TabStop, &T::SetTabStop, true),
                BooleanProperty("Checked", &T::Checked, &T::SetChecked, false),
                EventProperty("OnClick", &T::OnClick),
            },
        .Messages =
            {
                MessageHandler<CN_COMMAND, &T::CNCommand>(),
                MessageHandler<CN_CTLCOLORSTATIC, &T::CNCtlColor>(),
                MessageHandler<CN_CTLCOLORBTN, &T::CNCtlColor>(),
            },
        .Republished = republished,
    };
    return info;
}

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 97, 17);
    SetParentColor(true);
    SetTabStop(true);
}

TCheckBox::~TCheckBox() {
    DestroyHandle();
}

void TCheckBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = L"BUTTON";
    Params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETCHECK, m_bChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::DestroyWnd() {
    m_bChecked = Checked();
    TWinControl::DestroyWnd();
}

bool TCheckBox::Checked() const {
    if (!HandleAllocated())
        return m_bChecked;
    return SendMessageW(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool Value) {
    m_bChecked = Value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CNCommand(TMessage& Message) {
    if (Message.NotifyCode() == BN_CLICKED) {
        if (OnClick)
            OnClick(this);
        return;
    }
    Inherited(Message);
}
