#pragma once

#include "identifiers/ShellMalloc.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>

// Owns one identifier list and frees it through the allocator it came from (the shell allocator
// unless told otherwise). Move-only: copying a list is an explicit ConcatPidls(nil, list).
// Adopting a raw list says so: OwnedPidl(OwnedPidl::Adopt, pidl). Out-parameters of the shell go
// through Put(), which frees what was held first.
class OwnedPidl {
public:
    enum AdoptTag { Adopt };

    OwnedPidl() = default;
    explicit OwnedPidl(IMalloc* allocator) : m_Allocator(allocator) {}
    OwnedPidl(AdoptTag, LPITEMIDLIST pidl, IMalloc* allocator = g_ShellMalloc)
        : m_Pidl(pidl), m_Allocator(allocator) {}
    ~OwnedPidl() { Reset(); }

    OwnedPidl(OwnedPidl&& other) noexcept
        : m_Pidl(std::exchange(other.m_Pidl, nullptr)), m_Allocator(other.m_Allocator) {}
    OwnedPidl& operator=(OwnedPidl&& other) noexcept {
        if (this != &other) {
            Reset();
            m_Pidl = std::exchange(other.m_Pidl, nullptr);
            m_Allocator = other.m_Allocator;
        }
        return *this;
    }
    OwnedPidl(const OwnedPidl&) = delete;
    OwnedPidl& operator=(const OwnedPidl&) = delete;

    LPITEMIDLIST Get() const { return m_Pidl; }
    explicit operator bool() const { return m_Pidl != nullptr; }

    // Frees what is held and holds `pidl` instead.
    void Reset(LPITEMIDLIST pidl = nullptr) {
        if (m_Pidl && m_Pidl != pidl)
            m_Allocator->Free(m_Pidl);
        m_Pidl = pidl;
    }
    // Gives up ownership without freeing.
    [[nodiscard]] LPITEMIDLIST Release() { return std::exchange(m_Pidl, nullptr); }
    // For a routine that writes a new list into an out-parameter.
    LPITEMIDLIST* Put() {
        Reset();
        return &m_Pidl;
    }
    IMalloc* Allocator() const { return m_Allocator; }

private:
    LPITEMIDLIST m_Pidl = nullptr;
    IMalloc* m_Allocator = g_ShellMalloc;
};

// A copy of Pidl from the shell allocator: empty for nullptr, or when the allocator fails.
OwnedPidl CopyOfPidl(LPCITEMIDLIST Pidl);
