#pragma once

// The one owning holder for COM references in the package: every interface pointer that is kept
// is kept in a ComPtr, so each reference is released exactly once on every path.
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;
