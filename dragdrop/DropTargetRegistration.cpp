#include "dragdrop/DropTargetRegistration.h"

bool TDropTargetRegistration::Register(HWND window) {
    Revoke();
    ComPtr<TvxDropTarget> target = AdoptComPtr(new TvxDropTarget);
    if (FAILED(CoLockObjectExternal(target.Get(), TRUE, FALSE)))
        return false;
    if (FAILED(RegisterDragDrop(window, target.Get()))) {
        CoLockObjectExternal(target.Get(), FALSE, TRUE);
        return false;
    }
    target->SetWndHandle(window);
    m_Target = std::move(target);
    m_Window = window;
    return true;
}

void TDropTargetRegistration::Revoke() {
    if (!m_Window)
        return;
    RevokeDragDrop(m_Window);
    CoLockObjectExternal(m_Target.Get(), FALSE, TRUE);
    m_Window = nullptr;
    m_Target.Reset();
}
