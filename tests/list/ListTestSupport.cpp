#include "ListTestSupport.h"

#include "identifiers/EnumGlobals.h"
#include "list/FolderEnumerator.h"

std::vector<std::string> Captions(const TFolderEnumerator& List) {
    std::vector<std::string> captions;
    for (int i = 0; i < List.Items().Count(); ++i)
        captions.push_back(List.Items().Item(i)->Caption());
    return captions;
}

TListItem* Row(const TFolderEnumerator& List, const std::string& Caption) {
    for (int i = 0; i < List.Items().Count(); ++i)
        if (List.Items().Item(i)->Caption() == Caption)
            return List.Items().Item(i);
    return nullptr;
}

namespace {
std::string NameOrNil(FakeShell* Shell, LPCITEMIDLIST Pidl) {
    if (!Pidl)
        return "(nil)";
    return Shell ? Shell->NameOf(Pidl) : std::string();
}
} // namespace

void TTreeDouble::ExpandToFolder(TViewLink* Sender, LPCITEMIDLIST FQPidl) {
    Senders.push_back(Sender);
    Expanded.push_back(EnumGlobals::GetPidlSize(FQPidl) <= 2 && FQPidl ? ""
                                                                       : NameOrNil(Shell, FQPidl));
}

void TComboDouble::SetCurrentPidl(LPCITEMIDLIST Pidl) {
    Current.push_back(EnumGlobals::GetPidlSize(Pidl) <= 2 && Pidl ? "" : NameOrNil(Shell, Pidl));
}

TChangeNotifyThread* TCountingServices::StartChangeNotifyThread(HWND Window, UINT Message) {
    ++Starts;
    return TViewServices::Default().StartChangeNotifyThread(Window, Message);
}
