#pragma once

#include <ole2.h>

#include <atomic>

// What the tree and the list hand to the platform's drag loop when the user drags items out of
// them. On each poll it says whether the drag goes on, ends in a drop or is cancelled; the cursor
// feedback is the platform's. It holds no data: the dragged data is the shell's own object.
class TvxDropSource final : public IDropSource {
public:
    TvxDropSource() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDropSource
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

private:
    ~TvxDropSource() = default;

    std::atomic<ULONG> m_RefCount{1};
};
