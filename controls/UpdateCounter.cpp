#include "controls/UpdateCounter.h"

#include "controls/WinControl.h"

void TUpdateCounter::Begin() {
    if (m_iCount++ == 0 && m_Control->HandleAllocated())
        SendMessageW(m_Control->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TUpdateCounter::End() {
    if (m_iCount == 0 || --m_iCount > 0)
        return;
    if (!m_Control->HandleAllocated())
        return;
    SendMessageW(m_Control->Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_Control->Handle(), nullptr, TRUE);
}
