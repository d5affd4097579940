// Sending notifications back to the controls they came from, for our parents and the host's.

#include "controls/HostReflection.h"

#include "controls/WinControl.h"

#include <unordered_map>

namespace {

// The host windows we reflect notifications for, with the number of our children each has and
// the procedure ours forwards to. An entry without children stays while a procedure installed
// after ours still leads to ours.
struct THostEntry {
    int Children = 0;
    WNDPROC Original = nullptr;
};

std::unordered_map<HWND, THostEntry>& HostWindows() {
    static std::unordered_map<HWND, THostEntry> map;
    return map;
}

// The control a parent's notification came from, when the message is one that is reflected.
HWND NotificationSource(HWND Parent, const TMessage& Message) {
    if (Message.Msg == WM_NOTIFY)
        return Message.NMHdr() ? Message.NMHdr()->hwndFrom : nullptr;
    if (Message.Msg == WM_DRAWITEM) {
        const DRAWITEMSTRUCT* dis = Message.DrawItemStruct();
        return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    if (Message.Msg == WM_MEASUREITEM) {
        const MEASUREITEMSTRUCT* mis = Message.MeasureItemStruct();
        return mis && mis->CtlType != ODT_MENU ? GetDlgItem(Parent, static_cast<int>(mis->CtlID))
                                               : nullptr;
    }
    if (Message.Msg == WM_COMMAND)
        return Message.CommandControl();
    return nullptr;
}

LRESULT CALLBACK HostProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    const auto it = HostWindows().find(Window);
    if (it == HostWindows().end())
        return DefWindowProcW(Window, Msg, WParam, LParam);
    const WNDPROC original = it->second.Original;
    if (Msg == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcW(original, Window, Msg, WParam, LParam);
        HostWindows().erase(Window);
        return result;
    }
    TMessage message{Msg, WParam, LParam, 0};
    if (it->second.Children > 0 && HostReflection::ReflectToControl(Window, message))
        return message.Result;
    return CallWindowProcW(original, Window, Msg, WParam, LParam);
}

} // namespace

namespace HostReflection {

bool ReflectToControl(HWND Parent, TMessage& Message) {
    HWND source = NotificationSource(Parent, Message);
    if (!source || source == Parent || !TWinControl::FindControl(source))
        return false;
    Message.Result = SendMessageW(source, CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return true;
}

void AttachHost(HWND Host) {
    auto [it, added] = HostWindows().try_emplace(Host);
    if (added) {
        it->second.Original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(Host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc)));
        if (!it->second.Original) {
            HostWindows().erase(it);
            return;
        }
    }
    ++it->second.Children;
}

// The host's own procedure comes back when ours is still the first; when the application put
// another in front of ours since, ours stays in its chain and only forwards.
void DetachHost(HWND Host) {
    auto it = HostWindows().find(Host);
    if (it == HostWindows().end() || --it->second.Children > 0)
        return;
    if (GetWindowLongPtrW(Host, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(HostProc))
        return;
    SetWindowLongPtrW(Host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.Original));
    HostWindows().erase(it);
}

} // namespace HostReflection
