#pragma once

#include "dragdrop/DropTarget.h"
#include "identifiers/ComPtr.h"

#include <windows.h>

// The owner's side of a drop target: made when the owner's window is created, gone when it is
// destroyed. Registering locks the target for the platform and registers it for the window;
// Revoke (or destruction) revokes the registration and unlocks it, so the target goes away with
// its last reference.
class TDropTargetRegistration {
public:
    TDropTargetRegistration() = default;
    ~TDropTargetRegistration() { Revoke(); }
    TDropTargetRegistration(const TDropTargetRegistration&) = delete;
    TDropTargetRegistration& operator=(const TDropTargetRegistration&) = delete;

    // Makes a new target for `window`; false (and nothing registered) when the platform refuses.
    bool Register(HWND window);
    void Revoke();

    TvxDropTarget* Target() const { return m_Target.Get(); }
    bool Registered() const { return m_Window != nullptr; }

private:
    ComPtr<TvxDropTarget> m_Target;
    HWND m_Window = nullptr;
};
