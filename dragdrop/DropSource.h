#pragma once

#include "identifiers/ComObject.h"

#include <ole2.h>

// What the tree and the list hand to the platform's drag loop when the user drags items out of
// them. On each poll it says whether the drag goes on, ends in a drop or is cancelled; the cursor
// feedback is the platform's. It holds no data: the dragged data is the shell's own object.
class TvxDropSource final : public TComObject<IDropSource> {
public:
    // The drag goes on while one of Buttons (MK_LBUTTON, MK_RBUTTON) is held: a drag started
    // with the right button ends on its release.
    explicit TvxDropSource(DWORD Buttons = MK_LBUTTON | MK_RBUTTON) : m_Buttons(Buttons) {}

    // IDropSource
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;

private:
    ~TvxDropSource() override = default;

    DWORD m_Buttons;
};
