#pragma once

// What the list tests share: stand-ins for the tree and the combo box that record what the list
// tells them, and readers of the list's rows.

#include "framework/ViewLinks.h"
#include "support/FakeViewServices.h"

#include <string>
#include <vector>

class TFolderEnumerator;

// The rows' captions in order (each read through the row, as anyone reads it), and the header
// columns' captions.
std::vector<std::string> Captions(const TFolderEnumerator& List);
std::vector<std::string> ColumnCaptions(const TFolderEnumerator& List);

// Bytes of the binary form encoding: raw values, a short string (tag 6), and the column set's
// defaults as the list stores them.
std::string Bytes(std::initializer_list<int> Values);
std::string Str(const std::string& Text);
std::string DefaultColumnSetBytes();
// The row captioned so, or nullptr.
class TListItem;
TListItem* Row(const TFolderEnumerator& List, const std::string& Caption);

class TTreeDouble : public INameSpaceEnumeratorLink {
public:
    void ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) override;
    void GotoParent() override {}
    void SetFolderEnumerator(IFolderEnumeratorLink* FolderEnumerator) override {
        List = FolderEnumerator;
    }
    void SetNameSpaceCombo(INameSpaceComboLink*) override {}

    // The names of the lists asked for ("" for the desktop, "(nil)" for none).
    std::vector<std::string> Expanded;
    std::vector<TViewLink*> Senders;
    FakeShell* Shell = nullptr;
    IFolderEnumeratorLink* List = nullptr;
};

class TComboDouble : public INameSpaceComboLink {
public:
    void SetCurrentPidl(LPCITEMIDLIST Pidl) override;
    void SetNameSpaceEnumerator(INameSpaceEnumeratorLink*) override { Cleared = true; }
    void SetFolderEnumerator(IFolderEnumeratorLink*) override {}

    std::vector<std::string> Current;
    FakeShell* Shell = nullptr;
    bool Cleared = false;
};

// Services that start real watchers (on drive C) and count the starts.
class TCountingServices : public TFakeViewServices {
public:
    using TFakeViewServices::TFakeViewServices;
    TChangeNotifyThread* StartChangeNotifyThread(HWND Window, UINT Message) override;
    int Starts = 0;
};
