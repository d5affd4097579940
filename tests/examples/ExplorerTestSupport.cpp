#include "ExplorerTestSupport.h"

#include "combo/NameSpaceCombo.h"
#include "framework/ChangeNotifyThread.h"
#include "identifiers/ComPtr.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/OwnedPidl.h"
#include "identifiers/WideText.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include "support/HostWindow.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

std::unique_ptr<TExplorerWindow> OpenExplorer(const std::string& Folder) {
    RegisterExplorerClasses();
    auto window = std::make_unique<TExplorerWindow>(nullptr);
    window->SetStartFolder(Folder);
    std::string error;
    if (!ReadExplorerWindow(*window, error)) {
        ADD_FAILURE() << error;
        return nullptr;
    }
    window->Show();
    UpdateWindow(window->Handle());
    SetForegroundWindow(window->Handle());
    window->Tree()->SetFocus();
    for (TChangeNotifyThread* watcher :
         {window->Tree()->ChangeThread(), window->List()->ChangeThread()})
        if (watcher)
            watcher->WaitUntilWatching(20000);
    SettleIdle(*window);
    return window;
}

bool SettleIdle(const TExplorerWindow& Window, DWORD Quiet, DWORD Limit) {
    const ULONGLONG start = GetTickCount64();
    ULONGLONG lastBusy = start;
    for (ULONGLONG now; (now = GetTickCount64()) - start < Limit;) {
        MSG msg{};
        bool handled = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            PumpMessages();
            handled = true;
        }
        if (handled || (Window.Follower() && Window.Follower()->Pending()))
            lastBusy = GetTickCount64();
        else if (now - lastBusy >= Quiet)
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

std::string FolderName(LPCITEMIDLIST FQPidl) {
    if (!FQPidl || EnumGlobals::GetPidlSize(FQPidl) <= static_cast<int>(sizeof(USHORT)))
        return "Desktop";
    ComPtr<IShellFolder> desktop;
    STRRET name{};
    if (SHGetDesktopFolder(&desktop) != S_OK ||
        desktop->GetDisplayNameOf(FQPidl, SHGDN_FORPARSING, &name) != S_OK)
        return "(no name)";
    wchar_t text[MAX_PATH] = {};
    StrRetToBufW(&name, FQPidl, text, MAX_PATH);
    return WideToUtf8(text);
}

bool TShownFolders::Agree() const {
    return lstrcmpiW(Utf8ToWide(Tree).c_str(), Utf8ToWide(List).c_str()) == 0 &&
           lstrcmpiW(Utf8ToWide(Tree).c_str(), Utf8ToWide(Combo).c_str()) == 0;
}

std::string TShownFolders::Describe() const {
    return "tree: " + Tree + ", list: " + List + ", combo: " + Combo;
}

TShownFolders ShownFolders(const TExplorerWindow& Window) {
    TShownFolders shown;
    const TNodeData* data = TNameSpaceEnumerator::NodeData(Window.Tree()->Selected());
    shown.Tree = data ? FolderName(data->pFQpidl.Get()) : "(no selection)";
    shown.List = FolderName(Window.List()->ViewPidl());
    const TNameSpaceCombo* combo = Window.Combo();
    shown.Combo = combo->ItemIndex() < 0 ? "(no entry)" : FolderName(combo->CurrentPidl().Get());
    return shown;
}
