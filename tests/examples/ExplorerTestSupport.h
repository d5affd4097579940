#pragma once

// What the explorer's tests share: its window, made as the program makes it, and the names of
// the folders its views show.

#include "examples/explorer/ExplorerWindow.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

// The explorer's window read from its form file with Folder as its start folder (the tree and
// the combo follow the list), shown, both watchers set up; nullptr when the form cannot be read.
std::unique_ptr<TExplorerWindow> OpenExplorer(const std::string& Folder);
// Handles what comes until the thread has had nothing to do for Quiet milliseconds and the
// follower waits for nothing (at most Limit milliseconds); whether it got there.
bool SettleIdle(const TExplorerWindow& Window, DWORD Quiet = 120, DWORD Limit = 5000);
// The desktop's parsing name of a folder ("Desktop" for the desktop).
std::string FolderName(LPCITEMIDLIST FQPidl);
// The folders the three views show, by name, one line.
struct TShownFolders {
    std::string Tree, List, Combo;
    bool Agree() const;
    std::string Describe() const;
};
TShownFolders ShownFolders(const TExplorerWindow& Window);
