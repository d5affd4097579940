// Running shell commands on items, file operations and shortcut files.

#include "shell/ShellRoutines.h"

#include "identifiers/Holders.h"
#include "identifiers/WideText.h"
#include "shell/FileOperation.h"
#include "shell/UIObject.h"

#include <shellapi.h>

namespace EnumGlobals {

namespace {

enum class MenuContent : UINT { DefaultOnly = CMF_DEFAULTONLY, VerbsOnly = CMF_VERBSONLY };

// The folder's own fully qualified list; empty when it cannot name it.
OwnedPidl FolderPidl(IShellFolder* Folder) {
    OwnedPidl pidl;
    ComPtr<IPersistFolder2> persist;
    if (FAILED(Folder->QueryInterface(IID_PPV_ARGS(&persist))) ||
        persist->GetCurFolder(pidl.Put()) != S_OK)
        pidl.Reset();
    return pidl;
}

// Runs the verb of the whole menu's entry `Id` on each item through the platform's launcher, with
// the item's full list, so that the item's class says what runs. Wine's item menu answers its
// "Open" entry with success on a file and starts nothing (it opens folders only); the launcher
// starts the program registered for the file. Only for items of the file system (the others are
// left to their folder's menu); false, with nothing run, when one is not, or when the folder
// cannot name its own list.
bool LaunchEach(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls,
                IContextMenu* Menu, UINT Id) {
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (Folder->GetAttributesOf(Numpidls, PidlList, &attributes) != S_OK ||
        !(attributes & SFGAO_FILESYSTEM))
        return false;
    const OwnedPidl folder = FolderPidl(Folder);
    if (!folder)
        return false;
    wchar_t verb[MAX_PATH] = {};
    if (FAILED(Menu->GetCommandString(Id, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(verb),
                                      MAX_PATH)))
        verb[0] = L'\0';
    verb[MAX_PATH - 1] = L'\0';
    for (UINT i = 0; i < Numpidls; ++i) {
        const OwnedPidl item(OwnedPidl::Adopt,
                             ConcatPidls(folder.Get(), PidlList[i], g_ShellMalloc));
        if (!item)
            continue;
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_INVOKEIDLIST;
        info.hwnd = Wnd;
        // Without a verb of its own the entry runs the class's default command.
        info.lpVerb = verb[0] ? verb : nullptr;
        info.lpIDList = item.Get();
        info.nShow = SW_SHOWNORMAL;
        // A file no program is registered for gets the platform's own message; nothing to add.
        (void)ShellExecuteExW(&info);
    }
    return true;
}

// The context menu of the items, filled into a menu that is never shown, then one of its commands
// run. `verb` names the command; without one, the menu's first (the default) entry is run.
void InvokeThroughMenu(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls,
                       MenuContent content, const std::string* verb) {
    if (!Folder)
        return;
    ComPtr<IContextMenu> menu;
    if (UIObjectOf(Folder, Wnd, Numpidls, PidlList, menu) != S_OK || !menu)
        return;
    const OwnedMenu popup(CreatePopupMenu());
    if (!popup)
        return;
    if (FAILED(menu->QueryContextMenu(popup.Get(), 0, 0, 0x7FFF, static_cast<UINT>(content))))
        return;

    CMINVOKECOMMANDINFO command{};
    command.cbSize = sizeof command;
    command.hwnd = Wnd;
    command.nShow = SW_SHOWNORMAL;
    if (verb) {
        command.lpVerb = verb->c_str();
    } else {
        // With no entry the menu answers -1, which is no command identifier at all: a verb
        // pointer made from it would send the menu reading at a wild address.
        UINT id = GetMenuItemID(popup.Get(), 0);
        const bool wholeMenu = GetMenuItemCount(popup.Get()) <= 0;
        if (wholeMenu) {
            // Some shells (Wine's) put nothing in a menu asked for its default entry alone: the
            // whole menu is made then, and its default entry run.
            const OwnedMenu full(CreatePopupMenu());
            if (!full || FAILED(menu->QueryContextMenu(full.Get(), 0, 0, 0x7FFF, CMF_EXPLORE)))
                return;
            id = GetMenuDefaultItem(full.Get(), FALSE, 0);
        }
        if (id == static_cast<UINT>(-1) || id > 0x7FFF)
            return;
        if (wholeMenu && LaunchEach(Wnd, Folder, PidlList, Numpidls, menu.Get(), id))
            return;
        command.lpVerb = MAKEINTRESOURCEA(id);
    }
    // A command that fails shows its own message, if any; the views report nothing of it.
    (void)menu->InvokeCommand(&command);
}

} // namespace

void ShowContextMenu(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls,
                     POINT Screen) {
    if (!Folder || Numpidls == 0)
        return;
    ComPtr<IContextMenu> menu;
    if (UIObjectOf(Folder, Wnd, Numpidls, PidlList, menu) != S_OK || !menu)
        return;
    const OwnedMenu popup(CreatePopupMenu());
    if (!popup || FAILED(menu->QueryContextMenu(popup.Get(), 0, 0, 0x7FFF, CMF_EXPLORE)))
        return;
    // Identifier 0 is also the answer for a dismissed menu: it is never run.
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, Screen.x, Screen.y, 0, Wnd, nullptr));
    if (command == 0)
        return;
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = Wnd;
    info.lpVerb = MAKEINTRESOURCEA(command);
    info.nShow = SW_SHOWNORMAL;
    (void)menu->InvokeCommand(&info);
}

void InvokeDefaultVerb(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls) {
    InvokeThroughMenu(Wnd, Folder, PidlList, Numpidls, MenuContent::DefaultOnly, nullptr);
}

void InvokeMenuVerb(HWND Wnd, IShellFolder* Folder, LPCITEMIDLIST* PidlList, UINT Numpidls,
                    const std::string& Verb) {
    InvokeThroughMenu(Wnd, Folder, PidlList, Numpidls, MenuContent::VerbsOnly, &Verb);
}

bool PerformFileOperation(HWND hWnd, UINT Operation, const TStringList& SourceFiles,
                          const std::string& szDestPath) {
    if (!TFileOperation::IsKnownOperation(Operation))
        return false;
    TFileOperation operation(hWnd, Operation, SourceFiles, szDestPath);
    operation.Run();
    return true;
}

HRESULT CreateLink(const std::string& lpszPathObj, const std::string& lpszPathLink,
                   const std::string& lpszDesc) {
    ComPtr<IShellLinkW> link;
    HRESULT hr =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    if (FAILED(hr))
        return hr;
    link->SetPath(Utf8ToWide(lpszPathObj).c_str());
    link->SetDescription(Utf8ToWide(lpszDesc).c_str());
    ComPtr<IPersistFile> file;
    hr = link.As(&file);
    if (FAILED(hr))
        return hr;
    return file->Save(Utf8ToWide(lpszPathLink).c_str(), TRUE);
}

} // namespace EnumGlobals
