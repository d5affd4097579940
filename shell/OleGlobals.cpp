#include "shell/OleGlobals.h"

#include "identifiers/OwnedPidl.h"
#include "identifiers/WideText.h"
#include "shell/UIObject.h"

#include <shellapi.h>

namespace OleGlobals {

IMalloc* g_ShellMalloc = nullptr;

namespace {

int g_InitCount = 0;

// The unit is initialised when the package loads and finalised when it unloads.
struct UnitLifetime {
    UnitLifetime() { Initialize(); }
    ~UnitLifetime() { Finalize(); }
    UnitLifetime(const UnitLifetime&) = delete;
    UnitLifetime& operator=(const UnitLifetime&) = delete;
};
UnitLifetime g_unitLifetime;

// A file-system path split after its last "\" or ":": the directory part keeps the separator.
struct ObjectName {
    std::wstring directory;
    std::wstring name;
};

ObjectName SplitObjectName(const std::string& sObjectName) {
    const size_t separator = sObjectName.find_last_of("\\:");
    const size_t cut = separator == std::string::npos ? 0 : separator + 1;
    return {Utf8ToWide(sObjectName.substr(0, cut)), Utf8ToWide(sObjectName.substr(cut))};
}

// Parses the directory part of the path on the desktop, binds it, and parses the name part in it:
// the folder and the item's list relative to it. False at the first step that fails; a path too
// long for the platform is refused rather than cut to a name that may be another object's.
bool BindObjectByPath(HWND hWindow, const std::string& sObjectName, ComPtr<IShellFolder>& folder,
                      OwnedPidl& item) {
    ObjectName parts = SplitObjectName(sObjectName);
    if (parts.directory.size() >= MAX_PATH || parts.name.size() >= MAX_PATH)
        return false;
    {
        ComPtr<IShellFolder> desktop;
        if (SHGetDesktopFolder(&desktop) != S_OK || !desktop)
            return false;
        OwnedPidl directory(g_ShellMalloc);
        if (FAILED(desktop->ParseDisplayName(hWindow, nullptr, parts.directory.data(), nullptr,
                                             directory.Put(), nullptr)) ||
            !directory)
            return false;
        if (FAILED(desktop->BindToObject(directory.Get(), nullptr, IID_PPV_ARGS(&folder))) ||
            !folder)
            return false;
    }
    OwnedPidl child(g_ShellMalloc);
    if (FAILED(folder->ParseDisplayName(hWindow, nullptr, parts.name.data(), nullptr, child.Put(),
                                        nullptr)) ||
        !child)
        return false;
    item = std::move(child);
    return true;
}

} // namespace

void Initialize() {
    if (g_InitCount++ == 0)
        SHGetMalloc(&g_ShellMalloc);
}

void Finalize() {
    if (g_InitCount == 0 || --g_InitCount != 0)
        return;
    if (g_ShellMalloc)
        g_ShellMalloc->Release();
    g_ShellMalloc = nullptr;
}

ComPtr<IMalloc> GetShellMalloc() {
    return ComPtr<IMalloc>(g_ShellMalloc);
}

bool DisplayProperties(HWND hWindow, const std::string& sObjectName) {
    ComPtr<IShellFolder> folder;
    OwnedPidl item(g_ShellMalloc);
    if (!BindObjectByPath(hWindow, sObjectName, folder, item))
        return false;
    LPCITEMIDLIST items[] = {item.Get()};
    InvokeMenuVerb(hWindow, folder.Get(), items, 1, "properties");
    return true;
}

bool GetDataObjectOf(HWND hWindow, const std::string& sObjectName,
                     ComPtr<IDataObject>& DataObject) {
    DataObject.Reset();
    ComPtr<IShellFolder> folder;
    OwnedPidl item(g_ShellMalloc);
    if (!BindObjectByPath(hWindow, sObjectName, folder, item))
        return false;
    LPCITEMIDLIST items[] = {item.Get()};
    ComPtr<IDataObject> data;
    if (FAILED(UIObjectOf(folder.Get(), hWindow, 1, items, data)) || !data)
        return false;
    DataObject = std::move(data);
    return true;
}

OwnedIcon ExtractObjectIcon(const std::string& sObjectName) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(Utf8ToWide(sObjectName).c_str(), 0, &info, sizeof info,
                        SHGFI_ICON | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON))
        return {};
    return OwnedIcon(info.hIcon);
}

} // namespace OleGlobals
