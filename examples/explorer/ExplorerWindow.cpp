#include "ExplorerWindow.h"

#include "combo/NameSpaceCombo.h"
#include "controls/Application.h"
#include "components/FormStreaming.h"
#include "controls/Menus.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include <algorithm>

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
                     MessageHandler<WM_SIZE, &T::WMSize>(),
                     MessageHandler<WM_SHOWWINDOW, &T::WMShowWindow>()},
        .Methods = {PublishedMethod<&T::TreeSelectionChange>("TreeSelectionChange"),
                    PublishedMethod<&T::ParentItemClick>("ParentItemClick")},
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

// The window runs before its views settle from the form (they are told Loaded after it), so the
// follower is in place when the tree first selects its root.
void TExplorerWindow::Loaded() {
    TForm::Loaded();
    TNameSpaceEnumerator* tree = Tree();
    TFolderEnumerator* list = List();
    TNameSpaceCombo* combo = Combo();
    if (tree && list && combo)
        m_Follower = std::make_unique<TViewFollower>(*tree, *list, *combo, Handle());
    // The window got its first size before the form had placed the views in it: the bounds the
    // form stores were measured against the window's outer size, not against its client area.
    LayOutViews();
}

void TExplorerWindow::LayOutViews() {
    auto* combo = dynamic_cast<TWinControl*>(Combo());
    auto* list = dynamic_cast<TWinControl*>(List());
    auto* tree = dynamic_cast<TWinControl*>(Tree());
    if (!combo || !tree || !list || !HandleAllocated())
        return;
    RECT client{};
    GetClientRect(WindowHandle(), &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    const int margin = combo->Left();
    combo->SetBounds(margin, combo->Top(), std::max(0, width - 2 * margin), combo->Height());
    const int below = std::max(0, height - tree->Top() - margin);
    tree->SetBounds(tree->Left(), tree->Top(), tree->Width(), below);
    list->SetBounds(list->Left(), list->Top(), std::max(0, width - list->Left() - margin), below);
}

void TExplorerWindow::TreeSelectionChange(TNameSpaceEnumerator* Sender) {
    const std::string path = Sender->GetSelection();
    SetCaption(path.empty() ? "Explorer" : "Explorer - " + path);
    if (m_Follower)
        m_Follower->SelectionChanged();
}

void TExplorerWindow::ParentItemClick(TObject*) {
    if (TNameSpaceEnumerator* tree = Tree())
        tree->GotoParent();
}

void TExplorerWindow::WMSize(TMessage& Message) {
    Inherited(Message);
    LayOutViews();
}

void TExplorerWindow::WMShowWindow(TMessage& Message) {
    Inherited(Message);
    if (Message.WParam)
        LayOutViews();
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
