#pragma once

#include "identifiers/ComObject.h"

#include <ole2.h>

// What the tree and the list hand to the platform's drag loop when the user drags items out of
// them. On each poll it says whether the drag goes on, ends in a drop or is cancelled; the cursor
// feedback is the platform's. It holds no data: the dragged data is the shell's own object.
class TvxDropSource final : public TComObject<IDropSource> {
public:
    TvxDropSource() = default;

    // IDropSource
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

private:
    ~TvxDropSource() override = default;
};
