#include "controls/ComboBox.h"

#include "components/Filer.h"
#include "identifiers/WideText.h"

#include <commctrl.h>

const TClassInfo& TComboBox::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TComboBox",
        .Parent = &TCustomComboBox::StaticClassInfo(),
        .Create = ConstructComponent<TComboBox>,
    };
    return info;
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
    // Before the window exists, the height asked for is the closed box's.
    const int closedHeight = Height();
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    if (m_Style == csOwnerDrawFixed) {
        SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), m_iItemHeight);
        SendMessageW(window, CB_SETITEMHEIGHT, 0, m_iItemHeight);
    } else {
        FitClosedHeight(closedHeight);
    }
    SendMessageW(window, CB_SETMINVISIBLE, m_iDropDownCount, 0);
    m_Items.FillWindow(window);
    SendMessageW(window, CB_SETCURSEL, m_iItemIndex, 0);
}

// A list the system draws takes no item height (the platform refuses it), and closes at the
// height its font gives; its selection field does take a height, which sets the closed box's.
void TCustomComboBox::FitClosedHeight(int Closed) {
    HWND window = WindowHandle();
    // How the field's height shows in the box's (and what asking for it answers) is the
    // platform's business: measured, not assumed, a few times at most.
    int field =
        static_cast<int>(SendMessageW(window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 4 && Closed > 0; ++attempt) {
        RECT r{};
        GetWindowRect(window, &r);
        if (r.bottom - r.top == Closed)
            return;
        field += Closed - (r.bottom - r.top);
        if (field <= 0)
            return;
        SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
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
