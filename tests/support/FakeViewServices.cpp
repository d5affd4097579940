#include "support/FakeViewServices.h"

#include "identifiers/EnumGlobals.h"
#include "shell/ShellRoutines.h"

bool TFakeViewServices::GetDesktopFolder(ComPtr<IShellFolder>& Result) {
    Result = DesktopAvailable ? m_Shell.Root() : nullptr;
    return Result != nullptr;
}

OwnedPidl TFakeViewServices::GetSpecialFolderLocation(HWND, int nFolder) {
    switch (nFolder) {
    case CSIDL_DESKTOP:
        return OwnedPidl(OwnedPidl::Adopt, EnumGlobals::CreatePidl(2, m_Shell.Allocator()),
                         m_Shell.Allocator());
    case CSIDL_DRIVES:
        return m_Shell.Pidl("My Computer");
    case CSIDL_BITBUCKET:
        return m_Shell.Pidl("Recycle Bin");
    case CSIDL_NETWORK:
        return m_Shell.Pidl("Network");
    default:
        return OwnedPidl(m_Shell.Allocator());
    }
}

// As the desktop does it: its own comparison, which knows one item by differing bytes.
int TFakeViewServices::Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2) {
    if (!FQpidl1 || !FQpidl2)
        return 0;
    return static_cast<int>(m_Shell.Root()->CompareIDs(0, FQpidl1, FQpidl2));
}

std::string TFakeViewServices::GetDisplayName(LPCITEMIDLIST FQPidl) {
    return m_Shell.NameOf(FQPidl);
}

void TFakeViewServices::GetSmallIcons(LPCITEMIDLIST FQPidl, int& Normal, int& Selected) {
    int depth = 0;
    for (LPCITEMIDLIST p = FQPidl; p && p->mkid.cb;
         p = reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(p) + p->mkid.cb))
        ++depth;
    ++IconLookups;
    if (IconDelayMs)
        Sleep(IconDelayMs);
    Normal = IconBase + depth;
    Selected = IconBase + 10 + depth;
}

std::string TFakeViewServices::GetPathFromIDList(LPCITEMIDLIST FQPidl) {
    ComPtr<IShellFolder> root = m_Shell.Root();
    if (!EnumGlobals::HasAttribute(root.Get(), FQPidl, SFGAO_FILESYSTEM))
        return {};
    std::string path;
    EnumGlobals::GetNiceName(root.Get(), FQPidl, SHGDN_FORPARSING, path);
    return path;
}

int TFakeViewServices::GetSmallIconIndex(LPCITEMIDLIST FQPidl) {
    int normal = 0;
    int selected = 0;
    GetSmallIcons(FQPidl, normal, selected);
    return normal;
}

std::string TFakeViewServices::GetTypeName(LPCITEMIDLIST FQPidl) {
    return "Type of " + m_Shell.NameOf(FQPidl);
}
