// A dialog of every dialog control, read from its text form file (Dialog.vfm, built into the
// program, or the file given as the first argument) and shown modally; tells how it was closed.
// With VARNEL_SCREENSHOT set to a .bmp path, it saves a picture of the dialog there and ends.

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
    TForm form(nullptr);
    TFormError error;
    const bool read = argc > 1 ? LoadComponentFile(form, argv[1], error)
                               : ReadComponentResource(form, "DIALOGFORM", error);
    if (!read) {
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
