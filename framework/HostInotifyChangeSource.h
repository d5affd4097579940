#pragma once

#include "framework/ChangeSource.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Under Wine the platform's subtree notification reports only a folder's direct contents. This
// source watches the whole subtree through the host kernel's own file-system events instead: one
// inotify watch per folder (a watch holds no handle on the folder, so watched folders can still be
// deleted), kept in step as folders come and go, read by a small thread of its own that blocks in
// the kernel while nothing changes. Only on x86-64 Linux hosts under Wine; Open() says nil
// elsewhere.
//
// The host's watches are limited per user. A folder that finds the limit reached is watched with
// the platform's own notification instead (under Wine it reports only that folder's direct
// contents), and nothing below it is watched; the debug output says so once.
class THostInotifyChangeSource final : public TChangeSource {
public:
    static constexpr int kHostLimitOnly = -1;

    // Nil when not running under Wine on a Linux host, or when the path cannot be watched.
    // `watchLimit` lowers the host's limit on watches, so that reaching it can be tried.
    static std::unique_ptr<THostInotifyChangeSource> Open(const std::string& path, DWORD filter,
                                                          int watchLimit = kHostLimitOnly);
    ~THostInotifyChangeSource() override;

    HANDLE Handle() const override { return m_hChanged; }
    bool Rearm() override;

    // Folders watched through the host, and folders watched by the platform's notification
    // because the host's limit was reached.
    int WatchCount() const;
    int ShallowCount() const;

    THostInotifyChangeSource(const std::string& windowsRoot, DWORD filter, int watchLimit);

private:
    enum class TWatchResult { Watched, Refused, LimitReached };

    bool Start(const std::string& unixRoot);
    void WatchTree(const std::string& folder);
    TWatchResult WatchFolder(const std::string& folder);
    void WatchShallow(const std::string& folder);
    void ForgetTree(const std::string& folder);
    void ReadEvents();
    void Signal();
    static DWORD WINAPI ReaderMain(void* self);
    static DWORD WINAPI ShallowWaiterMain(void* self);

    std::string m_WindowsRoot;
    DWORD m_Filter;
    int m_WatchLimit;
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
    bool m_bToldLimit = false;

    // The platform's notifications for the folders past the host's limit, waited on by a thread
    // of their own (made with the first), told of new ones through m_hShallowAdded.
    std::vector<HANDLE> m_Shallow;
    HANDLE m_hShallowWaiter = nullptr;
    HANDLE m_hShallowAdded = nullptr;
    HANDLE m_hShallowStop = nullptr;
};
