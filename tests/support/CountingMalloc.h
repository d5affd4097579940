#pragma once

#include <objbase.h>

#include <set>

// An IMalloc that counts the blocks it has handed out and not yet had back, and can be told to
// fail its next allocation. Tests pass it where the package takes an allocator, then assert that
// nothing is left alive. Lives on the stack of a test; its own reference count is checked too.
class CountingMalloc final : public IMalloc {
public:
    ~CountingMalloc();

    int LiveBlocks() const { return static_cast<int>(m_Live.size()); }
    int Allocations() const { return m_Allocations; }
    bool Owns(const void* block) const { return m_Live.count(const_cast<void*>(block)) != 0; }
    void FailNextAllocation() { m_FailNext = true; }
    ULONG References() const { return m_References; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_References; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_References; }
    // IMalloc
    void* STDMETHODCALLTYPE Alloc(SIZE_T cb) override;
    void* STDMETHODCALLTYPE Realloc(void* pv, SIZE_T cb) override;
    void STDMETHODCALLTYPE Free(void* pv) override;
    SIZE_T STDMETHODCALLTYPE GetSize(void* pv) override;
    int STDMETHODCALLTYPE DidAlloc(void* pv) override { return Owns(pv) ? 1 : 0; }
    void STDMETHODCALLTYPE HeapMinimize() override {}

private:
    std::set<void*> m_Live;
    int m_Allocations = 0;
    bool m_FailNext = false;
    ULONG m_References = 1;
};
