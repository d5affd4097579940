#pragma once

// The one owning holder for COM references in the package: every interface pointer that is kept
// is kept in a ComPtr, so each reference is released exactly once on every path.
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

// Takes over the first reference of a newly made object. (mingw-w64's ComPtr::Attach adds a
// reference of its own, unlike the platform SDK's, so it must not be used to adopt one.)
template <typename T> ComPtr<T> AdoptComPtr(T* created) {
    ComPtr<T> held;
    *held.ReleaseAndGetAddressOf() = created;
    return held;
}
