// The namespace combo above the namespace tree and the folder list, all three linked, in a window
// read from the text form file Explorer.vfm (kept beside this source and built into the program as
// a resource), moved to the folder named on the command line (the Windows folder when none is). The
// title shows the selected folder's path; the tree's pop-up menu goes up one level. With
// VARNEL_SCREENSHOT set to a .bmp path, it saves a picture of its window there and ends.

#include "combo/NameSpaceCombo.h"
#include "controls/Application.h"
#include "controls/FormStreaming.h"
#include "controls/Menus.h"
#include "identifiers/WideText.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include "support/ExampleWindow.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

// The window the form file describes, with the handlers its components' events name.
class TExplorerWindow : public TWinControl {
public:
    explicit TExplorerWindow(TComponent* AOwner) : TWinControl(AOwner) {}

    static const TClassInfo& StaticClassInfo() {
        using T = TExplorerWindow;
        static const TClassInfo info{
            .ClassName = "TExplorerWindow",
            .Parent = &TWinControl::StaticClassInfo(),
            .Create = ConstructComponent<TExplorerWindow>,
            .Messages = {MessageHandler<WM_DESTROY, &T::WMDestroy>(),
                         MessageHandler<WM_SIZE, &T::WMSize>()},
            .Methods = {PublishedMethod<&T::TreeSelectionChange>("TreeSelectionChange"),
                        PublishedMethod<&T::ParentItemClick>("ParentItemClick")},
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TNameSpaceEnumerator* Tree() const {
        return dynamic_cast<TNameSpaceEnumerator*>(FindComponent("Tree"));
    }

private:
    void TreeSelectionChange(TNameSpaceEnumerator* Sender) {
        const std::string path = Sender->GetSelection();
        SetCaption(path.empty() ? "Explorer" : "Explorer - " + path);
    }
    void ParentItemClick(TObject*) {
        if (TNameSpaceEnumerator* tree = Tree())
            tree->GotoParent();
    }
    // The combo keeps its height across the top; below it the tree keeps its width and the list
    // takes the rest, both down to the bottom margin.
    void WMSize(TMessage& Message) {
        Inherited(Message);
        const int width = LOWORD(Message.LParam), height = HIWORD(Message.LParam);
        auto* combo = dynamic_cast<TWinControl*>(FindComponent("Combo"));
        auto* list = dynamic_cast<TWinControl*>(FindComponent("List"));
        TNameSpaceEnumerator* tree = Tree();
        if (!combo || !tree || !list)
            return;
        const int margin = combo->Left();
        combo->SetBounds(margin, combo->Top(), width - 2 * margin, combo->Height());
        const int below = height - tree->Top() - margin;
        tree->SetBounds(tree->Left(), tree->Top(), tree->Width(), below);
        list->SetBounds(list->Left(), list->Top(), width - list->Left() - margin, below);
    }
    void WMDestroy(TMessage& Message) {
        Inherited(Message);
        Application().Terminate();
    }
};

// The text of the form file built into the program; empty when it is missing.
std::string FormText() {
    HRSRC found = FindResourceW(nullptr, L"EXPLORERFORM", reinterpret_cast<LPCWSTR>(RT_RCDATA));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

// The folder to show: the first argument, else the Windows folder.
std::string StartFolder() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string folder;
    if (args && count > 1)
        folder = WideToUtf8(WindowsPath(WideToUtf8(args[1]).c_str()));
    if (args)
        LocalFree(args);
    if (!folder.empty())
        return folder;
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return WideToUtf8(windows);
}

} // namespace

int main() {
    RegisterFrameworkClasses();
    RegisterComponentClass(TNameSpaceEnumerator::StaticClassInfo());
    RegisterComponentClass(TNameSpaceCombo::StaticClassInfo());
    RegisterComponentClass(TFolderEnumerator::StaticClassInfo());

    TExplorerWindow window(nullptr);
    TFormError error;
    if (!ReadComponentBytes(window, FormText(), error)) {
        std::fprintf(stderr, "Explorer.vfm: %s\n", error.Message().c_str());
        return 1;
    }
    TNameSpaceEnumerator* tree = window.Tree();
    if (!tree)
        return 1;
    ShowWindow(window.Handle(), SW_SHOW);
    UpdateWindow(window.Handle());
    // The list opens the start folder; the tree follows it and tells the combo.
    if (auto* list = dynamic_cast<TFolderEnumerator*>(window.FindComponent("List")))
        list->SetFolder(StartFolder());
    tree->SetFocus();
    return RunOrSaveScreenshot(window.Handle());
}
