// The control's stored look and behaviour: alignment, border, colour and font with their parent
// flags, hints, Tab order, the pop-up menu, and the mouse and key events.

#include "controls/Menus.h"
#include "controls/WinControl.h"

#include "identifiers/WideText.h"

#include <commctrl.h>

#include <algorithm>

namespace {

TShiftState MouseShift(WPARAM Keys) {
    TShiftState shift = 0;
    if (Keys & MK_SHIFT)
        shift |= ssShift;
    if (Keys & MK_CONTROL)
        shift |= ssCtrl;
    if (Keys & MK_LBUTTON)
        shift |= ssLeft;
    if (Keys & MK_RBUTTON)
        shift |= ssRight;
    if (Keys & MK_MBUTTON)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TShiftState KeyShift() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Colour and font, and what children take from their parent.

bool TWinControl::ContextMenuFromShiftF10(const TMessage& Message) {
    if (Message.CharCode() != VK_F10 || KeyShift() != ssShift || !HandleAllocated())
        return false;
    Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), static_cast<LPARAM>(-1));
    return true;
}

void TWinControl::SetColor(TColor Value) {
    m_bParentColor = false;
    m_Color = Value;
    ApplyColor();
    for (TWinControl* child : m_Controls)
        if (child->m_bParentColor) {
            child->m_Color = Value;
            child->ApplyColor();
        }
}

void TWinControl::SetParentColor(bool Value) {
    m_bParentColor = Value;
    if (Value && m_Parent) {
        m_Color = m_Parent->m_Color;
        ApplyColor();
    }
}

void TWinControl::ApplyColor() {
    Invalidate();
}

void TWinControl::SetParentFont(bool Value) {
    m_bParentFont = Value;
    if (Value && m_Parent) {
        m_bSettingParentFont = true;
        m_Font.Assign(m_Parent->m_Font);
        m_bSettingParentFont = false;
    }
}

void TWinControl::FontChanged() {
    if (!m_bSettingParentFont)
        m_bParentFont = false;
    if (m_hWindow) {
        SendMessageW(m_hWindow, WM_SETFONT, reinterpret_cast<WPARAM>(m_Font.Handle()), TRUE);
        ApplyColor();
    }
    for (TWinControl* child : m_Controls)
        if (child->m_bParentFont)
            child->SetParentFont(true);
}

// A new parent: what the control takes from it, and a new layout for both.
void TWinControl::ParentChanged() {
    if (!m_Parent)
        return;
    if (m_bParentFont)
        SetParentFont(true);
    if (m_bParentColor)
        SetParentColor(true);
    UpdateHintWindow();
    if (m_Align != alNone)
        m_Parent->AlignControls();
}

// ---------------------------------------------------------------------------------------------
// Alignment and border.

void TWinControl::SetAlign(TAlign Value) {
    if (m_Align == Value)
        return;
    m_Align = Value;
    if (m_Parent)
        m_Parent->AlignControls();
}

void TWinControl::AlignControls() {
    if (m_bAligning)
        return;
    m_bAligning = true;
    RECT free = ClientRect();
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TWinControl* child : m_Controls) {
            if (child->m_Align != pass || !child->m_bVisible)
                continue;
            const int w = child->Width();
            const int h = child->Height();
            const int freeWidth = std::max(0L, free.right - free.left);
            const int freeHeight = std::max(0L, free.bottom - free.top);
            if (pass == alTop) {
                child->SetBounds(free.left, free.top, freeWidth, h);
                free.top += h;
            } else if (pass == alBottom) {
                child->SetBounds(free.left, free.bottom - h, freeWidth, h);
                free.bottom -= h;
            } else if (pass == alLeft) {
                child->SetBounds(free.left, free.top, w, freeHeight);
                free.left += w;
            } else if (pass == alRight) {
                child->SetBounds(free.right - w, free.top, w, freeHeight);
                free.right -= w;
            } else {
                child->SetBounds(free.left, free.top, freeWidth, freeHeight);
            }
        }
    }
    m_bAligning = false;
}

void TWinControl::WMSize(TMessage& Message) {
    Inherited(Message);
    AlignControls();
}

void TWinControl::SetBorderStyle(TBorderStyle Value) {
    if (m_BorderStyle == Value)
        return;
    m_BorderStyle = Value;
    if (!m_hWindow)
        return;
    LONG_PTR ex = GetWindowLongPtrW(m_hWindow, GWL_EXSTYLE);
    ex = Value == bsSingle ? (ex | WS_EX_CLIENTEDGE) : (ex & ~WS_EX_CLIENTEDGE);
    SetWindowLongPtrW(m_hWindow, GWL_EXSTYLE, ex);
    SetWindowPos(m_hWindow, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
    if (!m_bOwnWindowClass) {
        Inherited(Message);
        return;
    }
    RECT r{};
    GetClientRect(m_hWindow, &r);
    FillSolidRect(reinterpret_cast<HDC>(Message.WParam), r, m_Color);
    Message.Result = TRUE;
}

void TWinControl::WMCtlColor(TMessage& Message) {
    HWND source = reinterpret_cast<HWND>(Message.LParam);
    if (source && source != m_hWindow && FindControl(source)) {
        Message.Result =
            SendMessageW(source, CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        if (Message.Result)
            return;
    }
    Inherited(Message);
}

// The DC brush takes its colour from the context the control paints on, so no brush is made
// (or leaked) per paint.
void TWinControl::CNCtlColor(TMessage& Message) {
    const HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(dc, ColorToRGB(m_Font.Color()));
    SetBkMode(dc, TRANSPARENT);
    SetDCBrushColor(dc, ColorToRGB(m_Color));
    Message.Result = reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

// ---------------------------------------------------------------------------------------------
// Hints.

void TWinControl::SetHint(const std::string& Value) {
    m_sHint = Value;
    UpdateHintWindow();
}

void TWinControl::SetShowHint(bool Value) {
    m_bParentShowHint = false;
    m_bShowHint = Value;
    UpdateHintWindow();
}

void TWinControl::SetParentShowHint(bool Value) {
    m_bParentShowHint = Value;
    UpdateHintWindow();
}

bool TWinControl::HintsShown() const {
    if (m_bParentShowHint && m_Parent)
        return m_Parent->HintsShown();
    return m_bShowHint;
}

void TWinControl::UpdateHintWindow() {
    const bool wanted = m_hWindow && !m_sHint.empty() && HintsShown();
    if (!wanted && m_hHintWindow) {
        DestroyWindow(m_hHintWindow);
        m_hHintWindow = nullptr;
    }
    if (wanted) {
        std::wstring text = Utf8ToWide(m_sHint);
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = m_hWindow;
        tool.uId = reinterpret_cast<UINT_PTR>(m_hWindow);
        tool.lpszText = text.data();
        if (!m_hHintWindow) {
            // Destroyed with the control's window (WindowGone).
            m_hHintWindow =
                CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                m_hWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
            if (m_hHintWindow)
                SendMessageW(m_hHintWindow, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        } else {
            SendMessageW(m_hHintWindow, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    for (TWinControl* child : m_Controls)
        if (child->m_bParentShowHint)
            child->UpdateHintWindow();
}

// ---------------------------------------------------------------------------------------------
// Tab order.

const std::vector<std::string_view>& TWinControl::FieldProperties() {
    static const std::vector<std::string_view> names = {
        "Name",        "Left",        "Top",        "Width",          "Height",      "Align",
        "BorderStyle", "Color",       "Ctl3D",      "Enabled",        "Font",        "Hint",
        "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",   "ShowHint",
        "TabOrder",    "Visible",     "OnEnter",    "OnExit",         "OnMouseDown", "OnMouseUp",
        "OnKeyDown",   "OnKeyUp",     "OnDblClick",
    };
    return names;
}

int TWinControl::TabOrder() const {
    if (!m_Parent)
        return -1;
    const auto& siblings = m_Parent->m_Controls;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (!m_Parent)
        return;
    auto& siblings = m_Parent->m_Controls;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    const int place = std::clamp(Value, 0, static_cast<int>(siblings.size()));
    siblings.insert(siblings.begin() + place, this);
    m_Parent->ApplyTabOrder();
}

// Tab goes through the children in their z-order: put the windows in the order of the list.
void TWinControl::ApplyTabOrder() {
    HWND previous = HWND_TOP;
    for (TWinControl* child : m_Controls) {
        if (!child->m_hWindow)
            continue;
        SetWindowPos(child->m_hWindow, previous, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        previous = child->m_hWindow;
    }
    for (TWinControl* child : m_Controls)
        if (child->m_hWindow && child->StaysBehindSiblings())
            SetWindowPos(child->m_hWindow, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void TWinControl::SetTabStop(bool Value) {
    m_bTabStop = Value;
    if (!m_hWindow)
        return;
    const LONG_PTR style = GetWindowLongPtrW(m_hWindow, GWL_STYLE);
    SetWindowLongPtrW(m_hWindow, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

// ---------------------------------------------------------------------------------------------
// Pop-up menu, form nesting.

void TWinControl::SetPopupMenu(TPopupMenu* Value) {
    ReferTo(m_PopupMenu, Value);
}

void TWinControl::WMContextMenu(TMessage& Message) {
    if (!m_PopupMenu || m_PopupMenu->Count() == 0) {
        Inherited(Message);
        return;
    }
    POINT at{static_cast<short>(LOWORD(Message.LParam)),
             static_cast<short>(HIWORD(Message.LParam))};
    if (Message.LParam == -1) // from the keyboard: at the control's corner
        at = ClientToScreen(POINT{0, 0});
    m_PopupMenu->Popup(at.x, at.y, m_hWindow);
    Message.Result = 0;
}

TComponent* TWinControl::GetParentComponent() const {
    return m_Parent;
}

void TWinControl::SetParentComponent(TComponent* Value) {
    if (auto* parent = dynamic_cast<TWinControl*>(Value))
        SetParent(parent);
}

void TWinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == m_PopupMenu)
        m_PopupMenu = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Mouse and key events.

void TWinControl::WMMouseDown(TMessage& Message) {
    if (OnMouseDown) {
        const TMouseButton button = Message.Msg == WM_RBUTTONDOWN   ? mbRight
                                    : Message.Msg == WM_MBUTTONDOWN ? mbMiddle
                                                                    : mbLeft;
        OnMouseDown(this, button, MouseShift(Message.WParam), Message.XPos(), Message.YPos());
    }
    Inherited(Message);
}

void TWinControl::WMMouseUp(TMessage& Message) {
    if (OnMouseUp) {
        const TMouseButton button = Message.Msg == WM_RBUTTONUP   ? mbRight
                                    : Message.Msg == WM_MBUTTONUP ? mbMiddle
                                                                  : mbLeft;
        OnMouseUp(this, button, MouseShift(Message.WParam), Message.XPos(), Message.YPos());
    }
    Inherited(Message);
}

void TWinControl::WMLButtonDblClk(TMessage& Message) {
    if (OnMouseDown)
        OnMouseDown(this, mbLeft, MouseShift(Message.WParam) | ssDouble, Message.XPos(),
                    Message.YPos());
    if (OnDblClick)
        OnDblClick(this);
    Inherited(Message);
}

void TWinControl::WMKey(TMessage& Message) {
    const TKeyEvent& handler =
        Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN ? OnKeyDown : OnKeyUp;
    if (handler) {
        WORD key = Message.CharCode();
        handler(this, key, KeyShift());
        if (key == 0)
            return; // the handler took the key
        Message.WParam = key;
    }
    Inherited(Message);
}
