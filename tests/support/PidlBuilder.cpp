#include "support/PidlBuilder.h"

#include <cstdio>
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

void PrintTo(const ITEMIDLIST* pidl, std::ostream* os) {
    if (!pidl) {
        *os << "null";
        return;
    }
    constexpr size_t kMostBytes = 4096;
    const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
    size_t offset = 0;
    bool first = true;
    for (;;) {
        USHORT cb;
        std::memcpy(&cb, bytes + offset, sizeof cb);
        if (cb == 0)
            break;
        if (!first)
            *os << ' ';
        first = false;
        if (cb < sizeof cb || offset + cb > kMostBytes) {
            *os << "<bad item of cb " << cb << '>';
            return;
        }
        *os << '{';
        for (size_t i = sizeof cb; i < cb; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, i == sizeof cb ? "%02X" : " %02X", bytes[offset + i]);
            *os << hex;
        }
        *os << '}';
        offset += cb;
    }
    if (first)
        *os << "{}";
}

void PrintTo(ITEMIDLIST* pidl, std::ostream* os) {
    PrintTo(static_cast<const ITEMIDLIST*>(pidl), os);
}
