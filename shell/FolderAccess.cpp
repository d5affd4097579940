// Binding folders, display names, type names, icon indexes, attributes and comparisons.

#include "shell/ShellRoutines.h"

#include "identifiers/Holders.h"
#include "identifiers/OwnedPidl.h"
#include "identifiers/ShellMalloc.h"
#include "identifiers/WideText.h"
#include "shell/ShellInfoCache.h"

#include <cstring>

namespace EnumGlobals {

namespace {

// Kinds of a display-name answer.
constexpr UINT kStrRetWide = STRRET_WSTR;     // 0
constexpr UINT kStrRetOffset = STRRET_OFFSET; // 1
constexpr UINT kStrRetInline = STRRET_CSTR;   // 2

// The ANSI text of an offset answer: it lies inside the list that was asked about, so it is read
// no further than that list's end even when its terminator is missing.
std::string OffsetText(LPCITEMIDLIST pidl, UINT offset) {
    if (!pidl)
        return {};
    const size_t size = static_cast<size_t>(GetPidlSize(pidl));
    if (offset >= size)
        return {};
    const char* text = reinterpret_cast<const char*>(pidl) + offset;
    return AnsiToUtf8(std::string_view(text, strnlen(text, size - offset)));
}

std::string InlineText(const STRRET& answer) {
    return AnsiToUtf8(std::string_view(answer.cStr, strnlen(answer.cStr, sizeof answer.cStr)));
}

} // namespace

void BindToDesktopFolder(LPCITEMIDLIST pidl, ComPtr<IShellFolder>& Result) {
    Result.Reset();
    if (!pidl)
        return;
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK || !desktop)
        return;
    BindToFolder(pidl, desktop.Get(), Result);
}

OwnedPidl ParsePath(IShellFolder* Desktop, HWND Owner, const std::string& Path) {
    OwnedPidl parsed;
    std::wstring path;
    if (!Desktop || !WidePath(Path, path) ||
        FAILED(
            Desktop->ParseDisplayName(Owner, nullptr, path.data(), nullptr, parsed.Put(), nullptr)))
        parsed.Reset();
    return parsed;
}

void BindToFolder(LPCITEMIDLIST pidl, IShellFolder* Folder, ComPtr<IShellFolder>& Result) {
    Result.Reset();
    if (!pidl || !Folder)
        return;
    ComPtr<IShellFolder> bound;
    if (FAILED(Folder->BindToObject(pidl, nullptr, IID_PPV_ARGS(&bound))))
        return;
    Result = std::move(bound);
}

bool GetNiceName(IShellFolder* ShellFolder, LPCITEMIDLIST IDList, DWORD Flags, std::string& Name) {
    Name.clear();
    if (!ShellFolder)
        return false;
    STRRET answer{};
    if (ShellFolder->GetDisplayNameOf(IDList, Flags, &answer) != S_OK)
        return false;
    switch (answer.uType) {
    case kStrRetWide: {
        const ShellText text(answer.pOleStr);
        if (text)
            Name = WideToUtf8(text.Get());
        return true;
    }
    case kStrRetOffset:
        Name = OffsetText(IDList, answer.uOffset);
        return true;
    case kStrRetInline:
        Name = InlineText(answer);
        return true;
    default:
        return false;
    }
}

void GetStrRetStr(LPCITEMIDLIST pidl, const STRRET& lpName, std::string& Result) {
    Result.clear();
    switch (lpName.uType) {
    case kStrRetWide:
        if (lpName.pOleStr)
            Result = WideToUtf8(lpName.pOleStr);
        break;
    case kStrRetOffset:
        Result = OffsetText(pidl, lpName.uOffset);
        break;
    case kStrRetInline:
        Result = InlineText(lpName);
        break;
    default:
        break;
    }
}

void GetItemName(LPCITEMIDLIST pidl, std::string& Result) {
    Result = WideToUtf8(TShellInfoCache::Instance().TypeName(pidl));
}

int GetIconIndex(LPCITEMIDLIST IDList, UINT Flags) {
    return TShellInfoCache::Instance().IconIndex(IDList, Flags);
}

int GetSmallIconIndex(LPCITEMIDLIST pidl) {
    return GetIconIndex(pidl, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
}

int GetOpenSmallIconIndex(LPCITEMIDLIST pidl) {
    return GetIconIndex(pidl, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
}

void GetNormalAndSelectedIcons(LPCITEMIDLIST IDList, int& Normal, int& Selected) {
    Normal = GetSmallIconIndex(IDList);
    Selected = GetOpenSmallIconIndex(IDList);
}

void FlushShellInfoCache() {
    TShellInfoCache::Instance().Flush();
}

bool HasAttribute(IShellFolder* pFolder, LPCITEMIDLIST pidl, SFGAOF ulAttrs) {
    if (!pFolder)
        return false;
    SFGAOF attributes = ulAttrs;
    if (pFolder->GetAttributesOf(1, &pidl, &attributes) != S_OK)
        return false;
    return AttributeExists(attributes, ulAttrs);
}

bool HasAttributeFQ(LPCITEMIDLIST FQPidl, SFGAOF ulAttrs) {
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK || !desktop)
        return false;
    return AttributeExists(GetAttributesOfItem(desktop.Get(), FQPidl, ulAttrs), ulAttrs);
}

SFGAOF GetAttributesOfItem(IShellFolder* Folder, LPCITEMIDLIST pidl, SFGAOF ulAttrs) {
    if (!Folder || !pidl)
        return 0;
    // The last item, and the folder that holds it: Folder itself for a list of one item (or none,
    // which names Folder), else Folder's binding of the list cut before that item.
    LPCITEMIDLIST last = GetLastPidl(pidl);
    if (!last)
        last = pidl;
    const auto lastOffset = static_cast<size_t>(reinterpret_cast<const BYTE*>(last) -
                                                reinterpret_cast<const BYTE*>(pidl));
    ComPtr<IShellFolder> holder(Folder);
    if (lastOffset > 0) {
        OwnedPidl parent(OwnedPidl::Adopt, ConcatPidls(nullptr, pidl, g_ShellMalloc));
        if (!parent)
            return 0;
        std::memset(reinterpret_cast<BYTE*>(parent.Get()) + lastOffset, 0, sizeof(USHORT));
        BindToFolder(parent.Get(), Folder, holder);
        if (!holder)
            return 0;
    }
    SFGAOF attributes = ulAttrs;
    if (holder->GetAttributesOf(1, &last, &attributes) != S_OK)
        return 0;
    return attributes & ulAttrs;
}

bool AttributeExists(SFGAOF ulAttribs, SFGAOF ulAttrib) {
    return (ulAttribs & ulAttrib) != 0;
}

bool AreItemsSame(IShellFolder* Folder, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) {
    if (!pidl1 || !pidl2)
        return false;
    if (ArePidlsSame(pidl1, pidl2))
        return true;
    if (!Folder)
        return false;
    const HRESULT order = Folder->CompareIDs(0, pidl1, pidl2);
    return SUCCEEDED(order) && HRESULT_CODE(order) == 0;
}

int Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2) {
    if (!FQpidl1 || !FQpidl2)
        return 0;
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK || !desktop)
        return 0;
    return static_cast<int>(desktop->CompareIDs(0, FQpidl1, FQpidl2));
}

} // namespace EnumGlobals
