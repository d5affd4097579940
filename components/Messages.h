#pragma once

#include <windows.h>

// A window sends its notifications (WM_NOTIFY, WM_DRAWITEM, WM_COMMAND, WM_MEASUREITEM) to its
// parent. The parent sends them back to the control they came from as these messages, so each
// control answers its own notifications in its own handlers.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;         // 0xBD11
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;           // 0xBC4E
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;       // 0xBC2B
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM; // 0xBC2C
// The colours a standard control asks its parent for before it paints (WM_CTLCOLORSTATIC, ...),
// sent back to the control; a control that does not answer (0) gets the parent's own answer.
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// One window message as a handler sees it. Handlers set Result; the accessors read the parameters
// the way the message numbers the handlers are bound to define them.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    // Mouse messages: the position in client coordinates (signed, for multiple monitors) and the
    // key state (MK_*).
    int XPos() const { return static_cast<short>(LOWORD(LParam)); }
    int YPos() const { return static_cast<short>(HIWORD(LParam)); }
    POINT Pos() const { return {XPos(), YPos()}; }
    WPARAM Keys() const { return WParam; }

    // Key messages: the virtual-key code.
    WORD CharCode() const { return LOWORD(WParam); }

    // WM_NOTIFY / CN_NOTIFY: the notification's record as the type its code defines (NMLISTVIEW
    // for LVN_ITEMCHANGED, ...). Every such record begins with the NMHDR, so read the code first,
    // then ask for the record the code names.
    template <typename Record = NMHDR> Record* Notification() const {
        return reinterpret_cast<Record*>(LParam);
    }
    NMHDR* NMHdr() const { return Notification<NMHDR>(); }
    // WM_DRAWITEM / CN_DRAWITEM.
    DRAWITEMSTRUCT* DrawItemStruct() const { return reinterpret_cast<DRAWITEMSTRUCT*>(LParam); }
    // WM_MEASUREITEM / CN_MEASUREITEM.
    MEASUREITEMSTRUCT* MeasureItemStruct() const {
        return reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
    }
    // WM_COMMAND / CN_COMMAND: the notification code, and the control that sent it (none for a
    // menu or an accelerator).
    WORD NotifyCode() const { return HIWORD(WParam); }
    HWND CommandControl() const { return reinterpret_cast<HWND>(LParam); }
};
