#pragma once

// Where a file that draws its own icon (a program, an icon file, a shortcut) gets it from, told
// without asking the shell for the file's icon.
//
// Asking the shell for an item's icon by its fully qualified list makes it bind the item's
// folder anew; under Wine that binding looks for a file that is not there, which costs a pass
// over the whole directory (names are matched whatever their case). A folder of 30,000 items
// then pays about 10 ms for each of its programs and shortcuts, and asking all of them grows
// with the square of the folder. The folder already bound answers the same question cheaply:
// its icon extractor names the icon's file and index, and the shell's image cache turns those
// into the system image list's index. A shortcut's icon is its own icon setting or else its
// target's, so shortcuts to one target share one answer.

#include <windows.h>
#include <shlobj.h>

#include <string>

struct TOwnIconSource {
    // Items with equal keys have the same icon; empty when the source could not be told.
    std::wstring sKey;
    // The icon file, index and extractor flags, when the image cache can be asked for them
    // (not for a shortcut's target, which the shell is asked for once).
    bool bCacheable = false;
    std::wstring sLocation;
    int iIndex = 0;
    UINT uFlags = 0;
};

// The source of the icon of Child, an item of Parent whose parsing path is Path; Link when it is
// a shortcut; Open for the open icon.
TOwnIconSource OwnIconSourceOf(IShellFolder* Parent, LPCITEMIDLIST Child, const std::wstring& Path,
                               bool Link, bool Open);

// The system image list's index of a source the image cache can be asked for, as the shell's
// own lookup gives it; -1 when the cache cannot load that icon.
int CachedImageIndex(const TOwnIconSource& Source);
