#pragma once

// What the list tests share: readers of the list's rows and columns, form bytes, and services
// that count the watchers started.

#include "support/FakeViewServices.h"
#include "support/ViewDoubles.h"

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

// Services that start real watchers (on drive C) and count the starts.
class TCountingServices : public TFakeViewServices {
public:
    using TFakeViewServices::TFakeViewServices;
    TChangeNotifyThread* StartChangeNotifyThread(HWND Window, UINT Message) override;
    int Starts = 0;
};
