// The designer host: place the package's components on a form, link and edit them through the
// inspector, save and load the form file. With VARNEL_SCREENSHOT set, it plays a short session
// (the three views placed and linked, the list selected) and saves a picture of it there.

#include "controls/Application.h"
#include "controls/Button.h"
#include "controls/ListView.h"
#include "controls/Menus.h"
#include "design/Register.h"
#include "support/ExampleWindow.h"

#include "DesignerWindow.h"

#include <cstdlib>
#include <string>

namespace {

void Set(TDesignerModel& Model, const char* Property, const std::string& Value) {
    if (auto editor = Model.EditorOf(Property))
        editor->SetValue(Value);
}

// What a person would do first: the combo above the tree and the list, linked.
void PlaceLinkedViews(TDesignerWindow& Window) {
    TDesignerModel& model = Window.Model();
    const struct {
        int Button, X, Y, Width, Height;
    } places[] = {{2, 8, 8, 520, 24}, {1, 8, 44, 200, 380}, {0, 216, 44, 312, 380}};
    for (const auto& p : places) {
        // A palette button, then a press on the form where the component goes.
        Window.PaletteButton(p.Button)->Click();
        model.DesignInput(*model.Form(), {WM_LBUTTONDOWN, 0, MAKELPARAM(p.X, p.Y), 0});
        Set(model, "Width", std::to_string(p.Width));
        Set(model, "Height", std::to_string(p.Height));
    }
    const auto components = model.Components();
    model.Select({components.at(1)});
    Set(model, "FolderEnumerator", components.at(2)->Name());
    model.Select({components.at(0)});
    Set(model, "NameSpaceEnumerator", components.at(1)->Name());
    model.Select({components.at(2)});
    TListItems& rows = Window.Inspector()->Items();
    for (int i = 0; i < rows.Count(); ++i)
        if (rows[i]->Caption() == "ViewStyle")
            Window.Inspector()->SetSelected(rows[i]);
}

} // namespace

int main() {
    RegisterFrameworkClasses();
    Register();
    TDesignerWindow window;
    window.Show();
    const char* shot = std::getenv("VARNEL_SCREENSHOT");
    if (shot && *shot)
        PlaceLinkedViews(window);
    window.OnClose = [](TObject*) { Application().Terminate(); };
    return RunOrSaveScreenshot(window.Handle());
}
