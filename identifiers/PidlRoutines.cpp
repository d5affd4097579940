#include "identifiers/EnumGlobals.h"
#include "identifiers/OwnedPidl.h"

#include "identifiers/StringList.h"

#include <cstdio>
#include <cstring>

namespace EnumGlobals {

namespace {

// The 16-bit count at the start of an item, read without alignment assumptions.
USHORT ItemSize(const BYTE* item) {
    USHORT cb;
    std::memcpy(&cb, item, sizeof cb);
    return cb;
}

const BYTE* Bytes(LPCITEMIDLIST pidl) {
    return reinterpret_cast<const BYTE*>(pidl);
}

} // namespace

int GetPidlSize(LPCITEMIDLIST pidl) {
    if (!pidl)
        return 0;
    int size = 0;
    for (const BYTE* p = Bytes(pidl); USHORT cb = ItemSize(p); p += cb)
        size += cb;
    return size + static_cast<int>(sizeof(USHORT));
}

LPITEMIDLIST CreatePidl(UINT Size, IMalloc* FShellMalloc) {
    void* block = FShellMalloc->Alloc(Size);
    if (block)
        std::memset(block, 0, Size);
    return static_cast<LPITEMIDLIST>(block);
}

LPITEMIDLIST ConcatPidls(LPCITEMIDLIST ID1, LPCITEMIDLIST ID2, IMalloc* FShellMalloc) {
    const UINT uS1 = ID1 ? GetPidlSize(ID1) - sizeof(USHORT) : 0;
    const UINT uS2 = GetPidlSize(ID2);
    LPITEMIDLIST result = CreatePidl(uS1 + uS2, FShellMalloc);
    if (!result)
        return nullptr;
    BYTE* out = reinterpret_cast<BYTE*>(result);
    if (ID1)
        std::memcpy(out, ID1, uS1);
    std::memcpy(out + uS1, ID2, uS2);
    return result;
}

LPITEMIDLIST GetParentpidl(LPITEMIDLIST pidl, IMalloc* ShellMalloc) {
    if (!pidl)
        return nullptr;
    BYTE* last = nullptr;
    for (BYTE* p = reinterpret_cast<BYTE*>(pidl); USHORT cb = ItemSize(p); p += cb)
        last = p;
    if (!last)
        return nullptr;
    std::memset(last, 0, sizeof(USHORT));
    return ConcatPidls(nullptr, pidl, ShellMalloc);
}

LPITEMIDLIST GetFirstPidl(LPCITEMIDLIST& Pidl, IMalloc* ShellMalloc) {
    const USHORT cb = ItemSize(Bytes(Pidl));
    if (cb == 0)
        return nullptr;
    // The item, its terminator and three spare bytes, all zero but for the copied item.
    LPITEMIDLIST result = CreatePidl(cb + 5u, ShellMalloc);
    if (!result)
        return nullptr;
    std::memcpy(result, Pidl, cb);
    Pidl = reinterpret_cast<LPCITEMIDLIST>(Bytes(Pidl) + cb);
    return result;
}

LPCITEMIDLIST GetPidlAtIndex(LPCITEMIDLIST Pidl, int Index) {
    if (!Pidl || Index < 0)
        return nullptr;
    const BYTE* p = Bytes(Pidl);
    for (int i = 0; i < Index; ++i) {
        const USHORT cb = ItemSize(p);
        if (cb == 0)
            return nullptr;
        p += cb;
    }
    return ItemSize(p) ? reinterpret_cast<LPCITEMIDLIST>(p) : nullptr;
}

int GetPidlCount(LPCITEMIDLIST Pidl) {
    int count = 0;
    if (Pidl)
        for (const BYTE* p = Bytes(Pidl); USHORT cb = ItemSize(p); p += cb)
            ++count;
    return count;
}

LPCITEMIDLIST GetLastPidl(LPCITEMIDLIST Pidl) {
    const BYTE* last = nullptr;
    if (Pidl)
        for (const BYTE* p = Bytes(Pidl); USHORT cb = ItemSize(p); p += cb)
            last = p;
    return reinterpret_cast<LPCITEMIDLIST>(last);
}

namespace {

// Compares the items of `driver` with those at the same places in `other`, up to the terminator
// of `driver`. The caller has made sure `other` is at least as long.
bool LeadingItemsEqual(LPCITEMIDLIST driver, LPCITEMIDLIST other) {
    const BYTE* a = Bytes(driver);
    const BYTE* b = Bytes(other);
    for (USHORT cb; (cb = ItemSize(a)) != 0; a += cb, b += cb) {
        if (ItemSize(b) != cb || std::memcmp(a + 2, b + 2, cb - 2u) != 0)
            return false;
    }
    return true;
}

} // namespace

bool IsPidlSubsetOf(LPCITEMIDLIST Mainpidl, LPCITEMIDLIST SubPidl) {
    if (!SubPidl)
        return false;
    if (!Mainpidl || GetPidlSize(SubPidl) > GetPidlSize(Mainpidl))
        return false;
    return LeadingItemsEqual(SubPidl, Mainpidl);
}

bool ArePidlsSame(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) {
    if (!pidl1 || !pidl2)
        return pidl1 == pidl2;
    if (GetPidlSize(pidl1) != GetPidlSize(pidl2))
        return false;
    return LeadingItemsEqual(pidl1, pidl2);
}

void ListPidl(LPCITEMIDLIST Pidl, TStringList& aStrings) {
    aStrings.Clear();
    if (!Pidl)
        return;
    int y = 0;
    for (const BYTE* p = Bytes(Pidl); USHORT cb = ItemSize(p); p += cb) {
        for (USHORT k = 2; k < cb; ++k) {
            char line[48];
            std::snprintf(line, sizeof line, "%d) %d - %d", y, cb, p[k]);
            aStrings.Add(line);
            ++y;
        }
    }
}

} // namespace EnumGlobals

OwnedPidl CopyOfPidl(LPCITEMIDLIST Pidl) {
    return OwnedPidl(OwnedPidl::Adopt,
                     Pidl ? EnumGlobals::ConcatPidls(nullptr, Pidl, g_ShellMalloc) : nullptr);
}
