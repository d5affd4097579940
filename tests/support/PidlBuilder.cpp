#include "support/PidlBuilder.h"

#include <cstring>

LPITEMIDLIST MakePidl(std::initializer_list<std::vector<BYTE>> items, IMalloc* allocator) {
    std::vector<BYTE> bytes;
    for (const auto& data : items) {
        const USHORT cb = static_cast<USHORT>(data.size() + 2);
        bytes.push_back(static_cast<BYTE>(cb & 0xFF));
        bytes.push_back(static_cast<BYTE>(cb >> 8));
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    auto* block = static_cast<LPITEMIDLIST>(allocator->Alloc(bytes.size()));
    std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

std::vector<BYTE> PidlBytes(LPCITEMIDLIST pidl) {
    if (!pidl)
        return {};
    const auto* p = reinterpret_cast<const BYTE*>(pidl);
    return {p, p + EnumGlobals::GetPidlSize(pidl)};
}
