#pragma once

// Asking a folder for an object of its items (a context menu, a data object) straight into the
// holder of the interface wanted: the interface id comes from the holder's type, as IID_PPV_ARGS
// gives it for calls whose id and out-parameter are neighbours (GetUIObjectOf has a reserved
// argument between them), so the two can never disagree.

#include "identifiers/ComPtr.h"

#include <windows.h>
#include <shlobj.h>

template <typename Interface>
HRESULT UIObjectOf(IShellFolder* Folder, HWND Owner, UINT Count, LPCITEMIDLIST* Items,
                   ComPtr<Interface>& Result) {
    return Folder->GetUIObjectOf(Owner, Count, Items, __uuidof(Interface), nullptr,
                                 reinterpret_cast<void**>(Result.ReleaseAndGetAddressOf()));
}
