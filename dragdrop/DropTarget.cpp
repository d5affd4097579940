#include "dragdrop/DropTarget.h"

#include "shell/OleGlobals.h"

int TvxDropTarget::OperationFromKeys(DWORD grfKeyState) {
    if ((grfKeyState & MK_CONTROL) && (grfKeyState & MK_SHIFT))
        return DROPEFFECT_LINK;
    if (grfKeyState & MK_CONTROL)
        return DROPEFFECT_COPY;
    return DROPEFFECT_MOVE;
}

DWORD TvxDropTarget::PerformedEffect(int Operation, DWORD allowed) {
    // The owner's move is done already: a source told "moved" would delete what is gone, or what
    // has just taken its place.
    if (Operation & DROPEFFECT_MOVE)
        return DROPEFFECT_NONE;
    for (DWORD effect : {DROPEFFECT_COPY, DROPEFFECT_LINK})
        if ((Operation & effect) && (allowed & effect))
            return effect;
    return DROPEFFECT_NONE;
}

void TvxDropTarget::Raise(const TDTDragEvent& handler, DWORD grfKeyState, POINTL pt,
                          DWORD* dwEffect) {
    int effect = dwEffect ? static_cast<int>(*dwEffect) : 0;
    if (handler)
        handler(this, static_cast<int>(grfKeyState), POINT{pt.x, pt.y}, effect);
    if (dwEffect)
        *dwEffect = static_cast<DWORD>(effect);
}

HRESULT TvxDropTarget::DragEnter(IDataObject* dataObj, DWORD grfKeyState, POINTL pt,
                                 DWORD* dwEffect) {
    if (dwEffect)
        *dwEffect = DROPEFFECT_NONE;
    m_DataObject = dataObj;
    m_sSourcePath = GetSourcePath();
    FORMATETC format;
    OleGlobals::SetDefFormatEtc(format, CF_HDROP, TYMED_HGLOBAL);
    if (!m_DataObject || m_DataObject->QueryGetData(&format) != S_OK) {
        m_cbfFormat = CBF_NOT_SUPPORTED;
        return S_OK;
    }
    m_cbfFormat = CBF_HDROP;
    if (!Accepts())
        return S_OK;
    m_lOperation = OperationFromKeys(grfKeyState);
    Raise(m_DragEnter, grfKeyState, pt, dwEffect);
    if (dwEffect)
        *dwEffect = static_cast<DWORD>(m_lOperation);
    return S_OK;
}

HRESULT TvxDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* dwEffect) {
    if (!Accepts()) {
        if (dwEffect)
            *dwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    m_lOperation = OperationFromKeys(grfKeyState);
    Raise(m_DragOver, grfKeyState, pt, dwEffect);
    if (dwEffect)
        *dwEffect = static_cast<DWORD>(m_lOperation);
    return S_OK;
}

HRESULT TvxDropTarget::DragLeave() {
    m_DataObject.Reset();
    if (m_DragLeave)
        m_DragLeave(this);
    return S_OK;
}

HRESULT TvxDropTarget::Drop(IDataObject*, DWORD grfKeyState, POINTL pt, DWORD* dwEffect) {
    const DWORD allowed = dwEffect ? *dwEffect : DROPEFFECT_NONE;
    DWORD performed = DROPEFFECT_NONE;
    if (Accepts()) {
        // The handler performs the drop and leaves in Operation what it did.
        int effect = static_cast<int>(allowed);
        m_Drop(this, static_cast<int>(grfKeyState), POINT{pt.x, pt.y}, effect);
        performed = PerformedEffect(m_lOperation, allowed);
    }
    if (dwEffect)
        *dwEffect = performed;
    m_DataObject.Reset();
    return S_OK;
}

bool TvxDropTarget::GetSourceFiles(TStringList& StringList) const {
    if (!m_DataObject)
        return false;
    return OleGlobals::GetFilesFromDataObject(m_DataObject.Get(), StringList);
}

std::string TvxDropTarget::GetSourcePath() const {
    if (!m_DataObject)
        return {};
    std::string path;
    OleGlobals::GetSourcePathFromDataObject(m_DataObject.Get(), path);
    return path;
}
