#include "ListTestSupport.h"

#include "identifiers/EnumGlobals.h"
#include "list/FolderEnumerator.h"

std::vector<std::string> Captions(const TFolderEnumerator& List) {
    std::vector<std::string> captions;
    for (int i = 0; i < List.Items().Count(); ++i)
        captions.push_back(List.Items().Item(i)->Caption());
    return captions;
}

std::vector<std::string> ColumnCaptions(const TFolderEnumerator& List) {
    std::vector<std::string> names;
    for (int i = 0; i < List.Columns().Count(); ++i)
        names.push_back(List.Columns().Item(i)->Caption());
    return names;
}

std::string Bytes(std::initializer_list<int> Values) {
    std::string out;
    for (int v : Values)
        out.push_back(static_cast<char>(v));
    return out;
}

std::string Str(const std::string& Text) {
    return Bytes({6, static_cast<int>(Text.size())}) + Text;
}

std::string DefaultColumnSetBytes() {
    return Bytes({1}) + Str("Name") + Bytes({2, 0, 3, 0xC8, 0, 8}) + Str("Extension") +
           Bytes({2, 0, 2, 0x32, 8}) + Str("Size") + Bytes({2, 1, 2, 0x32, 9}) + Str("Attributes") +
           Bytes({2, 0, 2, 0x32, 8}) + Str("Type") + Bytes({2, 0, 2, 0x64, 9}) + Str("Modified") +
           Bytes({2, 0, 3, 0xC8, 0, 9}) + Bytes({0});
}

TListItem* Row(const TFolderEnumerator& List, const std::string& Caption) {
    for (int i = 0; i < List.Items().Count(); ++i)
        if (List.Items().Item(i)->Caption() == Caption)
            return List.Items().Item(i);
    return nullptr;
}

TChangeNotifyThread* TCountingServices::StartChangeNotifyThread(HWND Window, UINT Message) {
    ++Starts;
    return TViewServices::Default().StartChangeNotifyThread(Window, Message);
}

void PrintTo(const TRowId& Row, std::ostream* Out) {
    *Out << '"' << Row.Caption << '"';
}

TRowId Identity(const TListItem* Row) {
    const TItemData* data = TFolderEnumerator::ItemData(Row);
    if (!data)
        return {};
    return {std::string(PidlBytes(data->pFQPidl.Get())), Row->Caption()};
}

TListPlace PlaceOf(TFolderEnumerator& List) {
    TListPlace place;
    for (int i = 0; i < List.Items().Count(); ++i) {
        const TListItem* row = List.Items().Item(i);
        const TItemData* data = TFolderEnumerator::ItemData(row);
        place.Order.emplace_back(data ? PidlBytes(data->pFQPidl.Get()) : std::string_view());
        if (row->Selected())
            place.Selected.push_back(Identity(row));
        if (row->Focused())
            place.Focused = Identity(row);
    }
    place.Top = static_cast<int>(SendMessageW(List.Handle(), LVM_GETTOPINDEX, 0, 0));
    place.TopRow = Identity(List.Items().Item(place.Top));
    return place;
}
