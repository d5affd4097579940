#pragma once

#include <windows.h>

#include <memory>
#include <string>

// What wakes a change watcher: a waitable handle that is signalled when something changes anywhere
// below a directory, and re-armed once the change has been dealt with. Changes that happen while
// the handle is signalled, or before Rearm, are not lost: they leave it signalled again after
// Rearm.
//
// A source belongs to the thread that opened it; that thread waits on Handle() and calls Rearm().
class TChangeSource {
public:
    virtual ~TChangeSource() = default;

    virtual HANDLE Handle() const = 0;
    // Arms the source for the next change; false when it can no longer watch.
    virtual bool Rearm() = 0;

    // The platform's own subtree notification where it reports the whole subtree; under Wine,
    // where it reports only a folder's direct contents, the host's file-system events. Nil when
    // the path cannot be watched.
    static std::unique_ptr<TChangeSource> Open(const std::string& path, DWORD filter);
    static std::unique_ptr<TChangeSource> OpenSubtreeNotification(const std::string& path,
                                                                  DWORD filter);

protected:
    TChangeSource() = default;
    TChangeSource(const TChangeSource&) = delete;
    TChangeSource& operator=(const TChangeSource&) = delete;
};
