#include "dragdrop/DropTarget.h"

#include "identifiers/Holders.h"
#include "shell/OleGlobals.h"

namespace {

// The right-button drop's menu entry that ends the drag doing nothing.
constexpr UINT kCancelEntry = 0x100;

} // namespace

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
    m_bRightButton = (grfKeyState & MK_RBUTTON) != 0;
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
    m_bRightButton = (grfKeyState & MK_RBUTTON) != 0;
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
    bool cancelled = false;
    if (Accepts() && m_bRightButton) {
        m_lOperation = ChooseOperation(POINT{pt.x, pt.y}, allowed);
        cancelled = m_lOperation == DROPEFFECT_NONE;
    }
    if (cancelled) {
        // Cancelled from the menu: the owner takes down what it showed for the drag.
        if (m_DragLeave)
            m_DragLeave(this);
    } else if (Accepts()) {
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

int TvxDropTarget::ChooseOperation(POINT pt, DWORD allowed) const {
    const OwnedMenu menu(CreatePopupMenu());
    if (!menu)
        return DROPEFFECT_NONE;
    const struct {
        int Effect;
        const wchar_t* Text;
    } entries[] = {{DROPEFFECT_MOVE, L"&Move Here"},
                   {DROPEFFECT_COPY, L"&Copy Here"},
                   {DROPEFFECT_LINK, L"Create &Shortcuts Here"}};
    for (const auto& entry : entries)
        AppendMenuW(menu.Get(),
                    MF_STRING | ((allowed & static_cast<DWORD>(entry.Effect)) ? 0 : MF_GRAYED),
                    static_cast<UINT_PTR>(entry.Effect), entry.Text);
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), MF_STRING, kCancelEntry, L"Cancel");
    if (m_lOperation != DROPEFFECT_NONE)
        SetMenuDefaultItem(menu.Get(), static_cast<UINT>(m_lOperation), FALSE);
    // Identifier 0 answers a dismissed menu: nothing is dropped then either.
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWindow, nullptr));
    for (const auto& entry : entries)
        if (chosen == static_cast<UINT>(entry.Effect))
            return entry.Effect;
    return DROPEFFECT_NONE;
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
