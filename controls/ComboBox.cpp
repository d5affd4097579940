#include "controls/ComboBox.h"

#include "components/Filer.h"
#include "identifiers/WideText.h"

#include <commctrl.h>

const TClassInfo& TComboBoxStrings::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TComboBoxStrings",
        .Parent = &TPersistent::StaticClassInfo(),
    };
    return info;
}

const std::string& TComboBoxStrings::operator[](int Index) const {
    static const std::string empty;
    return Index >= 0 && Index < Count() ? m_Strings[Index] : empty;
}

int TComboBoxStrings::Add(const std::string& S) {
    m_Strings.push_back(S);
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Utf8ToWide(S).c_str()));
    return Count() - 1;
}

void TComboBoxStrings::Delete(int Index) {
    if (Index < 0 || Index >= Count())
        return;
    m_Strings.erase(m_Strings.begin() + Index);
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), CB_DELETESTRING, Index, 0);
    if (m_Owner->m_iItemIndex >= Count())
        m_Owner->m_iItemIndex = -1;
}

void TComboBoxStrings::Clear() {
    m_Strings.clear();
    m_Owner->m_iItemIndex = -1;
    if (m_Owner->HandleAllocated())
        SendMessageW(m_Owner->Handle(), CB_RESETCONTENT, 0, 0);
}

int TComboBoxStrings::IndexOf(const std::string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (m_Strings[i] == S)
            return i;
    return -1;
}

void TComboBoxStrings::Assign(std::vector<std::string> Strings) {
    Clear();
    for (const std::string& s : Strings)
        Add(s);
}

void TComboBoxStrings::DefineProperties(TFiler& Filer) {
    TPersistent::DefineProperties(Filer);
    DefineStrings(Filer, "Strings", m_Strings,
                  [this](std::vector<std::string> Read) { Assign(std::move(Read)); });
}

const TClassInfo& TCustomComboBox::StaticClassInfo() {
    using T = TCustomComboBox;
    static const TClassInfo info{
        .ClassName = "TCustomComboBox",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TCustomComboBox>,
        .Properties =
            {
                IntegerProperty("DropDownCount", &T::DropDownCount, &T::SetDropDownCount, 8),
                IntegerProperty("ItemHeight", &T::ItemHeight, &T::SetItemHeight, 16),
                PersistentProperty("Items", "TStrings", &T::Items),
                EnumProperty("Style", "TComboBoxStyle", &T::Style, &T::SetStyle,
                             {"csDropDownList", "csOwnerDrawFixed"}, csDropDownList),
            },
        .Messages =
            {
                MessageHandler<CN_COMMAND, &T::CNCommand>(),
                MessageHandler<CN_DRAWITEM, &T::CNDrawItem>(),
                MessageHandler<CN_MEASUREITEM, &T::CNMeasureItem>(),
            },
    };
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 24);
}

TCustomComboBox::~TCustomComboBox() {
    DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = WC_COMBOBOXW;
    Params.Style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS;
    if (m_Style == csOwnerDrawFixed)
        Params.Style |= CBS_OWNERDRAWFIXED;
    // The window's height includes the open list.
    Params.Height = m_iItemHeight + 8 + m_iDropDownCount * m_iItemHeight + 2;
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    if (m_Style == csOwnerDrawFixed) {
        SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), m_iItemHeight);
        SendMessageW(window, CB_SETITEMHEIGHT, 0, m_iItemHeight);
    }
    SendMessageW(window, CB_SETMINVISIBLE, m_iDropDownCount, 0);
    for (const std::string& s : m_Items.m_Strings)
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(s).c_str()));
    SendMessageW(window, CB_SETCURSEL, m_iItemIndex, 0);
}

void TCustomComboBox::DestroyWnd() {
    m_iItemIndex = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
    TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() const {
    if (!HandleAllocated())
        return m_iItemIndex;
    return static_cast<int>(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value) {
    m_iItemIndex = Value >= 0 && Value < m_Items.Count() ? Value : -1;
    if (HandleAllocated())
        SendMessageW(Handle(), CB_SETCURSEL, m_iItemIndex, 0);
}

bool TCustomComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) == TRUE;
}

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Handle())
        SendMessageW(Handle(), CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::SetItemHeight(int Value) {
    if (Value <= 0)
        return;
    m_iItemHeight = Value;
    if (HandleAllocated() && m_Style == csOwnerDrawFixed) {
        SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Value);
        SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Value);
    }
}

void TCustomComboBox::SetDropDownCount(int Value) {
    if (Value <= 0)
        return;
    m_iDropDownCount = Value;
    if (HandleAllocated())
        SendMessageW(Handle(), CB_SETMINVISIBLE, Value, 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (Value == m_Style)
        return;
    m_Style = Value;
    RecreateWnd();
}

void TCustomComboBox::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    m_Canvas.FillRect(Rect);
    m_Canvas.TextOut(Rect.left + 2, Rect.top, m_Items[Index]);
}

void TCustomComboBox::CNCommand(TMessage& Message) {
    switch (Message.NotifyCode()) {
    case CBN_SELCHANGE:
        Change();
        break;
    case CBN_SELENDOK:
        SelEndOk();
        break;
    case CBN_SELENDCANCEL:
        SelEndCancel();
        break;
    case CBN_CLOSEUP:
        CloseUp();
        break;
    default:
        Inherited(Message);
    }
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
    const DRAWITEMSTRUCT* dis = Message.DrawItemStruct();
    if (!dis)
        return;
    const auto state = static_cast<TOwnerDrawState>(LOWORD(dis->itemState));
    const int index = static_cast<int>(dis->itemID);
    m_Canvas.SetHandle(dis->hDC);
    m_Canvas.Font = Font();
    m_Canvas.Brush = TBrush{Color(), bsSolid};
    if (index >= 0 && (state & odSelected)) {
        m_Canvas.Brush.Color = clHighlight;
        m_Canvas.Font.SetColor(clHighlightText);
    }
    if (index >= 0)
        DrawItem(index, dis->rcItem, state);
    else
        m_Canvas.FillRect(dis->rcItem);
    if (state & odFocused)
        m_Canvas.DrawFocusRect(dis->rcItem);
    m_Canvas.SetHandle(nullptr);
    Message.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TMessage& Message) {
    MEASUREITEMSTRUCT* mis = Message.MeasureItemStruct();
    if (mis)
        mis->itemHeight = static_cast<UINT>(m_iItemHeight);
    Message.Result = TRUE;
}
