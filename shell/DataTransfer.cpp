// Reading dropped file lists from data objects.

#include "shell/ShellRoutines.h"

#include "identifiers/StringList.h"
#include "identifiers/WideText.h"

#include <shellapi.h>

#include <functional>

namespace EnumGlobals {

namespace {

// Hands the dropped-file list of the object to `read`, then gives the medium back by the
// platform's rule: through its release object when it has one, otherwise by freeing the handle.
// False when the object offers no such list.
bool ReadDroppedFiles(IDataObject* DataObject, const std::function<void(HDROP)>& read) {
    if (!DataObject)
        return false;
    FORMATETC format;
    SetDefFormatEtc(format, CF_HDROP, TYMED_HGLOBAL);
    STGMEDIUM medium{};
    if (DataObject->GetData(&format, &medium) != S_OK)
        return false;
    // An object that answers with another kind of medium has no list we can read.
    const bool usable = medium.tymed == TYMED_HGLOBAL && medium.hGlobal;
    if (usable)
        read(static_cast<HDROP>(medium.hGlobal));
    ReleaseStgMedium(&medium);
    return usable;
}

UINT DroppedFileCount(HDROP drop) {
    return DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
}

// The whole path, however long: the list is asked for its length first.
std::string DroppedFile(HDROP drop, UINT index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, index, path.data(), length + 1);
    path.resize(copied);
    return WideToUtf8(path);
}

} // namespace

void SetDefFormatEtc(FORMATETC& fe, CLIPFORMAT cf, DWORD med) {
    fe.cfFormat = cf;
    fe.ptd = nullptr;
    fe.dwAspect = DVASPECT_CONTENT;
    fe.lindex = -1;
    fe.tymed = med;
}

bool GetFilesFromDataObject(IDataObject* DataObject, TStringList& SourceFiles) {
    return ReadDroppedFiles(DataObject, [&](HDROP drop) {
        // Wine counts one empty name in an empty list: an empty name is no path.
        const UINT count = DroppedFileCount(drop);
        for (UINT i = 0; i < count; ++i) {
            std::string path = DroppedFile(drop, i);
            if (!path.empty())
                SourceFiles.Add(std::move(path));
        }
    });
}

void GetSourcePathFromDataObject(IDataObject* DataObject, std::string& Result) {
    Result.clear();
    ReadDroppedFiles(DataObject, [&](HDROP drop) {
        if (DroppedFileCount(drop) == 0)
            return;
        const std::string first = DroppedFile(drop, 0);
        const size_t separator = first.find_last_of("\\:");
        if (separator != std::string::npos)
            Result = first.substr(0, separator + 1);
    });
}

} // namespace EnumGlobals
