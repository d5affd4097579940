#include "framework/HostInotifyChangeSource.h"

#include "identifiers/WideText.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

using HostWord = long long; // a register's width: Windows' long is only 32 bits

#if defined(__x86_64__)

// Under Wine a Windows program runs as an ordinary Linux process, so the host kernel's calls are
// one instruction away. Only the few below are used, with their x86-64 numbers and values.
HostWord HostCall(HostWord number, HostWord a = 0, HostWord b = 0, HostWord c = 0, HostWord d = 0) {
    HostWord result;
    register HostWord r10 asm("r10") = d;
    asm volatile("syscall"
                 : "=a"(result)
                 : "a"(number), "D"(a), "S"(b), "d"(c), "r"(r10)
                 : "rcx", "r11", "memory");
    return result;
}
constexpr bool kHostCallsAvailable = true;

#else

HostWord HostCall(HostWord, HostWord = 0, HostWord = 0, HostWord = 0, HostWord = 0) {
    return -38; // ENOSYS
}
constexpr bool kHostCallsAvailable = false;

#endif

enum : HostWord {
    SysRead = 0,
    SysWrite = 1,
    SysClose = 3,
    SysPoll = 7,
    SysReadlink = 89,
    SysGetdents64 = 217,
    SysInotifyAddWatch = 254,
    SysInotifyRmWatch = 255,
    SysOpenat = 257,
    SysEventfd2 = 290,
    SysInotifyInit1 = 294,
};
constexpr HostWord kAtCwd = -100;
constexpr HostWord kOpenDirectory = 0200000, kCloseOnExec = 02000000, kNonBlocking = 04000,
                   kPathOnly = 010000000;
constexpr HostWord kInterrupted = -4, kAgain = -11, kNoSpace = -28;

enum : uint32_t {
    InModify = 0x2,
    InAttrib = 0x4,
    InMovedFrom = 0x40,
    InMovedTo = 0x80,
    InCreate = 0x100,
    InDelete = 0x200,
    InDeleteSelf = 0x400,
    InMoveSelf = 0x800,
    InQueueOverflow = 0x4000,
    InIgnored = 0x8000,
    InOnlyDir = 0x01000000,
    InDontFollow = 0x02000000,
    InIsDir = 0x40000000,
};
constexpr uint32_t kNameEvents = InCreate | InDelete | InMovedFrom | InMovedTo;

struct HostInotifyEvent {
    int32_t wd;
    uint32_t mask;
    uint32_t cookie;
    uint32_t len;
};
struct HostPollFd {
    int32_t fd;
    int16_t events;
    int16_t revents;
};
struct HostDirent64 {
    uint64_t d_ino;
    int64_t d_off;
    uint16_t d_reclen;
    uint8_t d_type;
};
constexpr uint8_t kDirectoryType = 4;

// The host path of a Windows path, from Wine's own mapping.
std::string UnixName(const std::string& path) {
    using UnixNameOf = char*(CDECL*)(LPCWSTR);
    // GetProcAddress's untyped result, cast to the export's real type.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto unixName = kernel ? reinterpret_cast<UnixNameOf>(reinterpret_cast<void*>(
                                 GetProcAddress(kernel, "wine_get_unix_file_name")))
                           : nullptr;
    if (!unixName)
        return {};
    char* name = unixName(Utf8ToWide(path).c_str());
    if (!name)
        return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// The folder's own host path, every link on the way resolved. Wine maps a drive root to the
// prefix's drive link (dosdevices/c: -> ../drive_c), and the host refuses to watch through a link:
// watching the link itself would watch nothing below. Empty when it is no folder.
std::string ResolvedHostFolder(const std::string& path) {
    const std::string unixName = UnixName(path);
    if (unixName.empty())
        return {};
    const HostWord folder =
        HostCall(SysOpenat, kAtCwd, reinterpret_cast<HostWord>(unixName.c_str()),
                 kOpenDirectory | kCloseOnExec | kPathOnly);
    if (folder < 0)
        return {};
    const std::string self = "/proc/self/fd/" + std::to_string(folder);
    std::vector<char> target(4096);
    const HostWord length =
        HostCall(SysReadlink, reinterpret_cast<HostWord>(self.c_str()),
                 reinterpret_cast<HostWord>(target.data()), static_cast<HostWord>(target.size()));
    HostCall(SysClose, folder);
    if (length <= 0 || length >= static_cast<HostWord>(target.size()) || target[0] != '/')
        return {};
    return std::string(target.data(), static_cast<size_t>(length));
}

bool IsBelowOrSame(const std::string& path, const std::string& folder) {
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/');
}

} // namespace

std::unique_ptr<THostInotifyChangeSource>
THostInotifyChangeSource::Open(const std::string& path, DWORD filter, int watchLimit) {
    if (!kHostCallsAvailable)
        return nullptr;
    const std::string root = ResolvedHostFolder(path);
    if (root.empty())
        return nullptr;
    auto source = std::make_unique<THostInotifyChangeSource>(path, filter, watchLimit);
    if (!source->Start(root))
        return nullptr;
    return source;
}

THostInotifyChangeSource::THostInotifyChangeSource(const std::string& windowsRoot, DWORD filter,
                                                   int watchLimit)
    : m_WindowsRoot(windowsRoot), m_Filter(filter), m_WatchLimit(watchLimit) {
    while (!m_WindowsRoot.empty() && m_WindowsRoot.back() == '\\')
        m_WindowsRoot.pop_back();
}

THostInotifyChangeSource::~THostInotifyChangeSource() {
    if (m_hReader) {
        const uint64_t one = 1;
        HostCall(SysWrite, m_Wakeup, reinterpret_cast<HostWord>(&one), sizeof one);
        WaitForSingleObject(m_hReader, INFINITE);
        CloseHandle(m_hReader);
    }
    if (m_hShallowWaiter) {
        SetEvent(m_hShallowStop);
        WaitForSingleObject(m_hShallowWaiter, INFINITE);
        CloseHandle(m_hShallowWaiter);
    }
    for (HANDLE shallow : m_Shallow)
        FindCloseChangeNotification(shallow);
    for (HANDLE event : {m_hShallowAdded, m_hShallowStop})
        if (event)
            CloseHandle(event);
    if (m_Inotify >= 0)
        HostCall(SysClose, m_Inotify);
    if (m_Wakeup >= 0)
        HostCall(SysClose, m_Wakeup);
    if (m_hChanged)
        CloseHandle(m_hChanged);
}

bool THostInotifyChangeSource::Start(const std::string& unixRoot) {
    m_hChanged = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_Inotify = HostCall(SysInotifyInit1, kNonBlocking | kCloseOnExec);
    m_Wakeup = HostCall(SysEventfd2, 0, kNonBlocking | kCloseOnExec);
    if (!m_hChanged || m_Inotify < 0 || m_Wakeup < 0)
        return false;
    m_Root = unixRoot;
    // A root the host cannot watch leaves the whole path to the platform's notification.
    if (WatchFolder(m_Root) != TWatchResult::Watched)
        return false;
    m_RootWatch = m_WatchOf.at(m_Root);
    WatchTree(m_Root);
    m_hReader = CreateThread(nullptr, 64 * 1024, &ReaderMain, this,
                             STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    return m_hReader != nullptr;
}

bool THostInotifyChangeSource::Rearm() {
    std::lock_guard lock(m_Lock);
    if (m_bRootGone)
        return false;
    ResetEvent(m_hChanged);
    m_bSignalled = false;
    // Whatever changed after the last signal (while the receiver was busy) signals again now.
    if (m_Changes != m_ChangesAtSignal)
        Signal();
    return true;
}

int THostInotifyChangeSource::WatchCount() const {
    std::lock_guard lock(m_Lock);
    return static_cast<int>(m_WatchOf.size());
}

int THostInotifyChangeSource::ShallowCount() const {
    std::lock_guard lock(m_Lock);
    return static_cast<int>(m_Shallow.size());
}

// Called with m_Lock held.
void THostInotifyChangeSource::Signal() {
    if (m_bSignalled)
        return;
    m_bSignalled = true;
    m_ChangesAtSignal = m_Changes;
    SetEvent(m_hChanged);
}

// Called with m_Lock held, or before the reader starts.
THostInotifyChangeSource::TWatchResult
THostInotifyChangeSource::WatchFolder(const std::string& folder) {
    if (m_WatchLimit != kHostLimitOnly && static_cast<int>(m_WatchOf.size()) >= m_WatchLimit)
        return TWatchResult::LimitReached;
    uint32_t mask = kNameEvents | InDeleteSelf | InMoveSelf | InOnlyDir | InDontFollow;
    if (m_Filter & FILE_NOTIFY_CHANGE_ATTRIBUTES)
        mask |= InAttrib;
    if (m_Filter & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE))
        mask |= InModify;
    const HostWord wd =
        HostCall(SysInotifyAddWatch, m_Inotify, reinterpret_cast<HostWord>(folder.c_str()),
                 static_cast<HostWord>(mask));
    if (wd == kNoSpace)
        return TWatchResult::LimitReached;
    if (wd < 0)
        return TWatchResult::Refused;
    m_PathOf[static_cast<int>(wd)] = folder;
    m_WatchOf[folder] = static_cast<int>(wd);
    return TWatchResult::Watched;
}

// Called with m_Lock held, or before the reader starts. The host will watch no more folders: this
// one gets the platform's notification, which under Wine sees only its direct contents.
void THostInotifyChangeSource::WatchShallow(const std::string& folder) {
    if (!m_bToldLimit) {
        m_bToldLimit = true;
        OutputDebugStringW(L"Varnel: the host's limit on watched folders is reached; changes in "
                           L"folders below the last watched ones may go unseen\n");
    }
    // Beyond what one wait can hold (its own two events aside) nothing more is watched.
    if (m_Shallow.size() + 2 >= MAXIMUM_WAIT_OBJECTS)
        return;
    std::string windowsFolder = m_WindowsRoot + folder.substr(m_Root.size());
    for (char& c : windowsFolder)
        if (c == '/')
            c = '\\';
    HANDLE handle = FindFirstChangeNotificationW(Utf8ToWide(windowsFolder).c_str(), TRUE, m_Filter);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    if (!m_hShallowWaiter) {
        m_hShallowAdded = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        m_hShallowStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (m_hShallowAdded && m_hShallowStop)
            m_hShallowWaiter = CreateThread(nullptr, 64 * 1024, &ShallowWaiterMain, this,
                                            STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        if (!m_hShallowWaiter) {
            FindCloseChangeNotification(handle);
            return;
        }
    }
    m_Shallow.push_back(handle);
    SetEvent(m_hShallowAdded);
}

DWORD WINAPI THostInotifyChangeSource::ShallowWaiterMain(void* self) {
    auto* source = static_cast<THostInotifyChangeSource*>(self);
    for (;;) {
        std::vector<HANDLE> handles{source->m_hShallowStop, source->m_hShallowAdded};
        {
            std::lock_guard lock(source->m_Lock);
            handles.insert(handles.end(), source->m_Shallow.begin(), source->m_Shallow.end());
        }
        const DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                  handles.data(), FALSE, INFINITE);
        if (woke == WAIT_OBJECT_0 || woke >= WAIT_OBJECT_0 + handles.size())
            return 0;
        if (woke == WAIT_OBJECT_0 + 1)
            continue;
        FindNextChangeNotification(handles[woke - WAIT_OBJECT_0]);
        std::lock_guard lock(source->m_Lock);
        ++source->m_Changes;
        source->Signal();
    }
}

// Watches every folder below `folder` (itself included) that is not watched yet.
void THostInotifyChangeSource::WatchTree(const std::string& folder) {
    std::vector<std::string> pending{folder};
    std::vector<char> buffer(32 * 1024);
    while (!pending.empty()) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        if (!m_WatchOf.count(current)) {
            const TWatchResult watched = WatchFolder(current);
            if (watched == TWatchResult::LimitReached)
                WatchShallow(current);
            if (watched != TWatchResult::Watched)
                continue;
        }
        const HostWord dir =
            HostCall(SysOpenat, kAtCwd, reinterpret_cast<HostWord>(current.c_str()),
                     kOpenDirectory | kCloseOnExec | kNonBlocking);
        if (dir < 0)
            continue;
        for (;;) {
            const HostWord got =
                HostCall(SysGetdents64, dir, reinterpret_cast<HostWord>(buffer.data()),
                         static_cast<HostWord>(buffer.size()));
            if (got <= 0)
                break;
            for (HostWord at = 0; at < got;) {
                HostDirent64 entry;
                std::memcpy(&entry, buffer.data() + at, sizeof entry);
                const char* name = buffer.data() + at + offsetof(HostDirent64, d_type) + 1;
                if (entry.d_type == kDirectoryType && std::strcmp(name, ".") != 0 &&
                    std::strcmp(name, "..") != 0)
                    pending.push_back(current + "/" + name);
                at += entry.d_reclen;
            }
        }
        HostCall(SysClose, dir);
    }
}

// Called with m_Lock held. Forgets the watches of a folder moved or removed, and of all below it.
void THostInotifyChangeSource::ForgetTree(const std::string& folder) {
    for (auto it = m_WatchOf.lower_bound(folder); it != m_WatchOf.end();) {
        if (!IsBelowOrSame(it->first, folder)) {
            if (it->first.compare(0, folder.size(), folder) != 0)
                break;
            ++it;
            continue;
        }
        HostCall(SysInotifyRmWatch, m_Inotify, it->second);
        m_PathOf.erase(it->second);
        it = m_WatchOf.erase(it);
    }
}

DWORD WINAPI THostInotifyChangeSource::ReaderMain(void* self) {
    auto* source = static_cast<THostInotifyChangeSource*>(self);
    for (;;) {
        HostPollFd fds[2] = {{static_cast<int32_t>(source->m_Inotify), 1, 0},
                             {static_cast<int32_t>(source->m_Wakeup), 1, 0}};
        const HostWord ready = HostCall(SysPoll, reinterpret_cast<HostWord>(fds), 2, -1);
        if (ready == kInterrupted)
            continue;
        if (ready < 0 || fds[1].revents)
            return 0;
        if (fds[0].revents)
            source->ReadEvents();
    }
}

void THostInotifyChangeSource::ReadEvents() {
    alignas(HostInotifyEvent) char buffer[16 * 1024];
    for (;;) {
        const HostWord got =
            HostCall(SysRead, m_Inotify, reinterpret_cast<HostWord>(buffer), sizeof buffer);
        if (got == kInterrupted)
            continue;
        if (got <= 0) // kAgain: nothing more for now
            return;
        std::lock_guard lock(m_Lock);
        bool changed = false;
        for (HostWord at = 0; at < got;) {
            HostInotifyEvent event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += static_cast<HostWord>(sizeof event + event.len);

            if (event.mask & InQueueOverflow) {
                WatchTree(m_Root); // events were lost: pick up any folder not watched yet
                changed = true;
                continue;
            }
            auto folder = m_PathOf.find(event.wd);
            if (folder == m_PathOf.end())
                continue;
            if (event.mask & (InIgnored | InDeleteSelf | InMoveSelf)) {
                if (event.wd == m_RootWatch) {
                    m_bRootGone = true;
                    changed = true;
                }
                continue; // the parent reports the folder itself going
            }
            const bool isDir = event.mask & InIsDir;
            const std::string path = event.len ? folder->second + "/" + name : folder->second;
            if (isDir && (event.mask & (InCreate | InMovedTo)))
                WatchTree(path);
            if (isDir && (event.mask & (InDelete | InMovedFrom)))
                ForgetTree(path);

            const DWORD nameClass =
                isDir ? FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_FILE_NAME;
            if ((event.mask & kNameEvents) && (m_Filter & nameClass))
                changed = true;
            if ((event.mask & InAttrib) || (event.mask & InModify))
                changed = true;
        }
        if (changed) {
            ++m_Changes;
            Signal();
        }
    }
}
