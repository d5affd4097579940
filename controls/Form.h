#pragma once

#include "controls/WinControl.h"

class IDesigner;
class TMainMenu;

// How a form's window was closed when it was shown modally: the result of ShowModal. Buttons
// with a result other than mrNone end the modal loop with it when clicked.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;

// The frame of a form: none, a thin line, a sizing frame, or the fixed dialog frame with a close
// box only. Stored as bsNone, bsSingle, bsSizeable, bsDialog.
enum class TFormBorderStyle { None, Single, Sizeable, Dialog };

// A top-level window holding controls: the windows of an application and its dialogs. Its
// window answers the dialog manager, so Tab moves through the controls in tab order, Alt with
// an access key reaches the control named by it, Enter presses the default button and, while
// the form is shown modally, Escape acts as the close box.
//
// Left and Top are the window's place on the screen; ClientWidth and ClientHeight size the
// client area, the frame coming on top. The form's font is its controls' font (each takes its
// parent's while ParentFont). A Scaled form designed at PixelsPerInch is scaled to the screen's
// pixels per inch when it has been read from its form file: every control's bounds, the client
// size and the font height, each by MulDiv(v, screen, design); its place on the screen is not.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TFormBorderStyle FormBorderStyle() const { return m_FormBorderStyle; }
    void SetFormBorderStyle(TFormBorderStyle Value);
    int ClientWidth() const;
    void SetClientWidth(int Value);
    int ClientHeight() const;
    void SetClientHeight(int Value);

    // The control that has the focus when the form is shown (and while it is active).
    TWinControl* ActiveControl() const { return m_ActiveControl; }
    void SetActiveControl(TWinControl* Value);

    // The menu bar on the form's window: choosing an item clicks it, its items' check marks and
    // enabled states are brought up to date as each of its menus opens, and their shortcuts work
    // anywhere in the form (before the dialog keys). Items added later show when it is set again.
    TMainMenu* Menu() const { return m_Menu; }
    void SetMenu(TMainMenu* Value);

    bool Scaled() const { return m_bScaled; }
    void SetScaled(bool Value) { m_bScaled = Value; }
    // The pixels per inch the form was designed at.
    int PixelsPerInch() const { return m_iPixelsPerInch; }
    void SetPixelsPerInch(int Value) { m_iPixelsPerInch = Value; }

    // Shows the form modally and returns how it was closed. The thread's active window owns it
    // and is disabled while it shows, enabled again before the form hides. A WM_QUIT during the
    // loop ends it with mrCancel and is posted again for the loop outside.
    TModalResult ShowModal();
    // Shows the form without a modal loop, the focus on its active control.
    void Show();
    bool Modal() const { return m_bModal; }
    TModalResult ModalResult() const { return m_ModalResult; }
    // While modal, any result but mrNone ends the loop with it.
    void SetModalResult(TModalResult Value) { m_ModalResult = Value; }
    // What the close box does: raises OnClose, then ends a modal form with mrCancel or destroys
    // the window of a form that is not modal.
    void Close();

    // The screen's pixels per inch, or what a test set in its place (0 goes back to the screen).
    static int ScreenPixelsPerInch();
    static void SetScreenPixelsPerInchForTests(int Value);

    // Gives a message taken from the queue to the dialog keys of the form it is meant for;
    // true when they handled it (the message is then not to be dispatched).
    static bool IsFormDialogMessage(MSG& Message);
    // Dispatches a message taken from the queue as every message loop of ours does: the dialog
    // keys of its form first (IsFormDialogMessage), else translated and dispatched.
    static void DispatchQueued(MSG& Message);

    void Loaded() override;

    // The designer of this form while it is being designed (the host's; not owned), else nullptr.
    IDesigner* Designer() const { return m_Designer; }
    void SetDesigner(IDesigner* Value) { m_Designer = Value; }

    // The form is being closed (close box, Alt+F4, Escape while modal, Close).
    TNotifyEvent OnClose;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

    void WMClose(TMessage& Message);
    void WMCommand(TMessage& Message);
    void WMInitMenuPopup(TMessage& Message);

private:
    void ScaleToScreen();
    void FocusFirstControl();
    // Puts the menu bar (or none) on the window, freeing the one it replaces.
    void AttachMenu();
    // A key pressed in the form that is an item's shortcut clicks the item; true when one did.
    bool IsShortCut(const MSG& Message);

    TFormBorderStyle m_FormBorderStyle = TFormBorderStyle::Sizeable;
    TWinControl* m_ActiveControl = nullptr;
    TMainMenu* m_Menu = nullptr;
    bool m_bScaled = true;
    int m_iPixelsPerInch = 96;
    bool m_bModal = false;
    TModalResult m_ModalResult = mrNone;
    HWND m_hModalOwner = nullptr;
    IDesigner* m_Designer = nullptr;
};

// The form a control sits on (its top-level parent when that is a form), or nullptr.
TForm* GetParentForm(TWinControl* Control);
