#pragma once

#include "identifiers/Holders.h"

#include <windows.h>

#include <atomic>

// A thread of its own running Execute. The thread is made suspended; the most derived
// constructor starts it with Start() as its last step, so Execute never meets a half-made
// object. With FreeOnTerminate the object deletes itself when Execute returns, and its owner
// forgets it after Terminate. Otherwise deleting it waits for Execute to return, which must
// therefore not need what the derived destructors already took down: call Terminate and WaitFor
// first.
//
// Terminate is the same call whichever type it is made through: a thread that blocks in a wait of
// its own wakes itself in TerminateRequested.
class TThread {
public:
    TThread();
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // False when the platform gave no thread: Execute will never run.
    bool Start();
    // Sets Terminated, then tells the derived thread (TerminateRequested); Execute decides when to
    // look.
    void Terminate() {
        m_bTerminated = true;
        TerminateRequested();
    }
    bool Terminated() const { return m_bTerminated; }
    bool FreeOnTerminate() const { return m_bFreeOnTerminate; }
    void SetFreeOnTerminate(bool Value) { m_bFreeOnTerminate = Value; }
    bool Finished() const { return m_bFinished; }
    // Waits until Execute has returned; its return value.
    DWORD WaitFor();
    HANDLE Handle() const { return m_hThread.Get(); }
    DWORD ThreadID() const { return m_uThreadId; }

protected:
    virtual void Execute() = 0;
    // Called by Terminate after the flag is set, on the caller's thread; never from TThread's
    // destructor. A thread that deletes itself here must not be touched by its caller afterwards.
    virtual void TerminateRequested() {}
    void SetReturnValue(DWORD Value) { m_uReturnValue = Value; }

private:
    static unsigned __stdcall ThreadProc(void* Parameter);

    OwnedHandle m_hThread;
    unsigned m_uThreadId = 0;
    DWORD m_uReturnValue = 0;
    bool m_bStarted = false;
    std::atomic<bool> m_bTerminated{false};
    std::atomic<bool> m_bFreeOnTerminate{false};
    std::atomic<bool> m_bFinished{false};
    std::atomic<bool> m_bSkipExecute{false};
};
