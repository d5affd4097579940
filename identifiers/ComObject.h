#pragma once

#include <unknwn.h>

#include <atomic>

// The reference counting of the package's own COM objects: made with new holding one reference
// (take it over with AdoptComPtr), freed by the Release that brings the count to zero, and
// answering QueryInterface for IUnknown and its one interface.
template <typename Interface> class TComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_RefCount; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_RefCount;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    TComObject() = default;
    virtual ~TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

private:
    std::atomic<ULONG> m_RefCount{1};
};
