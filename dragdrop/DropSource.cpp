#include "dragdrop/DropSource.h"

HRESULT TvxDropSource::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
        *ppv = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG TvxDropSource::AddRef() {
    return ++m_RefCount;
}

ULONG TvxDropSource::Release() {
    const ULONG left = --m_RefCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT TvxDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
    if (fEscapePressed)
        return DRAGDROP_S_CANCEL;
    if (grfKeyState & (MK_LBUTTON | MK_RBUTTON))
        return S_OK;
    return DRAGDROP_S_DROP;
}

HRESULT TvxDropSource::GiveFeedback(DWORD) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
