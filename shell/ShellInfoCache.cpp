#include "shell/ShellInfoCache.h"

#include "identifiers/EnumGlobals.h"
#include "identifiers/Holders.h"
#include "shell/OwnIconSource.h"
#include "shell/ShellRoutines.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <array>
#include <cwctype>

namespace {

// Extensions whose files the shell draws with their own icon whatever the registry says.
constexpr std::array kOwnIconExtensions{L".exe", L".com", L".scr", L".ico", L".cur", L".ani",
                                        L".lnk", L".pif", L".url", L".cpl", L".scf", L".msc"};

std::wstring Lower(std::wstring s) {
    if (!s.empty())
        CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

std::wstring RegistryText(const std::wstring& key, const wchar_t* value) {
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ,
                     nullptr, buffer, &size) != ERROR_SUCCESS)
        return {};
    return buffer;
}

bool RegistryKeyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// A class key whose files get their icon one by one: the registered icon is the file itself
// ("%1"), or an icon handler picks it.
bool ClassHasOwnIcons(const std::wstring& key) {
    return RegistryText(key + L"\\DefaultIcon", nullptr).find(L"%1") != std::wstring::npos ||
           RegistryKeyExists(key + L"\\shellex\\IconHandler");
}

} // namespace

TShellInfoCache& TShellInfoCache::Instance() {
    static TShellInfoCache cache;
    return cache;
}

void TShellInfoCache::Flush() {
    m_ParentBytes.clear();
    m_Parent.Reset();
    m_LastItemBytes.clear();
    m_LastKey.clear();
    m_LastTypeKey.clear();
    m_LastOwnIconPath.clear();
    m_bLastLink = false;
    m_OwnIconExtensions.clear();
    m_Answers.clear();
}

int TShellInfoCache::IconIndex(LPCITEMIDLIST pidl, UINT flags) {
    flags |= SHGFI_PIDL;
    if (flags == (SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON))
        return Lookup(pidl, Query::SmallIcon).iIcon;
    if (flags == (SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON))
        return Lookup(pidl, Query::OpenSmallIcon).iIcon;
    if (!pidl)
        return EnumGlobals::kNoIconIndex;
    SHFILEINFOW info{};
    info.iIcon = EnumGlobals::kNoIconIndex;
    ++m_ShellLookups;
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof info, flags))
        return EnumGlobals::kNoIconIndex;
    // An icon handle asked for with other flags is of no use here; don't leak it.
    const OwnedIcon unused((flags & SHGFI_ICON) ? info.hIcon : nullptr);
    return info.iIcon;
}

std::wstring TShellInfoCache::TypeName(LPCITEMIDLIST pidl) {
    return Lookup(pidl, Query::TypeName).typeName;
}

TShellInfoCache::Answer TShellInfoCache::Ask(LPCITEMIDLIST pidl, Query query) {
    Answer answer;
    answer.iIcon = EnumGlobals::kNoIconIndex;
    UINT flags = SHGFI_PIDL;
    switch (query) {
    case Query::SmallIcon:
        flags |= SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
        break;
    case Query::OpenSmallIcon:
        flags |= SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON;
        break;
    case Query::TypeName:
        flags |= SHGFI_TYPENAME;
        break;
    }
    SHFILEINFOW info{};
    info.iIcon = EnumGlobals::kNoIconIndex;
    ++m_ShellLookups;
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof info, flags))
        return answer;
    answer.answered = true;
    answer.iIcon = info.iIcon;
    info.szTypeName[std::size(info.szTypeName) - 1] = L'\0';
    answer.typeName = info.szTypeName;
    return answer;
}

TShellInfoCache::Answer TShellInfoCache::Lookup(LPCITEMIDLIST pidl, Query query) {
    if (!pidl)
        return Answer{false, EnumGlobals::kNoIconIndex, {}};
    const std::wstring iconKey = ShareKey(pidl);
    // A file's type name is its extension's, also where its icon is its own.
    const std::wstring key = query == Query::TypeName ? m_LastTypeKey : iconKey;
    if (key.empty() && query != Query::TypeName && !m_LastOwnIconPath.empty())
        return OwnIconAnswer(pidl, query);
    if (key.empty())
        return Ask(pidl, query);
    const auto found = m_Answers.find({key, query});
    if (found != m_Answers.end()) {
        ++m_CachedAnswers;
        return found->second;
    }
    // The kind's first icon is asked of the parent already bound, as an own icon is.
    Answer answer = query == Query::TypeName ? Ask(pidl, query) : AskIcon(pidl, query, {});
    // A failed lookup is not kept: the next item of the kind asks again.
    if (answer.answered)
        m_Answers.emplace(std::make_pair(key, query), answer);
    return answer;
}

TShellInfoCache::Answer TShellInfoCache::OwnIconAnswer(LPCITEMIDLIST pidl, Query query) {
    const TOwnIconSource source =
        OwnIconSourceOf(m_Parent.Get(), EnumGlobals::GetLastPidl(pidl), m_LastOwnIconPath,
                        m_bLastLink, query == Query::OpenSmallIcon);
    if (source.sKey.empty())
        return Ask(pidl, query);
    const auto found = m_Answers.find({source.sKey, query});
    if (found != m_Answers.end()) {
        ++m_CachedAnswers;
        return found->second;
    }
    Answer answer = AskIcon(pidl, query, source);
    if (answer.answered)
        m_Answers.emplace(std::make_pair(source.sKey, query), answer);
    return answer;
}

TShellInfoCache::Answer TShellInfoCache::AskIcon(LPCITEMIDLIST pidl, Query query,
                                                 std::optional<TOwnIconSource> source) {
    if (!source)
        source = OwnIconSourceOf(m_Parent.Get(), EnumGlobals::GetLastPidl(pidl), {}, false,
                                 query == Query::OpenSmallIcon);
    Answer answer;
    answer.iIcon = CachedImageIndex(*source);
    answer.answered = answer.iIcon >= 0;
    // An icon the image cache cannot load is whatever the shell puts in its place.
    return answer.answered ? answer : Ask(pidl, query);
}

bool TShellInfoCache::BindParent(LPCITEMIDLIST pidl, LPCITEMIDLIST& child) {
    const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
    child = EnumGlobals::GetLastPidl(pidl);
    if (!child)
        return false;
    const auto last = static_cast<size_t>(reinterpret_cast<const BYTE*>(child) - bytes);
    if (m_Parent && m_ParentBytes.size() == last + 2 &&
        std::equal(bytes, bytes + last, m_ParentBytes.begin()))
        return true;

    m_Parent.Reset();
    m_ParentBytes.assign(bytes, bytes + last);
    m_ParentBytes.push_back(0);
    m_ParentBytes.push_back(0);
    ComPtr<IShellFolder> desktop;
    if (SHGetDesktopFolder(&desktop) != S_OK)
        return false;
    const auto parent = reinterpret_cast<LPCITEMIDLIST>(m_ParentBytes.data());
    if (FAILED(desktop->BindToObject(parent, nullptr, IID_PPV_ARGS(&m_Parent))))
        m_Parent.Reset();
    return m_Parent != nullptr;
}

bool TShellInfoCache::ExtensionHasOwnIcons(const std::wstring& extension) {
    const auto known = m_OwnIconExtensions.find(extension);
    // Registry keys are found whatever their case; the list above is in lower case.
    const std::wstring lower = Lower(extension);
    if (known != m_OwnIconExtensions.end())
        return known->second;
    bool own = std::find_if(kOwnIconExtensions.begin(), kOwnIconExtensions.end(),
                            [&](auto e) { return extension == e; }) != kOwnIconExtensions.end();
    if (!own && !extension.empty()) {
        own =
            ClassHasOwnIcons(extension) ||
            RegistryKeyExists(L"SystemFileAssociations\\" + extension + L"\\shellex\\IconHandler");
        std::wstring progId = RegistryText(extension, nullptr);
        if (!own && !progId.empty()) {
            own = ClassHasOwnIcons(progId);
            const std::wstring current = RegistryText(progId + L"\\CurVer", nullptr);
            if (!own && !current.empty())
                own = ClassHasOwnIcons(current);
        }
    }
    m_OwnIconExtensions.emplace(extension, own);
    return own;
}

std::wstring TShellInfoCache::ShareKey(LPCITEMIDLIST pidl) {
    const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
    const size_t size = static_cast<size_t>(EnumGlobals::GetPidlSize(pidl));
    if (m_LastItemBytes.size() == size && std::equal(bytes, bytes + size, m_LastItemBytes.begin()))
        return m_LastKey;
    m_LastItemBytes.assign(bytes, bytes + size);
    m_LastKey.clear();
    m_LastTypeKey.clear();
    m_LastOwnIconPath.clear();
    m_bLastLink = false;

    // The desktop and the items directly on it (My Computer, the user's folders, the bin) are
    // special to the shell: always asked about.
    if (EnumGlobals::GetPidlCount(pidl) <= 1)
        return m_LastKey;
    LPCITEMIDLIST child = nullptr;
    if (!BindParent(pidl, child))
        return m_LastKey;

    SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_LINK | SFGAO_STREAM;
    if (FAILED(m_Parent->GetAttributesOf(1, &child, &attributes)))
        return m_LastKey;
    if (!(attributes & SFGAO_FILESYSTEM))
        return m_LastKey;
    const bool link = (attributes & SFGAO_LINK) != 0;

    STRRET name{};
    if (m_Parent->GetDisplayNameOf(child, SHGDN_FORPARSING, &name) != S_OK)
        return m_LastKey;
    wchar_t* raw = nullptr;
    if (FAILED(StrRetToStrW(&name, child, &raw)) || !raw)
        return m_LastKey;
    const TaskText held(raw);
    const std::wstring path = raw;

    // Only paths on a drive or a share; drives and shares themselves have their own icons.
    const bool drivePath = path.size() > 3 && path[1] == L':' && path[2] == L'\\';
    const bool sharePath = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\';
    if ((!drivePath && !sharePath) || PathIsRootW(path.c_str()))
        return m_LastKey;

    // Kept in its own case: the shell names an unregistered type after the extension as written.
    const std::wstring extension = PathFindExtensionW(path.c_str());
    const bool directory = (attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM);
    if (directory) {
        if (link)
            return m_LastKey;
        // A folder customised by its desktop.ini, or a junction named after a class.
        if (extension.rfind(L".{", 0) == 0)
            return m_LastKey;
        // Only a read-only or system folder is customised by its desktop.ini; looking for that
        // file in a folder of many entries is a pass over all of them under Wine.
        const DWORD folderAttributes = GetFileAttributesW(path.c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES ||
            ((folderAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) &&
             GetFileAttributesW((path + L"\\desktop.ini").c_str()) != INVALID_FILE_ATTRIBUTES))
            return m_LastKey;
        m_LastKey = L"d";
        m_LastTypeKey = m_LastKey;
        return m_LastKey;
    }
    m_LastTypeKey = ((attributes & SFGAO_FOLDER) ? L"s" : L"f") + extension;
    if (link || ExtensionHasOwnIcons(extension)) {
        m_LastOwnIconPath = path;
        m_bLastLink = link;
        return m_LastKey;
    }
    m_LastKey = m_LastTypeKey;
    return m_LastKey;
}
