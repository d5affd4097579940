#include "ExplorerWindow.h"

#include "combo/NameSpaceCombo.h"
#include "components/FormStreaming.h"
#include "controls/Application.h"
#include "controls/MainMenu.h"
#include "controls/StatusBar.h"
#include "identifiers/WideText.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include <shlwapi.h>

namespace {

constexpr UINT_PTR kStatusTimer = 1;

// The View menu's items in the order of the list's view styles.
constexpr const char* kViewStyleItems[] = {"LargeIconsItem", "SmallIconsItem", "ListItem",
                                           "DetailsItem"};

std::string ByteSize(int64_t Bytes) {
    wchar_t text[64] = {};
    StrFormatByteSizeW(Bytes, text, 64);
    return WideToUtf8(text);
}

} // namespace

TExplorerWindow::TExplorerWindow(TComponent* AOwner) : TForm(AOwner) {}

// The follower goes before the views it holds (the base destructor frees them).
TExplorerWindow::~TExplorerWindow() = default;

const TClassInfo& TExplorerWindow::StaticClassInfo() {
    using T = TExplorerWindow;
    static const TClassInfo info{
        .ClassName = "TExplorerWindow",
        .Parent = &TForm::StaticClassInfo(),
        .Create = ConstructComponent<TExplorerWindow>,
        .Messages = {MessageHandler<WM_DESTROY, &T::WMDestroy>(),
                     MessageHandler<WM_TIMER, &T::WMTimer>(),
                     MessageHandler<WM_NOTIFY, &T::WMNotify>(),
                     MessageHandler<WM_INITMENUPOPUP, &T::WMInitMenuPopup>()},
        .Methods = {PublishedMethod<&T::TreeSelectionChange>("TreeSelectionChange"),
                    PublishedMethod<&T::ListSelectionChange>("ListSelectionChange"),
                    PublishedMethod<&T::ParentItemClick>("ParentItemClick"),
                    PublishedMethod<&T::ExitItemClick>("ExitItemClick"),
                    PublishedMethod<&T::ViewStyleItemClick>("ViewStyleItemClick"),
                    PublishedMethod<&T::HiddenItemClick>("HiddenItemClick"),
                    PublishedMethod<&T::RefreshItemClick>("RefreshItemClick")},
    };
    return info;
}

TNameSpaceEnumerator* TExplorerWindow::Tree() const {
    return dynamic_cast<TNameSpaceEnumerator*>(FindComponent("Tree"));
}

TFolderEnumerator* TExplorerWindow::List() const {
    return dynamic_cast<TFolderEnumerator*>(FindComponent("List"));
}

TNameSpaceCombo* TExplorerWindow::Combo() const {
    return dynamic_cast<TNameSpaceCombo*>(FindComponent("Combo"));
}

TStatusBar* TExplorerWindow::StatusBar() const {
    return dynamic_cast<TStatusBar*>(FindComponent("StatusBar"));
}

// The window runs before its views settle from the form (they are told Loaded after it): the
// follower is in place when the tree first selects its root, and the start folder given to the
// list now is the one it fills with, once, when it settles.
void TExplorerWindow::Loaded() {
    TForm::Loaded();
    TNameSpaceEnumerator* tree = Tree();
    TFolderEnumerator* list = List();
    TNameSpaceCombo* combo = Combo();
    if (tree && list && combo)
        m_Follower = std::make_unique<TViewFollower>(*tree, *list, *combo, Handle());
    if (list && !m_sStartFolder.empty())
        list->SetFolder(m_sStartFolder);
}

void TExplorerWindow::TreeSelectionChange(TNameSpaceEnumerator* Sender) {
    std::string name = Sender->GetSelection();
    if (name.empty() && Sender->Selected())
        name = Sender->Selected()->Text();
    SetCaption(name.empty() ? "Explorer" : name + " - Explorer");
    if (m_Follower)
        m_Follower->SelectionChanged();
    StatusChanged();
}

void TExplorerWindow::ListSelectionChange(TFolderEnumerator*) {
    StatusChanged();
}

void TExplorerWindow::StatusChanged() {
    if (!m_bStatusPending && HandleAllocated()) {
        m_bStatusPending = true;
        SetTimer(WindowHandle(), kStatusTimer, 50, nullptr);
    }
}

// Rows come and go without a selection change too: a refill after a change on the disk.
void TExplorerWindow::WMNotify(TMessage& Message) {
    const TFolderEnumerator* list = List();
    const auto& header = *Message.Notification<const NMHDR>();
    if (list && list->HandleAllocated() && header.hwndFrom == list->WindowHandle() &&
        (header.code == LVN_INSERTITEM || header.code == LVN_DELETEITEM ||
         header.code == LVN_DELETEALLITEMS))
        StatusChanged();
    Inherited(Message);
}

void TExplorerWindow::WMTimer(TMessage& Message) {
    if (Message.WParam != kStatusTimer) {
        Inherited(Message);
        return;
    }
    KillTimer(WindowHandle(), kStatusTimer);
    m_bStatusPending = false;
    UpdateStatus();
}

// From the rows the list holds and their records: the folder is not read a second time.
void TExplorerWindow::UpdateStatus() {
    TFolderEnumerator* list = List();
    TStatusBar* bar = StatusBar();
    if (!list || !bar)
        return;
    const int count = list->Items().Count();
    std::string text = std::to_string(count) + (count == 1 ? " item" : " items");
    int selected = 0;
    int64_t bytes = 0;
    for (TListItem* row = list->GetNextItem(nullptr, sdAll, isSelected); row;
         row = list->GetNextItem(row, sdAll, isSelected)) {
        ++selected;
        if (const TItemData* data = TFolderEnumerator::ItemData(row); data && data->bHasDetails)
            bytes += data->EntryDetails.iSize;
    }
    if (selected > 0)
        text += ", " + std::to_string(selected) + " selected (" + ByteSize(bytes) + ")";
    bar->SetSimpleText(text);
}

// The check marks follow the list, whatever changed it.
void TExplorerWindow::WMInitMenuPopup(TMessage& Message) {
    if (const TFolderEnumerator* list = List()) {
        for (int style = vsIcon; style <= vsReport; ++style)
            if (auto* item = dynamic_cast<TMenuItem*>(FindComponent(kViewStyleItems[style])))
                item->SetChecked(list->ViewStyle() == style);
        if (auto* item = dynamic_cast<TMenuItem*>(FindComponent("HiddenItem")))
            item->SetChecked(list->ShowHidden());
    }
    Inherited(Message);
}

void TExplorerWindow::ViewStyleItemClick(TObject* Sender) {
    TFolderEnumerator* list = List();
    for (int style = vsIcon; list && style <= vsReport; ++style)
        if (Sender == FindComponent(kViewStyleItems[style]))
            list->SetViewStyle(static_cast<TViewStyle>(style));
}

// Both wait for a rename open in the list: the rows it works on stay until it ends.
void TExplorerWindow::HiddenItemClick(TObject*) {
    if (TFolderEnumerator* list = List()) {
        list->SetShowHidden(!list->ShowHidden());
        StatusChanged();
    }
}

// F5 is the tree's and the list's own key too; as the window's shortcut it reaches neither, so
// the item reads both again.
void TExplorerWindow::RefreshItemClick(TObject*) {
    if (TNameSpaceEnumerator* tree = Tree())
        tree->Refresh();
    if (TFolderEnumerator* list = List())
        list->Refresh();
    StatusChanged();
}

void TExplorerWindow::ParentItemClick(TObject*) {
    if (TNameSpaceEnumerator* tree = Tree())
        tree->GotoParent();
}

void TExplorerWindow::ExitItemClick(TObject*) {
    Close();
}

void TExplorerWindow::WMDestroy(TMessage& Message) {
    Inherited(Message);
    if (m_bEndsApplication)
        Application().Terminate();
}

void RegisterExplorerClasses() {
    RegisterFrameworkClasses();
    RegisterComponentClass(TNameSpaceEnumerator::StaticClassInfo());
    RegisterComponentClass(TNameSpaceCombo::StaticClassInfo());
    RegisterComponentClass(TFolderEnumerator::StaticClassInfo());
}

bool ReadExplorerWindow(TExplorerWindow& Window, std::string& Error) {
    TFormError error;
    if (!ReadComponentResource(Window, "EXPLORERFORM", error)) {
        Error = "Explorer.vfm: " + error.Message();
        return false;
    }
    if (!Window.Tree()) {
        Error = "Explorer.vfm: no tree named Tree";
        return false;
    }
    return true;
}
