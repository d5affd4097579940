#pragma once

#include "framework/ChangeSource.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>

// Under Wine the platform's subtree notification reports only a folder's direct contents. This
// source watches the whole subtree through the host kernel's own file-system events instead: one
// inotify watch per folder (a watch holds no handle on the folder, so watched folders can still be
// deleted), kept in step as folders come and go, read by a small thread of its own that blocks in
// the kernel while nothing changes. Only on x86-64 Linux hosts under Wine; Open() says nil
// elsewhere.
class THostInotifyChangeSource final : public TChangeSource {
public:
    // Nil when not running under Wine on a Linux host, or when the path cannot be watched.
    static std::unique_ptr<THostInotifyChangeSource> Open(const std::string& path, DWORD filter);
    ~THostInotifyChangeSource() override;

    HANDLE Handle() const override { return m_hChanged; }
    bool Rearm() override;

    int WatchCount() const;

    explicit THostInotifyChangeSource(DWORD filter);

private:
    bool Start(const std::string& unixRoot);
    void WatchTree(const std::string& folder);
    bool WatchFolder(const std::string& folder);
    void ForgetTree(const std::string& folder);
    void ReadEvents();
    void Signal();
    static DWORD WINAPI ReaderMain(void* self);

    DWORD m_Filter;
    HANDLE m_hChanged = nullptr;
    HANDLE m_hReader = nullptr;
    long long m_Inotify = -1;
    long long m_Wakeup = -1; // an eventfd that ends the reader
    std::string m_Root;
    int m_RootWatch = -1;

    mutable std::mutex m_Lock; // guards the fields below, shared with the reader thread
    std::map<int, std::string> m_PathOf;
    std::map<std::string, int> m_WatchOf;
    unsigned long long m_Changes = 0;
    unsigned long long m_ChangesAtSignal = 0;
    bool m_bSignalled = false;
    bool m_bRootGone = false;
};
