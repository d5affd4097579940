#pragma once

// What the views ask of the shell beyond the folders they are given: the desktop folder, the lists
// of special folders, the desktop's comparison of two lists, display names, icons and paths of
// fully qualified lists, and the system image list. Every view reaches all of these through one
// object so that a test can run the views over a namespace of its own; the default answers from
// the platform's shell. (Starting a change watcher belongs to the layer above: TViewServices.)

#include "identifiers/ComPtr.h"
#include "identifiers/OwnedPidl.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

class TViewShell {
public:
    virtual ~TViewShell() = default;

    // False, with Result null, when the desktop folder cannot be obtained.
    virtual bool GetDesktopFolder(ComPtr<IShellFolder>& Result);
    // The fully qualified list of a special folder (CSIDL_*), or an empty holder.
    virtual OwnedPidl GetSpecialFolderLocation(HWND Owner, int nFolder);
    // The desktop's comparison: 0 when both name one object, or when either is missing.
    virtual int Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2);
    // The shell's display name of a fully qualified list (at most MAX_PATH characters).
    virtual std::string GetDisplayName(LPCITEMIDLIST FQPidl);
    // Indexes in the small system image list of the item's closed and open icons.
    virtual void GetSmallIcons(LPCITEMIDLIST FQPidl, int& Normal, int& Selected);
    // True for a plain directory of the file system, whose icons are those of every other plain
    // directory: not a link, not a junction named after a class, and neither read-only nor
    // system, the marks without which the shell ignores a folder's desktop.ini. Asks nothing of
    // the disk. Attributes: the child's, as Folder answered for at least SFGAO_FILESYSTEM,
    // SFGAO_FOLDER, SFGAO_LINK and SFGAO_STREAM.
    virtual bool IsPlainFolder(IShellFolder* Folder, LPCITEMIDLIST Child, SFGAOF Attributes);
    // The file-system path of a fully qualified list; empty for a virtual folder.
    virtual std::string GetPathFromIDList(LPCITEMIDLIST FQPidl);
    // The shell's system image list of small icons.
    virtual HIMAGELIST GetSmallSystemImageList();
    // The same for large icons; an index into one is valid in the other.
    virtual HIMAGELIST GetLargeSystemImageList();
    // The index of the item's small icon in the system image lists (EnumGlobals'
    // GetSmallIconIndex: shared per kind of item).
    virtual int GetSmallIconIndex(LPCITEMIDLIST FQPidl);
    // The item's type name as the shell shows it in its type column (EnumGlobals' GetItemName).
    virtual std::string GetTypeName(LPCITEMIDLIST FQPidl);
};
