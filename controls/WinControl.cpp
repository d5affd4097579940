#include "controls/WinControl.h"

#include "controls/Designer.h"
#include "controls/Menus.h"

#include "controls/HostReflection.h"
#include "identifiers/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <unordered_map>

namespace {

// Our procedure sits in front of the window's own one, set through GWLP_WNDPROC and not through
// the common controls' subclass chain: that chain looks its data up in a window property on every
// message, which under Wine is a round trip to the window server (tens of microseconds), and a
// list filled with thousands of rows sends several messages per row through it.
//
// The controls by window, each with the procedure ours forwards to. The control is cleared when
// the control forgets a window that still exists (a window of another thread); the procedure is
// kept until the window's last message. All windows of ours live on one thread.
struct TControlEntry {
    TWinControl* Control = nullptr;
    WNDPROC Original = nullptr;
};

std::unordered_map<HWND, TControlEntry>& ControlWindows() {
    static std::unordered_map<HWND, TControlEntry> map;
    return map;
}

constexpr wchar_t kWindowClass[] = L"VarnelWindow";
constexpr wchar_t kDialogClass[] = L"VarnelDialog";

// A window class of this module, unregistered when the process lets go of its statics.
struct TRegisteredClass {
    const wchar_t* Name;
    ATOM Atom = 0;
    TRegisteredClass(const wchar_t* AName, WNDPROC Proc, int WindowExtra) : Name(AName) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.cbWndExtra = WindowExtra;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = Name;
        Atom = RegisterClassExW(&wc);
    }
    ~TRegisteredClass() {
        if (Atom)
            UnregisterClassW(Name, GetModuleHandleW(nullptr));
    }
    TRegisteredClass(const TRegisteredClass&) = delete;
    TRegisteredClass& operator=(const TRegisteredClass&) = delete;
};

// The common controls and our own window classes, set up once for the process. Forms are of a
// class whose own procedure is the dialog manager's: only with it do access keys, Enter and
// Escape work in IsDialogMessage (with DefWindowProc, Tab alone does).
struct TWindowClasses {
    TWindowClasses() {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                  ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
    }
    TRegisteredClass Window{kWindowClass, DefWindowProcW, 0};
    TRegisteredClass Dialog{kDialogClass, DefDlgProcW, DLGWINDOWEXTRA};
};

void EnsureWindowClasses() {
    static TWindowClasses classes;
}

int NextControlId() {
    static int id = 1000;
    return ++id;
}

const wchar_t* CursorResource(TCursor Cursor) {
    struct Entry {
        TCursor Cursor;
        const wchar_t* Resource;
    };
    static const Entry entries[] = {
        {crArrow, IDC_ARROW},    {-3, IDC_CROSS},        {-4, IDC_IBEAM},
        {crHourGlass, IDC_WAIT}, {-18, IDC_NO},          {-19, IDC_APPSTARTING},
        {-21, IDC_HAND},         {crSizeNS, IDC_SIZENS}, {crSizeWE, IDC_SIZEWE},
    };
    for (const Entry& e : entries)
        if (e.Cursor == Cursor)
            return e.Resource;
    return nullptr;
}

RECT WindowBounds(HWND Window) {
    RECT r{};
    GetWindowRect(Window, &r);
    if (GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The user's mouse and keys, which on a designed form are the designer's and not the control's.
bool IsDesignInput(UINT Msg) {
    return (Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST) ||
           (Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST) || Msg == WM_CONTEXTMENU;
}

bool IsSystemKey(UINT Msg) {
    return Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP || Msg == WM_SYSCHAR || Msg == WM_SYSDEADCHAR;
}

} // namespace

// The window procedure of every control of ours, put in front of the window's own.
struct TWinControlAccess {
    static LRESULT CALLBACK ControlProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
        const auto it = ControlWindows().find(Window);
        if (it == ControlWindows().end())
            return DefWindowProcW(Window, Msg, WParam, LParam);
        TWinControl* control = it->second.Control;
        const WNDPROC original = it->second.Original;
        if (!control)
            return CallWindowProcW(original, Window, Msg, WParam, LParam);
        if (Msg == WM_NCDESTROY) {
            // The window's last message: the control lets go first, the window's own procedure
            // then cleans up after itself.
            it->second.Control = nullptr;
            control->WindowGone();
            const LRESULT result = CallWindowProcW(original, Window, Msg, WParam, LParam);
            ControlWindows().erase(Window);
            return result;
        }
        if (Msg == WM_DESTROY)
            control->m_bDestroyingHandle = true;
        TMessage message{Msg, WParam, LParam, 0};
        control->WndProc(message);
        return message.Result;
    }
};

const TClassInfo& TWinControl::StaticClassInfo() {
    using T = TWinControl;
    static const TClassInfo info{
        .ClassName = "TWinControl",
        .Parent = &TComponent::StaticClassInfo(),
        .Create = ConstructComponent<TWinControl>,
        .Properties =
            {
                IntegerProperty("Left", &T::Left, &T::SetLeft),
                IntegerProperty("Top", &T::Top, &T::SetTop),
                IntegerProperty("Width", &T::Width, &T::SetWidth),
                IntegerProperty("Height", &T::Height, &T::SetHeight),
                StringProperty("Caption", &T::Caption, &T::SetCaption, std::string()),
                IntegerProperty("Cursor", &T::Cursor, &T::SetCursor, crDefault, CursorIdents()),
                EnumProperty("DragMode", "TDragMode", &T::DragMode, &T::SetDragMode,
                             {"dmManual", "dmAutomatic"}, dmManual),
                BooleanProperty("Enabled", &T::Enabled, &T::SetEnabled, true),
                BooleanProperty("Visible", &T::Visible, &T::SetVisible, true),
                EnumProperty("Align", "TAlign", &T::Align, &T::SetAlign,
                             {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                             alNone),
                EnumProperty("BorderStyle", "TBorderStyle", &T::BorderStyle, &T::SetBorderStyle,
                             {"bsNone", "bsSingle"}, bsSingle),
                IntegerProperty("Color", &T::Color, &T::SetColor, clWindow, ColorIdents()),
                BooleanProperty("Ctl3D", &T::Ctl3D, &T::SetCtl3D, true),
                PersistentProperty("Font", "TFont", &T::Font),
                StringProperty("Hint", &T::Hint, &T::SetHint, std::string()),
                BooleanProperty("ParentColor", &T::ParentColor, &T::SetParentColor, false),
                BooleanProperty("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true),
                BooleanProperty("ParentFont", &T::ParentFont, &T::SetParentFont, true),
                BooleanProperty("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true),
                ComponentProperty("PopupMenu", "TPopupMenu", &T::PopupMenu, &T::SetPopupMenu),
                BooleanProperty("ShowHint", &T::ShowHint, &T::SetShowHint, false),
                IntegerProperty("TabOrder", &T::TabOrder, &T::SetTabOrder, -1),
                BooleanProperty("TabStop", &T::TabStop, &T::SetTabStop, false),
                EventProperty("OnEnter", &T::OnEnter),
                EventProperty("OnExit", &T::OnExit),
                EventProperty("OnMouseDown", &T::OnMouseDown),
                EventProperty("OnMouseUp", &T::OnMouseUp),
                EventProperty("OnKeyDown", &T::OnKeyDown),
                EventProperty("OnKeyUp", &T::OnKeyUp),
                EventProperty("OnDblClick", &T::OnDblClick),
            },
        .Messages =
            {
                MessageHandler<WM_NOTIFY, &T::WMNotify>(),
                MessageHandler<WM_DRAWITEM, &T::WMDrawItem>(),
                MessageHandler<WM_MEASUREITEM, &T::WMMeasureItem>(),
                MessageHandler<WM_COMMAND, &T::WMCommand>(),
                MessageHandler<WM_SETCURSOR, &T::WMSetCursor>(),
                MessageHandler<WM_SETFOCUS, &T::WMSetFocus>(),
                MessageHandler<WM_KILLFOCUS, &T::WMKillFocus>(),
                MessageHandler<WM_SIZE, &T::WMSize>(),
                MessageHandler<WM_ERASEBKGND, &T::WMEraseBkgnd>(),
                MessageHandler<WM_CONTEXTMENU, &T::WMContextMenu>(),
                MessageHandler<WM_LBUTTONDOWN, &T::WMMouseDown>(),
                MessageHandler<WM_RBUTTONDOWN, &T::WMMouseDown>(),
                MessageHandler<WM_MBUTTONDOWN, &T::WMMouseDown>(),
                MessageHandler<WM_LBUTTONUP, &T::WMMouseUp>(),
                MessageHandler<WM_RBUTTONUP, &T::WMMouseUp>(),
                MessageHandler<WM_MBUTTONUP, &T::WMMouseUp>(),
                MessageHandler<WM_LBUTTONDBLCLK, &T::WMLButtonDblClk>(),
                MessageHandler<WM_KEYDOWN, &T::WMKey>(),
                MessageHandler<WM_KEYUP, &T::WMKey>(),
                MessageHandler<WM_CTLCOLOREDIT, &T::WMCtlColor>(),
                MessageHandler<WM_CTLCOLORLISTBOX, &T::WMCtlColor>(),
                MessageHandler<WM_CTLCOLORBTN, &T::WMCtlColor>(),
                MessageHandler<WM_CTLCOLORSTATIC, &T::WMCtlColor>(),
            },
    };
    return info;
}

TWinControl::TWinControl(TComponent* AOwner) : TComponent(AOwner) {
    m_Font.OnChange = [this](TObject*) { FontChanged(); };
}

TWinControl::~TWinControl() {
    DestroyComponents();
    // Child controls are not destroyed with their parent (their owner does that); they lose
    // their parent, and their windows go with this one.
    for (TWinControl* child : m_Controls)
        child->m_Parent = nullptr;
    m_Controls.clear();
    if (m_Parent)
        m_Parent->RemoveControl(this);
    if (m_hWindow) {
        m_bDestroyingHandle = true;
        DestroyWindow(m_hWindow);
    }
    if (m_hWindow)
        ForgetWindow();
    m_hWindow = nullptr;
    ReleaseHost();
}

HWND TWinControl::Handle() {
    if (!m_hWindow)
        CreateHandle();
    return m_hWindow;
}

void TWinControl::CreateHandle() {
    if (m_hWindow || m_bCreating)
        return;
    m_bCreating = true;
    CreateWnd();
    m_bCreating = false;
    if (!m_hWindow)
        return;
    for (TWinControl* child : m_Controls)
        child->CreateHandle();
}

void TWinControl::DestroyHandle() {
    if (!m_hWindow)
        return;
    for (TWinControl* child : m_Controls)
        child->DestroyHandle();
    m_bDestroyingHandle = true;
    DestroyWnd();
    m_bDestroyingHandle = false;
}

void TWinControl::RecreateWnd() {
    if (!m_hWindow)
        return;
    DestroyHandle();
    CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.WinClassName = kWindowClass;
    Params.Caption = Utf8ToWide(m_sCaption);
    Params.X = m_iLeft;
    Params.Y = m_iTop;
    Params.Width = m_iWidth;
    Params.Height = m_iHeight;
    Params.WndParent = m_Parent ? m_Parent->Handle() : m_hParentWindow;
    Params.Style = Params.WndParent || m_Parent ? WS_CHILD | WS_CLIPSIBLINGS : WS_OVERLAPPEDWINDOW;
    Params.Style |= WS_CLIPCHILDREN;
    if (m_bVisible)
        Params.Style |= WS_VISIBLE;
    if (!m_bEnabled)
        Params.Style |= WS_DISABLED;
}

void TWinControl::CreateWnd() {
    EnsureWindowClasses();
    TCreateParams params;
    CreateParams(params);
    // A child without its parent's window cannot exist; it waits until it is asked again.
    if ((params.Style & WS_CHILD) && !params.WndParent)
        return;
    const bool child = (params.Style & WS_CHILD) != 0;
    // The stored properties have the last word over what a class's parameters ask for.
    if (child) {
        params.ExStyle = m_BorderStyle == bsSingle ? (params.ExStyle | WS_EX_CLIENTEDGE)
                                                   : (params.ExStyle & ~WS_EX_CLIENTEDGE);
        params.Style = m_bTabStop ? (params.Style | WS_TABSTOP) : (params.Style & ~WS_TABSTOP);
    }
    m_bOwnWindowClass = params.WinClassName == kWindowClass;
    HWND window = CreateWindowExW(
        params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
        params.Y, params.Width, params.Height, params.WndParent,
        child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())) : nullptr,
        GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return;
    m_hWindow = window;
    m_pfnWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TWinControlAccess::ControlProc)));
    ControlWindows()[window] = {this, m_pfnWindowProc};
    if (child && !m_Parent && m_hParentWindow) {
        HostReflection::AttachHost(m_hParentWindow);
        m_hHostAttached = m_hParentWindow;
    }
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_Font.Handle()), FALSE);
    ApplyColor();
    UpdateHintWindow();
    if (m_Parent)
        m_Parent->ApplyTabOrder();
}

void TWinControl::DestroyWnd() {
    if (m_hWindow)
        DestroyWindow(m_hWindow);
    // Normally WM_NCDESTROY has already forgotten the window; a window of another thread
    // cannot be destroyed from here and is forgotten all the same.
    if (m_hWindow) {
        ForgetWindow();
        WindowGone();
    }
}

// The window lives on without the control: our procedure only forwards to the window's own.
void TWinControl::ForgetWindow() {
    const auto it = ControlWindows().find(m_hWindow);
    if (it != ControlWindows().end() && it->second.Control == this)
        it->second.Control = nullptr;
}

void TWinControl::WindowGone() {
    m_hWindow = nullptr;
    // A tooltip's owner is the top-level window, which outlives ours: it goes with our window.
    if (m_hHintWindow)
        DestroyWindow(std::exchange(m_hHintWindow, nullptr));
    m_pfnWindowProc = nullptr;
    m_bDestroyingHandle = false;
    ReleaseHost();
}

void TWinControl::ReleaseHost() {
    if (!m_hHostAttached)
        return;
    if (IsWindow(m_hHostAttached))
        HostReflection::DetachHost(m_hHostAttached);
    m_hHostAttached = nullptr;
}

void TWinControl::SetParent(TWinControl* AParent) {
    if (AParent == m_Parent && !m_hParentWindow)
        return;
    if (AParent == this)
        return;
    DestroyHandle();
    if (m_Parent) {
        m_Parent->RemoveControl(this);
        if (m_Align != alNone)
            m_Parent->AlignControls();
    }
    m_hParentWindow = nullptr;
    m_Parent = AParent;
    if (!m_Parent)
        return;
    m_Parent->AddControl(this);
    ParentChanged();
    // Placed on a parent that shows: show at once, as the user expects.
    if (m_Parent->HandleAllocated() && IsWindowVisible(m_Parent->m_hWindow))
        CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
    if (Value == m_hParentWindow && !m_Parent)
        return;
    DestroyHandle();
    if (m_Parent)
        m_Parent->RemoveControl(this);
    m_Parent = nullptr;
    m_hParentWindow = Value;
    if (m_hParentWindow && IsWindowVisible(m_hParentWindow))
        CreateHandle();
}

TWinControl* TWinControl::Controls(int Index) const {
    return Index >= 0 && Index < ControlCount() ? m_Controls[Index] : nullptr;
}

void TWinControl::AddControl(TWinControl* Control) {
    m_Controls.push_back(Control);
}

void TWinControl::RemoveControl(TWinControl* Control) {
    m_Controls.erase(std::remove(m_Controls.begin(), m_Controls.end(), Control), m_Controls.end());
}

int TWinControl::Left() const {
    return m_hWindow ? WindowBounds(m_hWindow).left : m_iLeft;
}
int TWinControl::Top() const {
    return m_hWindow ? WindowBounds(m_hWindow).top : m_iTop;
}

int TWinControl::Width() const {
    if (!m_hWindow)
        return m_iWidth;
    const RECT r = WindowBounds(m_hWindow);
    return r.right - r.left;
}

int TWinControl::Height() const {
    if (!m_hWindow)
        return m_iHeight;
    const RECT r = WindowBounds(m_hWindow);
    return r.bottom - r.top;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    m_iLeft = ALeft;
    m_iTop = ATop;
    m_iWidth = AWidth;
    m_iHeight = AHeight;
    if (m_hWindow)
        SetWindowPos(m_hWindow, nullptr, ALeft, ATop, AWidth, AHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    // An aligned control that changes its size moves its aligned siblings.
    if (m_Parent && m_Align != alNone && !m_Parent->m_bAligning)
        m_Parent->AlignControls();
}

void TWinControl::SetLeft(int Value) {
    SetBounds(Value, Top(), Width(), Height());
}
void TWinControl::SetTop(int Value) {
    SetBounds(Left(), Value, Width(), Height());
}
void TWinControl::SetWidth(int Value) {
    SetBounds(Left(), Top(), Value, Height());
}
void TWinControl::SetHeight(int Value) {
    SetBounds(Left(), Top(), Width(), Value);
}

RECT TWinControl::ClientRect() const {
    RECT r{0, 0, m_iWidth, m_iHeight};
    if (m_hWindow)
        GetClientRect(m_hWindow, &r);
    return r;
}

void TWinControl::SetVisible(bool Value) {
    m_bVisible = Value;
    if (m_hWindow)
        ShowWindow(m_hWindow, Value ? SW_SHOW : SW_HIDE);
    if (m_Parent && m_Align != alNone)
        m_Parent->AlignControls();
}

void TWinControl::SetEnabled(bool Value) {
    m_bEnabled = Value;
    if (m_hWindow)
        EnableWindow(m_hWindow, Value);
}

void TWinControl::SetCaption(const std::string& Value) {
    m_sCaption = Value;
    if (m_hWindow)
        SetWindowTextW(m_hWindow, Utf8ToWide(Value).c_str());
}

void TWinControl::SetCursor(TCursor Value) {
    m_Cursor = Value;
    if (!m_hWindow)
        return;
    POINT p{};
    if (!GetCursorPos(&p))
        return;
    HWND under = WindowFromPoint(p);
    if (under == m_hWindow || IsChild(m_hWindow, under))
        SendMessageW(m_hWindow, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWindow),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

POINT TWinControl::ScreenToClient(POINT Point) const {
    if (m_hWindow)
        ::ScreenToClient(m_hWindow, &Point);
    return Point;
}

POINT TWinControl::ClientToScreen(POINT Point) const {
    if (m_hWindow)
        ::ClientToScreen(m_hWindow, &Point);
    return Point;
}

void TWinControl::SetFocus() {
    if (Handle())
        ::SetFocus(m_hWindow);
}

bool TWinControl::Focused() const {
    return m_hWindow && GetFocus() == m_hWindow;
}

void TWinControl::Invalidate() {
    if (m_hWindow)
        InvalidateRect(m_hWindow, nullptr, TRUE);
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    HWND window = Handle();
    return window ? SendMessageW(window, Msg, WParam, LParam) : 0;
}

const wchar_t* TWinControl::DialogWindowClass() {
    EnsureWindowClasses();
    return kDialogClass;
}

TWinControl* TWinControl::FindControl(HWND Window) {
    const auto it = ControlWindows().find(Window);
    return it == ControlWindows().end() ? nullptr : it->second.Control;
}

void TWinControl::WndProc(TMessage& Message) {
    // The tooltip learns where the pointer is from the mouse messages it is shown.
    if (m_hHintWindow && Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        MSG relayed{m_hWindow, Message.Msg, Message.WParam, Message.LParam, 0, {}};
        SendMessageW(m_hHintWindow, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    // A designed control is placed and inspected, not used: neither its handlers nor the common
    // control see the input (a press would start the control's own tracking, and with it menus,
    // drags and label edits). System keys still reach the window's own procedure, so Alt+F4 and
    // the window menu's keys keep working.
    if (InState(csDesigning) && IsDesignInput(Message.Msg)) {
        if (IDesigner* designer = FindDesigner(this))
            designer->DesignInput(*this, Message);
        if (IsSystemKey(Message.Msg))
            DefaultHandler(Message);
        return;
    }
    if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_RBUTTONDOWN) {
        Dispatch(&ClassInfo(), Message);
        return;
    }
    // Presses nest only through a modal loop run from a handler; each keeps its own record.
    const UINT outer = std::exchange(m_uClickRelease, 0);
    Dispatch(&ClassInfo(), Message);
    const UINT release = std::exchange(m_uClickRelease, outer);
    if (release)
        DeliverSwallowedRelease(release);
}

void TWinControl::ClickNotified(UINT ButtonUpMsg) {
    if (ButtonUpMsg == WM_LBUTTONUP || ButtonUpMsg == WM_RBUTTONUP)
        m_uClickRelease = ButtonUpMsg;
}

// The thread's key state follows the messages it has taken from its queue: the button reads up
// exactly when the control's tracking took the release.
void TWinControl::DeliverSwallowedRelease(UINT ButtonUpMsg) {
    const int button = ButtonUpMsg == WM_LBUTTONUP ? VK_LBUTTON : VK_RBUTTON;
    if (!m_hWindow || (GetKeyState(button) & 0x8000))
        return;
    const DWORD where = GetMessagePos();
    const POINT client =
        ScreenToClient({static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))});
    WPARAM keys = 0;
    const std::pair<int, WPARAM> held[] = {{VK_LBUTTON, MK_LBUTTON},
                                           {VK_RBUTTON, MK_RBUTTON},
                                           {VK_MBUTTON, MK_MBUTTON},
                                           {VK_SHIFT, MK_SHIFT},
                                           {VK_CONTROL, MK_CONTROL}};
    for (const auto& [key, bit] : held)
        if (GetKeyState(key) & 0x8000)
            keys |= bit;
    const bool outer = std::exchange(m_bDeliveringRelease, true);
    SendMessageW(m_hWindow, ButtonUpMsg, keys,
                 MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
    m_bDeliveringRelease = outer;
}

void TWinControl::Dispatch(const TClassInfo* From, TMessage& Message) {
    for (const TClassInfo* info = From; info; info = info->Parent) {
        for (const TMessageEntry& entry : info->Messages) {
            if (entry.Msg != Message.Msg)
                continue;
            const TClassInfo* saved = m_pDispatchLevel;
            m_pDispatchLevel = info;
            entry.Handler(*this, Message);
            m_pDispatchLevel = saved;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::Inherited(TMessage& Message) {
    Dispatch(m_pDispatchLevel ? m_pDispatchLevel->Parent : nullptr, Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    Message.Result = m_hWindow && m_pfnWindowProc
                         ? CallWindowProcW(m_pfnWindowProc, m_hWindow, Message.Msg, Message.WParam,
                                           Message.LParam)
                         : 0;
}

void TWinControl::WMNotify(TMessage& Message) {
    if (!HostReflection::ReflectToControl(m_hWindow, Message))
        Inherited(Message);
}

void TWinControl::WMDrawItem(TMessage& Message) {
    if (!HostReflection::ReflectToControl(m_hWindow, Message))
        Inherited(Message);
}

void TWinControl::WMMeasureItem(TMessage& Message) {
    if (!HostReflection::ReflectToControl(m_hWindow, Message))
        Inherited(Message);
}

void TWinControl::WMCommand(TMessage& Message) {
    if (!HostReflection::ReflectToControl(m_hWindow, Message))
        Inherited(Message);
}

void TWinControl::WMSetCursor(TMessage& Message) {
    const wchar_t* resource = CursorResource(m_Cursor);
    if (resource && LOWORD(Message.LParam) == HTCLIENT) {
        ::SetCursor(LoadCursorW(nullptr, resource));
        Message.Result = TRUE;
        return;
    }
    Inherited(Message);
}

void TWinControl::WMSetFocus(TMessage& Message) {
    Inherited(Message);
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::WMKillFocus(TMessage& Message) {
    Inherited(Message);
    if (OnExit)
        OnExit(this);
}
