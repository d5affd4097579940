// A dialog of every dialog control, read from its text form file (Dialog.vfm, beside the program
// or given as the first argument) and shown modally; prints how it was closed. With
// VARNEL_SCREENSHOT set to a .bmp path, it saves a picture of the dialog there and ends.

#include "components/FormStreaming.h"
#include "controls/Dialogs.h"
#include "controls/Form.h"
#include "controls/Menus.h"

#include "support/ExampleWindow.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    RegisterFrameworkClasses();
    const std::string path = argc > 1 ? argv[1] : VARNEL_DIALOG_FORM;
    TForm form(nullptr);
    TFormError error;
    if (!LoadComponentFile(form, path, error)) {
        std::fprintf(stderr, "%s\n", error.Message().c_str());
        return 1;
    }
    const char* shot = std::getenv("VARNEL_SCREENSHOT");
    if (shot && *shot) {
        form.SetVisible(true);
        return RunOrSaveScreenshot(form.Handle());
    }
    const TModalResult result = form.ShowModal();
    ShowMessage(result == mrOk ? "Closed with OK" : "Closed without OK");
    std::printf("modal result %d\n", result);
    return 0;
}
