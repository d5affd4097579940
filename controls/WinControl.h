#pragma once

#include "components/Component.h"
#include "components/Events.h"
#include "controls/Graphics.h"
#include "components/Messages.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum TDragMode { dmManual, dmAutomatic };
// Automatic ordering of a tree's nodes or a list's rows: none, or by text ignoring case.
enum TSortType { stNone, stText };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Where a control sits in its parent: placed by its bounds (alNone), or laid along an edge of
// what its aligned siblings before it left free, or filling the rest (alClient).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// bsSingle: the sunken client edge.
enum TBorderStyle { bsNone, bsSingle };
enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse or key event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
// Setting Key to 0 keeps the key from the control.
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;

class TPopupMenu;

// What CreateWnd passes to CreateWindowEx; CreateParams overrides adjust it.
struct TCreateParams {
    std::wstring WinClassName;
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
};

// A control with a window. The window is made when it is first needed (Handle) and may be
// destroyed and made again during the control's life (RecreateWnd); what the control keeps
// outside the window survives that.
//
// Messages reach the control's handlers through one dispatcher: each class binds handler
// methods to message numbers in the Messages table of its class information, a derived class's
// binding hiding its ancestors'. A handler passes the message on with Inherited(Message): to the
// next handler up the class chain, and past the last one to the window's own procedure.
//
// The parent sends notifications back to the control they came from (CN_NOTIFY, CN_DRAWITEM,
// CN_COMMAND, CN_MEASUREITEM), whether the parent is one of these controls or a window of the
// host application (SetParentWindow), whose window procedure is then subclassed while it has
// children of ours.
class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The window, made now if there is none yet; nullptr when it cannot be made (a child
    // control without a parent window).
    HWND Handle();
    // The window if there is one; never makes it. For queries that read the window's state and
    // have a fallback without one.
    HWND WindowHandle() const { return m_hWindow; }
    bool HandleAllocated() const { return m_hWindow != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window (running DestroyWnd) and makes it again (running CreateWnd).
    void RecreateWnd();
    // Destroys the window now, running DestroyWnd; the control stays and makes a new window
    // when one is needed. A class that overrides DestroyWnd calls this in its own destructor,
    // since a base destructor cannot reach an override.
    void DestroyHandle();

    // The parent control, or none. Setting it clears ParentWindow.
    TWinControl* Parent() const { return m_Parent; }
    void SetParent(TWinControl* AParent);
    // A window of the host application to live in, when the parent is not one of ours. Setting
    // it clears Parent.
    HWND ParentWindow() const { return m_hParentWindow; }
    void SetParentWindow(HWND Value);
    int ControlCount() const { return static_cast<int>(m_Controls.size()); }
    TWinControl* Controls(int Index) const;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void SetLeft(int Value);
    void SetTop(int Value);
    void SetWidth(int Value);
    void SetHeight(int Value);
    RECT ClientRect() const;
    bool Visible() const { return m_bVisible; }
    void SetVisible(bool Value);
    bool Enabled() const { return m_bEnabled; }
    void SetEnabled(bool Value);
    // The window text (the title of a top-level window).
    const std::string& Caption() const { return m_sCaption; }
    void SetCaption(const std::string& Value);

    // The background. Setting it clears ParentColor; ParentColor takes the parent's.
    TColor Color() const { return m_Color; }
    void SetColor(TColor Value);
    bool ParentColor() const { return m_bParentColor; }
    void SetParentColor(bool Value);
    // Changing the font clears ParentFont; ParentFont takes the parent's font.
    TFont& Font() { return m_Font; }
    const TFont& Font() const { return m_Font; }
    bool ParentFont() const { return m_bParentFont; }
    void SetParentFont(bool Value);

    TAlign Align() const { return m_Align; }
    void SetAlign(TAlign Value);
    // Lays the child controls with an alignment out in the client area, in the order
    // alTop, alBottom, alLeft, alRight, alClient, each kind in child order.
    void AlignControls();
    TBorderStyle BorderStyle() const { return m_BorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // Kept and stored for form files of the older look; the common controls of version 6 draw
    // every edge the same way, so it changes nothing on the screen.
    bool Ctl3D() const { return m_bCtl3D; }
    void SetCtl3D(bool Value) { m_bCtl3D = Value; }
    bool ParentCtl3D() const { return m_bParentCtl3D; }
    void SetParentCtl3D(bool Value) { m_bParentCtl3D = Value; }

    // The tooltip text, shown while the pointer rests on the control when hints are on: its own
    // ShowHint, or its parent's when ParentShowHint (setting ShowHint clears ParentShowHint).
    const std::string& Hint() const { return m_sHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return m_bShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return m_bParentShowHint; }
    void SetParentShowHint(bool Value);
    bool HintsShown() const;

    // The place among the parent's controls in Tab order (which is their z-order); -1 without a
    // parent. TabStop: whether Tab stops here at all.
    int TabOrder() const;
    void SetTabOrder(int Value);
    bool TabStop() const { return m_bTabStop; }
    void SetTabStop(bool Value);

    // Shown on a right click (or the menu key) when the control does not answer it itself.
    TPopupMenu* PopupMenu() const { return m_PopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Shown while the pointer is over the control's client area. Setting it updates the
    // pointer at once, also while the control is busy and handles no messages.
    TCursor Cursor() const { return m_Cursor; }
    void SetCursor(TCursor Value);

    // Manual: a drag starts only when the control's code starts one. Automatic drags are not
    // started by this framework; the mode is kept for the controls that read it.
    TDragMode DragMode() const { return m_DragMode; }
    void SetDragMode(TDragMode Value) { m_DragMode = Value; }

    POINT ScreenToClient(POINT Point) const;
    POINT ClientToScreen(POINT Point) const;
    void SetFocus();
    bool Focused() const;
    void Invalidate();
    // Sends a message to the control's window (making it if need be), through its handlers.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);

    // The control whose window this is, or nullptr.
    static TWinControl* FindControl(HWND Window);

    // An access key (Alt with a letter) typed in the control's form, offered to each control of
    // the form before the dialog manager sees it. A control whose caption marks that key acts on
    // it and answers true; the key then goes no further.
    virtual bool DialogChar(wchar_t Key) {
        (void)Key;
        return false;
    }
    // A drawing that other controls are placed over (a bevel around a group): its window stays
    // below its siblings whatever their Tab order, so it never hides them.
    virtual bool StaysBehindSiblings() const { return false; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnDblClick;

protected:
    // Puts Color (and the font's colour) on the window; the default repaints, and the window
    // of our own class erases with Color. Controls whose window paints itself override it.
    virtual void ApplyColor();

    virtual void CreateParams(TCreateParams& Params);
    // What a bordered field (an edit, a list box) publishes of this class, in stored order.
    static const std::vector<std::string_view>& FieldProperties();
    // The window class of forms: the dialog manager's procedure behind ours.
    static const wchar_t* DialogWindowClass();
    // Make the window and bring it up to the control's state; overrides call the inherited one
    // first and then add what they keep outside the window.
    virtual void CreateWnd();
    // Destroys the window; overrides take down what they registered for the window, then call
    // the inherited one.
    virtual void DestroyWnd();

    // Handles a message sent to the window: the class chain's handler, or the window's own
    // procedure.
    virtual void WndProc(TMessage& Message);
    // The next handler up the class chain from the one running now, or the window's own
    // procedure.
    void Inherited(TMessage& Message);
    // The window's own procedure (the common control's, or DefWindowProc).
    void DefaultHandler(TMessage& Message);

    // True while DestroyWnd runs or the window is going away: notifications the control sends
    // while it empties itself are not the user's doing.
    bool DestroyingHandle() const { return m_bDestroyingHandle; }

    // A common control that tracks the mouse itself after a press takes the release out of the
    // queue and reports a click notification (NM_CLICK, NM_RCLICK) instead: the release then
    // never reaches the control's handlers. A class that receives such a notification calls this
    // with the release it stands for (WM_LBUTTONUP or WM_RBUTTONUP); once the press has been
    // handled in full, the control's handlers get that release, at the pointer's position, unless
    // the button is still down (the control did not take the release, which then comes itself).
    void ClickNotified(UINT ButtonUpMsg);
    // Shift+F10 arrives as a system key (F10 is the window menu's key), and the common controls
    // do not all turn it into a context-menu request as they do the menu key (Wine's tree and
    // list do not). Given a WM_SYSKEYDOWN, asks for the keyboard's context menu once and answers
    // true when it is that chord; the key then goes no further (a control that did turn it
    // would show a second menu).
    bool ContextMenuFromShiftF10(const TMessage& Message);
    // True while a release the control swallowed is being delivered (see ClickNotified).
    bool DeliveringSwallowedRelease() const { return m_bDeliveringRelease; }

    void WMNotify(TMessage& Message);
    void WMDrawItem(TMessage& Message);
    void WMMeasureItem(TMessage& Message);
    void WMCommand(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    // The mouse and key events; a key handler that sets the key to 0 keeps it from the control.
    void WMMouseDown(TMessage& Message);
    void WMMouseUp(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMKey(TMessage& Message);
    // A standard child control asks for its colours: the control of ours it is answers
    // (CN_CTLCOLOR...), or, when it gives no brush, the window's own procedure.
    void WMCtlColor(TMessage& Message);
    // A CN_CTLCOLOR answer for controls bound to it: the text in the font's colour on the
    // control's Color (its parent's while ParentColor), the text's own background transparent.
    void CNCtlColor(TMessage& Message);

private:
    friend struct TWinControlAccess;
    void CreateHandle();
    void Dispatch(const TClassInfo* From, TMessage& Message);
    void WindowGone();
    void ForgetWindow();
    void AddControl(TWinControl* Control);
    void RemoveControl(TWinControl* Control);
    void ReleaseHost();
    void DeliverSwallowedRelease(UINT ButtonUpMsg);
    void FontChanged();
    void ParentChanged();
    void UpdateHintWindow();
    void ApplyTabOrder();

    HWND m_hWindow = nullptr;
    // The window's own procedure, which ours sits in front of.
    WNDPROC m_pfnWindowProc = nullptr;
    TWinControl* m_Parent = nullptr;
    HWND m_hParentWindow = nullptr;
    HWND m_hHostAttached = nullptr;
    std::vector<TWinControl*> m_Controls;
    const TClassInfo* m_pDispatchLevel = nullptr;
    // The release a click notification stood for during the press being handled (0: none).
    UINT m_uClickRelease = 0;
    bool m_bDeliveringRelease = false;
    bool m_bCreating = false;
    bool m_bDestroyingHandle = false;
    int m_iLeft = 0;
    int m_iTop = 0;
    int m_iWidth = 100;
    int m_iHeight = 100;
    bool m_bVisible = true;
    bool m_bEnabled = true;
    std::string m_sCaption;
    TColor m_Color = clBtnFace;
    bool m_bParentColor = false;
    TFont m_Font;
    bool m_bParentFont = true;
    bool m_bSettingParentFont = false;
    TAlign m_Align = alNone;
    TBorderStyle m_BorderStyle = bsNone;
    bool m_bCtl3D = true;
    bool m_bParentCtl3D = true;
    std::string m_sHint;
    bool m_bShowHint = false;
    bool m_bParentShowHint = true;
    HWND m_hHintWindow = nullptr; // the tooltip, destroyed when our window goes
    bool m_bTabStop = false;
    TPopupMenu* m_PopupMenu = nullptr;
    bool m_bAligning = false;
    bool m_bOwnWindowClass = false; // the window is of our own class, which we paint
    TCursor m_Cursor = crDefault;
    TDragMode m_DragMode = dmManual;
};
