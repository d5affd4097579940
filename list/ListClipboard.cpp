// The list's clipboard: the selected rows copied or cut as the shell's data object, files pasted
// into a folder as a drop there would put them.

#include "list/FolderEnumerator.h"

#include "dragdrop/FileDrop.h"
#include "framework/ViewServices.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/Holders.h"
#include "identifiers/StringList.h"
#include "shell/ShellRoutines.h"

#include <ole2.h>
#include <shlobj.h>

using namespace EnumGlobals;

namespace {

CLIPFORMAT PreferredDropEffectFormat() {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT));
}

// The clipboard, open for this thread while the object lives.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND Owner) : m_bOpen(OpenClipboard(Owner) != FALSE) {}
    ~TOpenClipboard() {
        if (m_bOpen)
            CloseClipboard();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    bool Open() const { return m_bOpen; }

private:
    bool m_bOpen;
};

// Adds to the clipboard's present contents the effect a paste should have. Added to the flushed
// clipboard rather than to the shell's object, so it does not depend on the object taking data
// it did not make.
bool MarkClipboard(HWND Owner, DWORD Effect) {
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD)));
    if (!block)
        return false;
    if (auto* value = static_cast<DWORD*>(GlobalLock(block.Get()))) {
        *value = Effect;
        GlobalUnlock(block.Get());
    }
    const TOpenClipboard clipboard(Owner);
    if (!clipboard.Open() || !SetClipboardData(PreferredDropEffectFormat(), block.Get()))
        return false;
    // The clipboard owns the block now.
    (void)block.Release();
    return true;
}

// The effect the clipboard's data asks of a paste: a move when it was cut, else a copy.
int PasteEffect(IDataObject* DataObject) {
    FORMATETC format;
    SetDefFormatEtc(format, PreferredDropEffectFormat(), TYMED_HGLOBAL);
    STGMEDIUM medium{};
    if (DataObject->GetData(&format, &medium) != S_OK)
        return DROPEFFECT_COPY;
    DWORD effect = DROPEFFECT_COPY;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal &&
        GlobalSize(medium.hGlobal) >= sizeof(DWORD)) {
        if (const auto* value = static_cast<const DWORD*>(GlobalLock(medium.hGlobal))) {
            effect = *value;
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return (effect & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
}

// The clipboard gets the data itself (flushed), not a reference into this process: it stays
// usable after the list or the program has gone.
bool PutOnClipboard(IDataObject* DataObject, HWND Owner, DWORD Effect) {
    if (!DataObject || OleSetClipboard(DataObject) != S_OK || OleFlushClipboard() != S_OK)
        return false;
    return MarkClipboard(Owner, Effect);
}

void EmptyTheClipboard(HWND Owner) {
    const TOpenClipboard clipboard(Owner);
    if (clipboard.Open())
        EmptyClipboard();
}

} // namespace

bool TFolderEnumerator::CopySelection() {
    const ComPtr<IDataObject> data = RowsDataObject(nullptr);
    if (!PutOnClipboard(data.Get(), OwnerWindow(), DROPEFFECT_COPY))
        return false;
    ForgetCut();
    return true;
}

bool TFolderEnumerator::CutSelection() {
    const ComPtr<IDataObject> data = RowsDataObject(nullptr);
    if (!PutOnClipboard(data.Get(), OwnerWindow(), DROPEFFECT_MOVE))
        return false;
    ForgetCut();
    // Drawn once, dimmed, however many rows are cut.
    Items().BeginUpdate();
    for (TListItem* row = GetNextItem(nullptr, sdAll, isSelected); row;
         row = GetNextItem(row, sdAll, isSelected))
        if (const TItemData* item = ItemData(row)) {
            m_CutItems.emplace(PidlBytes(item->pFQPidl.Get()));
            row->SetCut(true);
        }
    Items().EndUpdate();
    m_CutFolder = std::string(PidlBytes(m_pViewPidl.Get()));
    m_CutSequence = GetClipboardSequenceNumber();
    ListenToClipboard(true);
    return true;
}

// The clipboard's changes made by the cut itself come before its number was taken; any later
// one (a copy or cut anywhere, a paste that moved the files and emptied it) ends the cut.
void TFolderEnumerator::WMClipboardUpdate(TMessage&) {
    if (!m_CutItems.empty() && GetClipboardSequenceNumber() != m_CutSequence)
        ForgetCut();
}

void TFolderEnumerator::MarkCutRows() {
    if (m_CutItems.empty())
        return;
    if (PidlBytes(m_pViewPidl.Get()) != m_CutFolder) {
        ForgetCut();
        return;
    }
    ClearCut();
    for (int i = 0; i < Items().Count(); ++i) {
        TListItem* row = Items().Item(i);
        const TItemData* item = ItemData(row);
        if (item && m_CutItems.find(PidlBytes(item->pFQPidl.Get())) != m_CutItems.end())
            row->SetCut(true);
    }
}

void TFolderEnumerator::ForgetCut() {
    if (m_CutItems.empty())
        return;
    m_CutItems.clear();
    m_CutFolder.clear();
    ClearCut();
    ListenToClipboard(false);
}

void TFolderEnumerator::ListenToClipboard(bool Listen) {
    if (Listen == m_bClipboardListener || !HandleAllocated())
        return;
    if (Listen)
        m_bClipboardListener = AddClipboardFormatListener(Handle()) != FALSE;
    else
        m_bClipboardListener = RemoveClipboardFormatListener(Handle()) == FALSE;
    // A clipboard changed while no window listened.
    if (Listen && GetClipboardSequenceNumber() != m_CutSequence)
        ForgetCut();
}

// Into the one selected row when it is a folder, else into the shown folder. What was cut is
// taken off the clipboard once moved: its files are no longer where it names them.
bool TFolderEnumerator::PasteClipboard() {
    ComPtr<IDataObject> data;
    if (OleGetClipboard(data.GetAddressOf()) != S_OK || !data)
        return false;
    TStringList files;
    if (!GetFilesFromDataObject(data.Get(), files))
        return false;
    std::string folder = SelCount() == 1 ? RowFolderPath(Selected()) : std::string();
    if (folder.empty() && m_pViewPidl)
        folder = m_Shell->GetPathFromIDList(m_pViewPidl.Get());
    if (folder.empty())
        return false;
    std::string sourcePath;
    GetSourcePathFromDataObject(data.Get(), sourcePath);
    const int effect = PasteEffect(data.Get());
    data.Reset();
    const int done =
        FileDrop::DropFiles(OwnerWindow(), effect, files, EnsureBackSlash(folder), sourcePath);
    if (done == DROPEFFECT_MOVE)
        EmptyTheClipboard(OwnerWindow());
    return done != DROPEFFECT_NONE;
}
