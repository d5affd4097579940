#include "controls/Form.h"

#include "controls/MainMenu.h"
#include "identifiers/Holders.h"

#include <algorithm>
#include <utility>

namespace {

int g_iScreenPpiForTests = 0;

struct TFrameStyle {
    DWORD Style;
    DWORD ExStyle;
};

TFrameStyle FrameStyle(TFormBorderStyle Border) {
    switch (Border) {
    case TFormBorderStyle::None:
        return {WS_POPUP, 0};
    case TFormBorderStyle::Single:
        return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0};
    case TFormBorderStyle::Dialog:
        return {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME};
    case TFormBorderStyle::Sizeable:
        break;
    }
    return {WS_OVERLAPPEDWINDOW, 0};
}

// How much wider and taller the window is than its client area with this frame.
SIZE FrameSize(TFormBorderStyle Border) {
    const TFrameStyle frame = FrameStyle(Border);
    RECT r{0, 0, 100, 100};
    AdjustWindowRectEx(&r, frame.Style, FALSE, frame.ExStyle | WS_EX_CONTROLPARENT);
    return {r.right - r.left - 100, r.bottom - r.top - 100};
}

// Every control on the form, parents before their children.
template <class F> void ForEachControl(TWinControl& Parent, F&& Visit) {
    for (int i = 0; i < Parent.ControlCount(); ++i) {
        TWinControl* child = Parent.Controls(i);
        Visit(*child);
        ForEachControl(*child, Visit);
    }
}

} // namespace

const TClassInfo& TForm::StaticClassInfo() {
    using T = TForm;
    static const std::vector<std::string_view> republished = {
        "Left",      "Top",       "Width",   "Height",      "Caption",   "Cursor",
        "Enabled",   "Visible",   "Color",   "Font",        "Hint",      "ShowHint",
        "PopupMenu", "OnKeyDown", "OnKeyUp", "OnMouseDown", "OnMouseUp", "OnDblClick",
    };
    static const TClassInfo info{
        .ClassName = "TForm",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TForm>,
        .Properties =
            {
                EnumProperty(
                    "BorderStyle", "TFormBorderStyle", &T::FormBorderStyle, &T::SetFormBorderStyle,
                    {"bsNone", "bsSingle", "bsSizeable", "bsDialog"}, TFormBorderStyle::Sizeable),
                IntegerProperty("ClientWidth", &T::ClientWidth, &T::SetClientWidth),
                IntegerProperty("ClientHeight", &T::ClientHeight, &T::SetClientHeight),
                ComponentProperty("ActiveControl", "TWinControl", &T::ActiveControl,
                                  &T::SetActiveControl),
                ComponentProperty("Menu", "TMainMenu", &T::Menu, &T::SetMenu),
                BooleanProperty("Scaled", &T::Scaled, &T::SetScaled, true),
                IntegerProperty("PixelsPerInch", &T::PixelsPerInch, &T::SetPixelsPerInch, 96),
                EventProperty("OnClose", &T::OnClose),
            },
        .Messages =
            {
                MessageHandler<WM_CLOSE, &T::WMClose>(),
                MessageHandler<WM_COMMAND, &T::WMCommand>(),
                MessageHandler<WM_INITMENUPOPUP, &T::WMInitMenuPopup>(),
            },
        .Republished = republished,
    };
    return info;
}

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
    // A form shows when it is asked to (Show, ShowModal), never merely because its window was
    // made.
    SetVisible(false);
}

TForm::~TForm() {
    // The owner the modal loop disabled must not stay disabled if the form goes first.
    if (m_bModal && m_hModalOwner)
        EnableWindow(m_hModalOwner, TRUE);
}

void TForm::SetFormBorderStyle(TFormBorderStyle Value) {
    if (Value == m_FormBorderStyle)
        return;
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    m_FormBorderStyle = Value;
    RecreateWnd();
    SetClientWidth(clientWidth);
    SetClientHeight(clientHeight);
}

int TForm::ClientWidth() const {
    if (HandleAllocated())
        return ClientRect().right;
    return Width() - FrameSize(m_FormBorderStyle).cx;
}

int TForm::ClientHeight() const {
    if (HandleAllocated())
        return ClientRect().bottom;
    return Height() - FrameSize(m_FormBorderStyle).cy;
}

void TForm::SetClientWidth(int Value) {
    SetWidth(Value + FrameSize(m_FormBorderStyle).cx);
}

void TForm::SetClientHeight(int Value) {
    SetHeight(Value + FrameSize(m_FormBorderStyle).cy);
}

void TForm::SetActiveControl(TWinControl* Value) {
    if (Value)
        Value->FreeNotification(this);
    m_ActiveControl = Value;
    if (Value && HandleAllocated() && IsWindowVisible(WindowHandle()) && !InState(csLoading))
        Value->SetFocus();
}

void TForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == m_ActiveControl)
        m_ActiveControl = nullptr;
    if (Operation == opRemove && AComponent == m_Menu) {
        m_Menu = nullptr;
        AttachMenu();
    }
}

void TForm::SetMenu(TMainMenu* Value) {
    ReferTo(m_Menu, Value);
    AttachMenu();
}

// The window frees the menu it has when it goes; one it no longer has is freed here.
void TForm::AttachMenu() {
    if (!HandleAllocated())
        return;
    const OwnedMenu previous(GetMenu(WindowHandle()));
    OwnedMenu bar(m_Menu ? m_Menu->MakeHandle() : nullptr);
    if (::SetMenu(WindowHandle(), bar.Get()))
        (void)bar.Release();
    else
        ::SetMenu(WindowHandle(), nullptr);
}

void TForm::WMInitMenuPopup(TMessage& Message) {
    if (m_Menu && HandleAllocated())
        m_Menu->Root().UpdateHandle(GetMenu(WindowHandle()));
    Inherited(Message);
}

bool TForm::IsShortCut(const MSG& Message) {
    if (!m_Menu || (Message.message != WM_KEYDOWN && Message.message != WM_SYSKEYDOWN))
        return false;
    TMenuItem* item = m_Menu->Root().FindShortCut(ShortCutOfKey(static_cast<WORD>(Message.wParam)));
    if (!item)
        return false;
    item->Click();
    return true;
}

int TForm::ScreenPixelsPerInch() {
    if (g_iScreenPpiForTests > 0)
        return g_iScreenPpiForTests;
    HDC screen = GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

void TForm::SetScreenPixelsPerInchForTests(int Value) {
    g_iScreenPpiForTests = std::max(0, Value);
}

void TForm::Loaded() {
    TWinControl::Loaded();
    if (m_bScaled && m_iPixelsPerInch > 0 && ScreenPixelsPerInch() != m_iPixelsPerInch)
        ScaleToScreen();
}

void TForm::ScaleToScreen() {
    const int screen = ScreenPixelsPerInch(), design = m_iPixelsPerInch;
    const auto scale = [&](int Value) { return MulDiv(Value, screen, design); };
    const int clientWidth = ClientWidth(), clientHeight = ClientHeight();
    ForEachControl(*this, [&](TWinControl& Control) {
        Control.SetBounds(scale(Control.Left()), scale(Control.Top()), scale(Control.Width()),
                          scale(Control.Height()));
        if (!Control.ParentFont())
            Control.Font().SetHeight(scale(Control.Font().Height()));
    });
    // The controls taking the form's font follow it.
    Font().SetHeight(scale(Font().Height()));
    SetClientWidth(scale(clientWidth));
    SetClientHeight(scale(clientHeight));
    m_iPixelsPerInch = screen;
}

// Until now the form had no client area to lay its aligned controls out in.
void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    AttachMenu();
    AlignControls();
}

void TForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = DialogWindowClass();
    const TFrameStyle frame = FrameStyle(m_FormBorderStyle);
    const bool visible = (Params.Style & WS_VISIBLE) != 0,
               disabled = (Params.Style & WS_DISABLED) != 0;
    Params.Style = frame.Style | WS_CLIPCHILDREN;
    if (visible)
        Params.Style |= WS_VISIBLE;
    if (disabled)
        Params.Style |= WS_DISABLED;
    Params.ExStyle |= frame.ExStyle | WS_EX_CONTROLPARENT;
    Params.WndParent = m_hModalOwner;
}

TModalResult TForm::ShowModal() {
    if (m_bModal)
        return mrCancel;
    HWND owner = GetActiveWindow();
    HWND window = Handle();
    if (!window)
        return mrCancel;
    if (owner == window)
        owner = nullptr;
    m_hModalOwner = owner;
    // The owner of a top-level window is what GWLP_HWNDPARENT names.
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    const bool disabledOwner = owner && IsWindowEnabled(owner);
    if (disabledOwner)
        EnableWindow(owner, FALSE);
    m_bModal = true;
    m_ModalResult = mrNone;
    SetVisible(true);
    SetActiveWindow(window);
    FocusFirstControl();

    bool quit = false;
    WPARAM quitCode = 0;
    while (m_ModalResult == mrNone) {
        MSG msg{};
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            quit = got == 0;
            quitCode = msg.wParam;
            m_ModalResult = mrCancel;
            break;
        }
        DispatchQueued(msg);
        if (!HandleAllocated() && m_ModalResult == mrNone)
            m_ModalResult = mrCancel;
    }
    const TModalResult result = m_ModalResult;
    // The owner comes back before the form hides, so activation goes back to it and not to
    // another application's window.
    if (disabledOwner)
        EnableWindow(owner, TRUE);
    if (HandleAllocated())
        SetVisible(false);
    if (owner && IsWindow(owner))
        SetActiveWindow(owner);
    m_bModal = false;
    m_hModalOwner = nullptr;
    if (quit)
        PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

void TForm::Show() {
    SetVisible(true);
    if (HWND window = Handle()) {
        SetActiveWindow(window);
        FocusFirstControl();
    }
}

void TForm::Close() {
    if (OnClose)
        OnClose(this);
    if (m_bModal) {
        SetModalResult(mrCancel);
        return;
    }
    DestroyHandle();
}

void TForm::FocusFirstControl() {
    if (m_ActiveControl && m_ActiveControl->HandleAllocated() &&
        IsWindowEnabled(m_ActiveControl->WindowHandle()) &&
        IsWindowVisible(m_ActiveControl->WindowHandle())) {
        m_ActiveControl->SetFocus();
        return;
    }
    if (HWND first = GetNextDlgTabItem(WindowHandle(), nullptr, FALSE))
        ::SetFocus(first);
}

// The close box, Alt+F4 and the window menu's Close all arrive here.
void TForm::WMClose(TMessage& Message) {
    Message.Result = 0;
    Close();
}

// The dialog manager sends IDCANCEL for Escape and IDOK for Enter when no button is the
// default one; a control's own commands come with its window and go back to it.
void TForm::WMCommand(TMessage& Message) {
    const HWND control = Message.CommandControl();
    if (control && TWinControl::FindControl(control)) {
        Inherited(Message);
        return;
    }
    if (!control && HIWORD(Message.WParam) == 0 && m_Menu) {
        if (TMenuItem* item = m_Menu->Root().FindCommand(LOWORD(Message.WParam))) {
            item->Click();
            Message.Result = 0;
            return;
        }
    }
    if (LOWORD(Message.WParam) == IDCANCEL) {
        if (m_bModal)
            Close();
        Message.Result = 0;
        return;
    }
    Inherited(Message);
}

void TForm::DispatchQueued(MSG& Message) {
    if (IsFormDialogMessage(Message))
        return;
    TranslateMessage(&Message);
    DispatchMessageW(&Message);
}

bool TForm::IsFormDialogMessage(MSG& Message) {
    if (!Message.hwnd)
        return false;
    HWND root = GetAncestor(Message.hwnd, GA_ROOT);
    auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(root));
    if (!form)
        return false;
    if (IsWindowEnabled(root) && form->IsShortCut(Message))
        return true;
    if (Message.message == WM_SYSCHAR) {
        const wchar_t key = static_cast<wchar_t>(Message.wParam);
        bool handled = false;
        ForEachControl(*form, [&](TWinControl& Control) {
            if (!handled && Control.HandleAllocated() && IsWindowVisible(Control.WindowHandle()))
                handled = Control.DialogChar(key);
        });
        if (handled)
            return true;
    }
    return IsDialogMessageW(root, &Message) != FALSE;
}

TForm* GetParentForm(TWinControl* Control) {
    while (Control && Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TForm*>(Control);
}
