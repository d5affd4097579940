#pragma once

// Icon indexes and type names of shell items, answered as the shell answers them but without
// asking it item by item where the answer is shared.
//
// Asking the shell for an item's icon or type by identifier list makes it build an icon extractor
// and read the file associations from the registry each time: milliseconds per item, tens of
// seconds for a large folder. Yet for an ordinary file the answer depends only on its extension,
// and for an ordinary directory on nothing at all. So the first item of each such kind is asked
// about exactly as before and its answer is kept for the rest of its kind. Items that carry an icon
// of their own (programs, shortcuts, icon files, anything whose registered icon is the file itself
// or comes from an icon handler, directories with a desktop.ini, drives, and every item that is not
// a file-system object, such as the desktop's and My Computer's virtual folders) are asked about
// one by one; of a file among them the type name follows its extension alone, and its icon is
// told by its parent folder's icon extractor and shared by the items of the same icon source
// (OwnIconSource.h), which spares the shell's slow lookup by identifier list.
//
// Telling the kinds apart needs the item's attributes and parsing name, which its parent folder
// gives cheaply; the parent bound last is kept, since callers ask about one folder's items in turn.

#include "identifiers/ComPtr.h"
#include "shell/OwnIconSource.h"

#include <windows.h>
#include <shlobj.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

class TShellInfoCache {
public:
    // The one instance the EnumGlobals routines use.
    static TShellInfoCache& Instance();

    // What SHGetFileInfo with SHGFI_PIDL and `flags` would put in iIcon.
    int IconIndex(LPCITEMIDLIST pidl, UINT flags);
    // What SHGetFileInfo with SHGFI_PIDL | SHGFI_TYPENAME would put in szTypeName.
    std::wstring TypeName(LPCITEMIDLIST pidl);
    // Forgets every kept answer and the kept parent folder.
    void Flush();

    // Lookups that went to the shell one by one, and answers served from the cache; for tests.
    int ShellLookups() const { return m_ShellLookups; }
    int CachedAnswers() const { return m_CachedAnswers; }

private:
    enum class Query { SmallIcon, OpenSmallIcon, TypeName };
    struct Answer {
        bool answered = false;
        int iIcon = 0;
        std::wstring typeName;
    };

    // The key under which the item's answers may be shared; empty when it must be asked about.
    std::wstring ShareKey(LPCITEMIDLIST pidl);
    bool BindParent(LPCITEMIDLIST pidl, LPCITEMIDLIST& child);
    bool ExtensionHasOwnIcons(const std::wstring& extension);
    Answer Ask(LPCITEMIDLIST pidl, Query query);
    Answer Lookup(LPCITEMIDLIST pidl, Query query);
    // The icon of a file that draws its own, shared with the items of the same source
    // (OwnIconSource.h).
    Answer OwnIconAnswer(LPCITEMIDLIST pidl, Query query);
    // An icon told by the bound parent's extractor and the image cache (of Source, or of the
    // item's own source when none is given); the shell is asked when the cache cannot load it.
    Answer AskIcon(LPCITEMIDLIST pidl, Query query, std::optional<TOwnIconSource> Source);

    // The parent folder bound last, with the bytes of its fully qualified list.
    std::vector<BYTE> m_ParentBytes;
    ComPtr<IShellFolder> m_Parent;
    // The share keys of the item asked about last (of its icons, and of its type name, which
    // files of one extension share whatever their icons), with the bytes of its list.
    std::vector<BYTE> m_LastItemBytes;
    std::wstring m_LastKey;
    std::wstring m_LastTypeKey;
    // The path of the item asked about last when it is a file with an icon of its own (empty
    // otherwise), and whether it is a shortcut.
    std::wstring m_LastOwnIconPath;
    bool m_bLastLink = false;
    std::map<std::wstring, bool> m_OwnIconExtensions;
    std::map<std::pair<std::wstring, Query>, Answer> m_Answers;
    int m_ShellLookups = 0;
    int m_CachedAnswers = 0;
};
