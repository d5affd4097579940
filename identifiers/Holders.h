#pragma once

// Owning holders for the platform handles the package frees: menus, icons, kernel handles, change
// notifications, and strings the shell or the platform's string routines allocate. Each frees
// what it holds exactly once, when it goes or is reset; it moves and never copies. Adopting a
// handle is the explicit constructor, as OwnedPidl adopts identifier lists and ComPtr interfaces.

#include "identifiers/ShellMalloc.h"

#include <windows.h>

#include <utility>

template <typename Handle, typename Free> class THolder {
public:
    THolder() = default;
    explicit THolder(Handle handle) : m_Handle(Free::Empty(handle) ? nullptr : handle) {}
    ~THolder() { Reset(); }

    THolder(THolder&& other) noexcept : m_Handle(std::exchange(other.m_Handle, nullptr)) {}
    THolder& operator=(THolder&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.m_Handle, nullptr));
        return *this;
    }
    THolder(const THolder&) = delete;
    THolder& operator=(const THolder&) = delete;

    Handle Get() const { return m_Handle; }
    explicit operator bool() const { return !Free::Empty(m_Handle); }

    // Frees what is held and holds `handle` instead.
    void Reset(Handle handle = nullptr) {
        if (Free::Empty(handle))
            handle = nullptr;
        if (!Free::Empty(m_Handle) && m_Handle != handle)
            Free{}(m_Handle);
        m_Handle = handle;
    }
    // Gives up ownership without freeing.
    [[nodiscard]] Handle Release() { return std::exchange(m_Handle, nullptr); }

private:
    Handle m_Handle = nullptr;
};

namespace HolderFree {

template <typename Handle> struct NullOnly {
    static bool Empty(Handle handle) { return handle == nullptr; }
};

struct Menu : NullOnly<HMENU> {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct Icon : NullOnly<HICON> {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
// Kernel routines answer "no handle" with null or with INVALID_HANDLE_VALUE, by routine; both
// are held as nothing.
struct Kernel {
    static bool Empty(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A change notification is waited on like a kernel handle but ends through its own routine.
struct ChangeNotification : Kernel {
    void operator()(HANDLE handle) const { FindCloseChangeNotification(handle); }
};
// A GDI font the package made (stock objects are never held).
struct Font : NullOnly<HFONT> {
    void operator()(HFONT font) const { DeleteObject(font); }
};
// A GDI bitmap the package made (a picture's DIB section, a button's glyph).
struct Bitmap : NullOnly<HBITMAP> {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
// A memory device context made to draw a bitmap from.
struct MemoryDC : NullOnly<HDC> {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// A display-name answer's wide text belongs to whoever asked, in a block of the shell allocator.
struct ShellBlock : NullOnly<wchar_t*> {
    void operator()(wchar_t* text) const { g_ShellMalloc->Free(text); }
};
// The platform's string routines (StrRetToStrW, SHStrDupW) allocate with CoTaskMemAlloc.
struct TaskBlock : NullOnly<wchar_t*> {
    void operator()(wchar_t* text) const { CoTaskMemFree(text); }
};

// A movable global block (clipboard data) until the clipboard takes it over.
struct GlobalBlock : NullOnly<HGLOBAL> {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};

// A window the holder made itself (never a control's: the control destroys its own).
struct Window : NullOnly<HWND> {
    void operator()(HWND window) const { DestroyWindow(window); }
};

} // namespace HolderFree

using OwnedMenu = THolder<HMENU, HolderFree::Menu>;
using OwnedIcon = THolder<HICON, HolderFree::Icon>;
using OwnedFont = THolder<HFONT, HolderFree::Font>;
using OwnedBitmap = THolder<HBITMAP, HolderFree::Bitmap>;
using OwnedMemoryDC = THolder<HDC, HolderFree::MemoryDC>;
using OwnedHandle = THolder<HANDLE, HolderFree::Kernel>;
using OwnedChangeNotification = THolder<HANDLE, HolderFree::ChangeNotification>;
using ShellText = THolder<wchar_t*, HolderFree::ShellBlock>;
using TaskText = THolder<wchar_t*, HolderFree::TaskBlock>;
using OwnedGlobal = THolder<HGLOBAL, HolderFree::GlobalBlock>;
using OwnedWindow = THolder<HWND, HolderFree::Window>;
