#pragma once

// The views' services answered from a fake namespace: one fake for every view, so tests can run
// the tree, the list and the combo over the same namespace and link them.

#include "framework/ViewServices.h"
#include "support/FakeShell.h"

#include <string>

// The fake's root is the desktop; special folders are found by name under it.
class TFakeViewServices : public TViewServices {
public:
    explicit TFakeViewServices(FakeShell& Shell) : m_Shell(Shell) {}

    bool GetDesktopFolder(ComPtr<IShellFolder>& Result) override;
    OwnedPidl GetSpecialFolderLocation(HWND Owner, int nFolder) override;
    int Comparepidls(LPCITEMIDLIST FQpidl1, LPCITEMIDLIST FQpidl2) override;
    std::string GetDisplayName(LPCITEMIDLIST FQPidl) override;
    // Icons by depth: IconBase + items closed, IconBase + 10 + items open; counted.
    void GetSmallIcons(LPCITEMIDLIST FQPidl, int& Normal, int& Selected) override;
    bool IsPlainFolder(IShellFolder*, LPCITEMIDLIST, SFGAOF) override { return PlainFolders; }
    std::string GetPathFromIDList(LPCITEMIDLIST FQPidl) override;
    HIMAGELIST GetSmallSystemImageList() override { return SmallImageList; }
    HIMAGELIST GetLargeSystemImageList() override { return nullptr; }
    // The closed icon of GetSmallIcons.
    int GetSmallIconIndex(LPCITEMIDLIST FQPidl) override;
    // "Type of " and the item's name.
    std::string GetTypeName(LPCITEMIDLIST FQPidl) override;
    // Views over the fake namespace do not watch the disk.
    TChangeNotifyThread* StartChangeNotifyThread(HWND, UINT) override { return nullptr; }

    bool DesktopAvailable = true;
    bool PlainFolders = false;
    int IconBase = 10;
    int IconLookups = 0;
    // How long each icon lookup takes, as a slow shell's would.
    DWORD IconDelayMs = 0;
    // What the views draw their icons from; none unless a test gives one (and keeps it).
    HIMAGELIST SmallImageList = nullptr;

private:
    FakeShell& m_Shell;
};
