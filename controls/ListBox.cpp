#include "controls/ListBox.h"

#include "components/Filer.h"
#include "identifiers/WideText.h"

const TClassInfo& TListBoxStrings::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TListBoxStrings",
        .Parent = &TPersistent::StaticClassInfo(),
    };
    return info;
}

const std::string& TListBoxStrings::operator[](int Index) const {
    static const std::string empty;
    return Index >= 0 && Index < Count() ? m_Strings[Index] : empty;
}

int TListBoxStrings::Add(const std::string& S) {
    m_Strings.push_back(S);
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->WindowHandle(), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Utf8ToWide(S).c_str()));
    return Count() - 1;
}

void TListBoxStrings::Delete(int Index) {
    if (Index < 0 || Index >= Count())
        return;
    m_Strings.erase(m_Strings.begin() + Index);
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->WindowHandle(), LB_DELETESTRING, Index, 0);
    if (m_Owner->m_iItemIndex >= Count())
        m_Owner->m_iItemIndex = -1;
}

void TListBoxStrings::Clear() {
    m_Strings.clear();
    m_Owner->m_iItemIndex = -1;
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->WindowHandle(), LB_RESETCONTENT, 0, 0);
}

int TListBoxStrings::IndexOf(const std::string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (m_Strings[i] == S)
            return i;
    return -1;
}

void TListBoxStrings::Assign(std::vector<std::string> Strings) {
    Clear();
    for (const std::string& s : Strings)
        Add(s);
}

void TListBoxStrings::DefineProperties(TFiler& Filer) {
    TPersistent::DefineProperties(Filer);
    DefineStrings(Filer, "Strings", m_Strings,
                  [this](std::vector<std::string> Read) { Assign(std::move(Read)); });
}

const TClassInfo& TListBox::StaticClassInfo() {
    using T = TListBox;
    static const std::vector<std::string_view> republished = {
        "Name",        "Left",        "Top",        "Width",          "Height",      "Align",
        "BorderStyle", "Color",       "Ctl3D",      "Enabled",        "Font",        "Hint",
        "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",   "ShowHint",
        "TabOrder",    "Visible",     "OnEnter",    "OnExit",         "OnMouseDown", "OnMouseUp",
        "OnKeyDown",   "OnKeyUp",     "OnDblClick",
    };
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
        .Republished = republished,
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
    for (const std::string& s : m_Items.Strings())
        SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(s).c_str()));
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
