#include "dragdrop/DropSource.h"

HRESULT TvxDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
    if (fEscapePressed)
        return DRAGDROP_S_CANCEL;
    if (grfKeyState & m_Buttons)
        return S_OK;
    return DRAGDROP_S_DROP;
}

HRESULT TvxDropSource::GiveFeedback(DWORD) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
