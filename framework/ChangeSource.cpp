#include "framework/ChangeSource.h"

#include "framework/HostInotifyChangeSource.h"
#include "identifiers/WideText.h"

namespace {

// The platform's notification with watch-subtree set: one handle for the whole tree.
class TSubtreeNotificationSource final : public TChangeSource {
public:
    explicit TSubtreeNotificationSource(HANDLE handle) : m_hChange(handle) {}
    ~TSubtreeNotificationSource() override { FindCloseChangeNotification(m_hChange); }

    HANDLE Handle() const override { return m_hChange; }
    bool Rearm() override { return FindNextChangeNotification(m_hChange) != FALSE; }

private:
    HANDLE m_hChange;
};

// Wine reports changes only directly inside a watched folder, never deeper.
bool SubtreeNotificationIsShallow() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

std::unique_ptr<TChangeSource> TChangeSource::Open(const std::string& path, DWORD filter) {
    if (!SubtreeNotificationIsShallow())
        return OpenSubtreeNotification(path, filter);
    if (auto host = THostInotifyChangeSource::Open(path, filter))
        return host;
    auto shallow = OpenSubtreeNotification(path, filter);
    // A watcher that silently sees only the top folder looks like one that works: say it.
    if (shallow)
        OutputDebugStringW((L"Varnel: the host cannot watch " + Utf8ToWide(path) +
                            L"; only changes directly inside it will be seen\n")
                               .c_str());
    return shallow;
}

std::unique_ptr<TChangeSource> TChangeSource::OpenSubtreeNotification(const std::string& path,
                                                                      DWORD filter) {
    HANDLE handle = FindFirstChangeNotificationW(Utf8ToWide(path).c_str(), TRUE, filter);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<TSubtreeNotificationSource>(handle);
}
