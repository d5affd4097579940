// The package's two design-time dialogs on a folder list: "Columns..." opens the column editor on
// the list's columns (its header follows each stored change), "About..." the About box.
// With VARNEL_SCREENSHOT set, it opens the dialog named by the first argument ("columns", the
// default, or "about"), saves a picture of it there and ends.

#include "controls/Application.h"
#include "controls/Button.h"
#include "controls/Form.h"
#include "controls/Menus.h"
#include "design/AboutVarnel.h"
#include "design/FolderColumnForm.h"
#include "list/FolderEnumerator.h"
#include "support/ExampleWindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Saves the dialog shown when the message loop first idles, then closes it.
void SavePictureOfNextDialog(const char* Path) {
    static std::wstring path;
    path = WindowsPath(Path);
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR Timer, DWORD) {
        KillTimer(nullptr, Timer);
        HWND dialog = GetActiveWindow();
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (!SaveWindowPicture(dialog, path))
            std::fprintf(stderr, "dialogs: the picture could not be saved\n");
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
}

} // namespace

int main(int argc, char** argv) {
    RegisterFrameworkClasses();
    TForm window(nullptr);
    window.SetCaption("Varnel dialogs");
    window.SetBounds(80, 60, 640, 420);
    auto* list = new TFolderEnumerator(&window);
    list->SetParent(&window);
    list->SetBounds(8, 44, 608, 324);
    list->SetViewStyle(vsReport);
    auto* columns = new TButton(&window);
    columns->SetParent(&window);
    columns->SetBounds(8, 8, 100, 28);
    columns->SetCaption("&Columns...");
    columns->OnClick = [list](TObject*) { EditFolderColumns(list->FolderColumns()); };
    auto* about = new TButton(&window);
    about->SetParent(&window);
    about->SetBounds(116, 8, 100, 28);
    about->SetCaption("&About...");
    about->OnClick = [](TObject*) { ShowAboutVarnel(); };
    window.Show();
    list->SetFolder("C:\\windows");

    const char* shot = std::getenv("VARNEL_SCREENSHOT");
    if (!shot || !*shot) {
        window.OnClose = [](TObject*) { Application().Terminate(); };
        Application().Run();
        return 0;
    }
    SavePictureOfNextDialog(shot);
    std::string error;
    const bool shown = argc > 1 && std::strcmp(argv[1], "about") == 0
                           ? ShowAboutVarnel(&error)
                           : EditFolderColumns(list->FolderColumns(), &error);
    if (!shown)
        std::fprintf(stderr, "dialogs: %s\n", error.c_str());
    return shown ? 0 : 1;
}
