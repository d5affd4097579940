#include "controls/ListBox.h"

#include "components/Filer.h"
#include "identifiers/WideText.h"

const TClassInfo& TListBox::StaticClassInfo() {
    using T = TListBox;
    static const TClassInfo info{
        .ClassName = "TListBox",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TListBox>,
        .Properties =
            {
                // Taken by Tab unless told otherwise.
                BooleanProperty("TabStop", &T::TabStop, &T::SetTabStop, true),
                BooleanProperty("IntegralHeight", &T::IntegralHeight, &T::SetIntegralHeight, false),
                IntegerProperty("ItemHeight", &T::ItemHeight, &T::SetItemHeight, 13),
                PersistentProperty("Items", "TStrings", &T::Items),
                EventProperty("OnClick", &T::OnClick),
            },
        .Messages = {MessageHandler<CN_COMMAND, &T::CNCommand>()},
        .Republished = FieldProperties(),
    };
    return info;
}

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetBorderStyle(bsSingle);
    SetTabStop(true);
}

TListBox::~TListBox() {
    DestroyHandle();
}

void TListBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = L"LISTBOX";
    Params.Style |= LBS_NOTIFY | WS_VSCROLL;
    if (!m_bIntegralHeight)
        Params.Style |= LBS_NOINTEGRALHEIGHT;
}

void TListBox::CreateWnd() {
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    HWND window = WindowHandle();
    SendMessageW(window, LB_SETITEMHEIGHT, 0, m_iItemHeight);
    m_Items.FillWindow(window);
    SendMessageW(window, LB_SETCURSEL, m_iItemIndex, 0);
}

void TListBox::DestroyWnd() {
    m_iItemIndex = static_cast<int>(SendMessageW(WindowHandle(), LB_GETCURSEL, 0, 0));
    TWinControl::DestroyWnd();
}

int TListBox::ItemIndex() const {
    if (!HandleAllocated())
        return m_iItemIndex;
    return static_cast<int>(SendMessageW(WindowHandle(), LB_GETCURSEL, 0, 0));
}

void TListBox::SetItemIndex(int Value) {
    m_iItemIndex = Value >= 0 && Value < m_Items.Count() ? Value : -1;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), LB_SETCURSEL, m_iItemIndex, 0);
}

void TListBox::SetItemHeight(int Value) {
    if (Value <= 0 || Value > 255)
        return;
    m_iItemHeight = Value;
    if (HandleAllocated()) {
        SendMessageW(WindowHandle(), LB_SETITEMHEIGHT, 0, Value);
        Invalidate();
    }
}

void TListBox::SetIntegralHeight(bool Value) {
    if (Value == m_bIntegralHeight)
        return;
    m_bIntegralHeight = Value;
    RecreateWnd();
}

// The list box reports LBN_SELCHANGE only for the user's own selections, never for LB_SETCURSEL.
void TListBox::CNCommand(TMessage& Message) {
    if (Message.NotifyCode() == LBN_SELCHANGE) {
        if (OnClick)
            OnClick(this);
        return;
    }
    Inherited(Message);
}
