#include "shell/OwnIconSource.h"

#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/OwnedPidl.h"
#include "shell/UIObject.h"

#include <cwchar>

// The mingw-w64 headers give IExtractIconW no compile-time interface id.
#ifdef __MINGW32__
__CRT_UUID_DECL(IExtractIconW, 0x000214fa, 0, 0, 0xc0, 0, 0, 0, 0, 0, 0, 0x46)
#endif

namespace {

std::wstring LocationKey(wchar_t Kind, const wchar_t* Location, int Index, UINT Flags) {
    wchar_t numbers[32];
    swprintf(numbers, 32, L",%d,%u", Index, Flags);
    return Kind + std::wstring(Location) + numbers;
}

TOwnIconSource ShortcutSource(const std::wstring& Path) {
    TOwnIconSource source;
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link))) ||
        FAILED(link.As(&file)) || FAILED(file->Load(Path.c_str(), STGM_READ)))
        return source;
    wchar_t location[MAX_PATH] = {};
    int index = 0;
    if (SUCCEEDED(link->GetIconLocation(location, MAX_PATH, &index)) && location[0]) {
        location[MAX_PATH - 1] = L'\0';
        source.sKey = LocationKey(L'l', location, index, 0);
        return source;
    }
    OwnedPidl target;
    if (FAILED(link->GetIDList(target.Put())) || !target)
        return source;
    // The target's bytes, two to a character.
    const auto* bytes = reinterpret_cast<const BYTE*>(target.Get());
    const auto size = static_cast<size_t>(EnumGlobals::GetPidlSize(target.Get()));
    source.sKey = L"t";
    for (size_t i = 0; i < size; i += 2)
        source.sKey += static_cast<wchar_t>(bytes[i] | (i + 1 < size ? bytes[i + 1] << 8 : 0));
    return source;
}

using CachedImageIndexProc = int(WINAPI*)(LPCWSTR, int, UINT);

// Exported by name on Windows and by its ordinal alone under Wine.
CachedImageIndexProc CachedImageIndexRoutine() {
    static const CachedImageIndexProc routine = [] {
        HMODULE shell = GetModuleHandleW(L"shell32.dll");
        if (!shell)
            return CachedImageIndexProc{};
        FARPROC found = GetProcAddress(shell, "Shell_GetCachedImageIndexW");
        if (!found)
            found = GetProcAddress(shell, MAKEINTRESOURCEA(72));
        return reinterpret_cast<CachedImageIndexProc>(reinterpret_cast<void*>(found));
    }();
    return routine;
}

} // namespace

TOwnIconSource OwnIconSourceOf(IShellFolder* Parent, LPCITEMIDLIST Child, const std::wstring& Path,
                               bool Link, bool Open) {
    if (Link)
        return ShortcutSource(Path);
    TOwnIconSource source;
    ComPtr<IExtractIconW> extractor;
    if (!Parent || FAILED(UIObjectOf(Parent, nullptr, 1, &Child, extractor)) || !extractor)
        return source;
    wchar_t location[MAX_PATH] = {};
    int index = 0;
    UINT flags = 0;
    if (extractor->GetIconLocation(Open ? GIL_OPENICON : 0, location, MAX_PATH, &index, &flags) !=
            S_OK ||
        (flags & (GIL_NOTFILENAME | GIL_DONTCACHE)) || !location[0])
        return source;
    location[MAX_PATH - 1] = L'\0';
    source.sKey = LocationKey(L'i', location, index, flags);
    source.bCacheable = true;
    source.sLocation = location;
    source.iIndex = index;
    source.uFlags = flags;
    return source;
}

int CachedImageIndex(const TOwnIconSource& Source) {
    const CachedImageIndexProc routine = CachedImageIndexRoutine();
    if (!Source.bCacheable || !routine)
        return -1;
    return routine(Source.sLocation.c_str(), Source.iIndex, Source.uFlags);
}
