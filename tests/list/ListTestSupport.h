#pragma once

// What the list tests share: readers of the list's rows and columns, form bytes, and services
// that count the watchers started.

#include "support/CountingMalloc.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/ViewDoubles.h"
#include "list/FolderEnumerator.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
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

// A row's item: the bytes of its full list tell it apart (empty for a row without a record);
// failures print its caption.
struct TRowId {
    std::string Bytes;
    std::string Caption;
    bool operator==(const TRowId& Other) const { return Bytes == Other.Bytes; }
};
void PrintTo(const TRowId& Row, std::ostream* Out);
TRowId Identity(const TListItem* Row);

// Where the user is in a list: the rows' items in order (by bytes alone: reading 2,000 captions
// would ask as many display names), the first visible row, the selected rows and the focused one.
struct TListPlace {
    std::vector<std::string> Order;
    int Top = 0;
    TRowId TopRow;
    std::vector<TRowId> Selected;
    TRowId Focused;
};
TListPlace PlaceOf(TFolderEnumerator& List);

// Services that start real watchers (on drive C) and count the starts.
class TCountingServices : public TFakeViewServices {
public:
    using TFakeViewServices::TFakeViewServices;
    TChangeNotifyThread* StartChangeNotifyThread(HWND Window, UINT Message) override;
    int Starts = 0;
};

// A list in report view over a fake namespace, in a window of the shared host; at the end nothing
// the fake made may be left alive.
class FakeListTest : public testing::Test {
protected:
    void MakeShell(std::vector<FakeItem> Items) {
        shell = std::make_unique<FakeShell>(std::move(Items), &malloc);
        services = std::make_unique<TFakeViewServices>(*shell);
    }
    std::unique_ptr<TFolderEnumerator> NewList() {
        auto made = std::make_unique<TFolderEnumerator>(nullptr, services.get());
        made->SetViewStyle(vsReport);
        made->SetParentWindow(host.Handle());
        made->SetBounds(0, 0, 400, 300);
        made->HandleNeeded();
        return made;
    }
    void TearDown() override {
        list.reset();
        if (shell) {
            EXPECT_EQ(shell->LiveObjects(), 0);
        }
    }

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    THostWindow host;
    std::unique_ptr<FakeShell> shell;
    std::unique_ptr<TFakeViewServices> services;
    std::unique_ptr<TFolderEnumerator> list;
};
