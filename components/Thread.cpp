#include "components/Thread.h"

#include <process.h>

TThread::TThread() {
    m_hThread.Reset(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &m_uThreadId)));
}

TThread::~TThread() {
    if (!m_hThread)
        return;
    // A thread deleting itself (FreeOnTerminate) has nothing to wait for.
    if (GetCurrentThreadId() != m_uThreadId) {
        if (!m_bStarted) {
            // Never started: let it run to its end without Execute.
            m_bSkipExecute = true;
            m_bFreeOnTerminate = false;
            ResumeThread(m_hThread.Get());
        } else if (!m_bFinished) {
            m_bTerminated = true; // the derived part is gone: no TerminateRequested
        }
        WaitForSingleObject(m_hThread.Get(), INFINITE);
    }
}

bool TThread::Start() {
    if (!m_hThread)
        return false;
    if (!m_bStarted) {
        m_bStarted = true;
        ResumeThread(m_hThread.Get());
    }
    return true;
}

DWORD TThread::WaitFor() {
    if (m_hThread && m_bStarted && GetCurrentThreadId() != m_uThreadId)
        WaitForSingleObject(m_hThread.Get(), INFINITE);
    return m_uReturnValue;
}

unsigned __stdcall TThread::ThreadProc(void* Parameter) {
    auto* thread = static_cast<TThread*>(Parameter);
    if (!thread->m_bSkipExecute)
        thread->Execute();
    const DWORD result = thread->m_uReturnValue;
    const bool freeOnTerminate = thread->m_bFreeOnTerminate;
    thread->m_bFinished = true;
    if (freeOnTerminate)
        delete thread;
    return result;
}
