#include "support/CountingMalloc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

CountingMalloc::~CountingMalloc() {
    EXPECT_EQ(m_Live.size(), 0u) << "identifier lists were not freed";
    for (void* block : m_Live)
        std::free(static_cast<char*>(block) - sizeof(SIZE_T));
}

HRESULT CountingMalloc::QueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == IID_IMalloc) {
        *ppv = static_cast<IMalloc*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// Each block carries its size in front of it, and is filled with a pattern so that a routine
// relying on zeroed memory it did not zero itself shows up.
void* CountingMalloc::Alloc(SIZE_T cb) {
    if (m_FailNext) {
        m_FailNext = false;
        return nullptr;
    }
    auto* raw = static_cast<char*>(std::malloc(cb + sizeof(SIZE_T)));
    if (!raw)
        return nullptr;
    std::memcpy(raw, &cb, sizeof cb);
    std::memset(raw + sizeof(SIZE_T), 0xCD, cb);
    void* block = raw + sizeof(SIZE_T);
    m_Live.insert(block);
    ++m_Allocations;
    return block;
}

void* CountingMalloc::Realloc(void* pv, SIZE_T cb) {
    void* block = Alloc(cb);
    if (block && pv) {
        const SIZE_T old = GetSize(pv);
        std::memcpy(block, pv, old < cb ? old : cb);
        Free(pv);
    }
    return block;
}

void CountingMalloc::Free(void* pv) {
    if (!pv)
        return;
    const bool known = m_Live.erase(pv) != 0;
    EXPECT_TRUE(known) << "freed a block this allocator did not hand out (or freed it twice)";
    if (known)
        std::free(static_cast<char*>(pv) - sizeof(SIZE_T));
}

SIZE_T CountingMalloc::GetSize(void* pv) {
    if (!Owns(pv))
        return static_cast<SIZE_T>(-1);
    SIZE_T cb;
    std::memcpy(&cb, static_cast<char*>(pv) - sizeof(SIZE_T), sizeof cb);
    return cb;
}
