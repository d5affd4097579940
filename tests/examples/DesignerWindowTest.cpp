// The designer host's window driven as a person does: real clicks on the palette, the form, the
// inspector's Set button and the file buttons.

#include "DesignerWindow.h"

#include "support/Input.h"
#include "support/TempFolder.h"

#include "controls/Button.h"
#include "controls/Edit.h"
#include "controls/ListBox.h"
#include "controls/ListView.h"
#include "design/Register.h"

#include <gtest/gtest.h>

namespace {

void SelectRow(TCustomListView& Inspector, const std::string& Property) {
    for (int i = 0; i < Inspector.Items().Count(); ++i)
        if (Inspector.Items()[i]->Caption() == Property)
            Inspector.SetSelected(Inspector.Items()[i]);
}

} // namespace

TEST(DesignerWindow, PlacesSelectsEditsSavesAndLoadsThroughItsControls) {
    Register();
    TempFolder temp("varnel-designer-window");
    TDesignerWindow window;
    window.Show();
    Settle();
    TDesignerModel& model = window.Model();

    ClickAt(CentreOnScreen(*window.PaletteButton(1)));
    ClickAt(model.Form()->ClientToScreen({40, 30}));
    ASSERT_EQ(model.Components().size(), 1u);
    auto* tree = dynamic_cast<TWinControl*>(model.Components()[0]);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Name(), "NameSpaceEnumerator1");
    EXPECT_EQ(tree->Left(), 40);
    EXPECT_TRUE(IsChild(window.Handle(), model.Form()->Handle())) << "shown inside the window";

    ClickAt(model.Form()->ClientToScreen({500, 400}));
    EXPECT_TRUE(model.Selection().empty());
    ClickAt(CentreOnScreen(*tree));
    EXPECT_EQ(model.Selection(), std::vector<TComponent*>{tree});
    EXPECT_GT(SendMessageW(window.ComponentList()->Handle(), LB_GETSEL, 0, 0), 0);

    SelectRow(*window.Inspector(), "Name");
    window.ValueEdit()->SetText("Folders");
    ClickAt(CentreOnScreen(*window.SetButton()));
    EXPECT_EQ(tree->Name(), "Folders");
    EXPECT_EQ(window.Caption(), "Varnel designer - Form1*");
    window.ValueEdit()->SetText("not a name");
    ClickAt(CentreOnScreen(*window.SetButton()));
    EXPECT_EQ(tree->Name(), "Folders");
    EXPECT_NE(window.Status(), "") << "a refused value is said so";

    window.PathEdit()->SetText(temp.Path() + "\\form.vfm");
    ClickAt(CentreOnScreen(*window.SaveButton()));
    EXPECT_EQ(window.Caption(), "Varnel designer - Form1");
    ClickAt(CentreOnScreen(*window.LoadButton()));
    ASSERT_EQ(model.Components().size(), 1u);
    EXPECT_EQ(model.Components()[0]->Name(), "Folders");
    EXPECT_TRUE(IsChild(window.Handle(), model.Form()->Handle())) << "the loaded form too";
    EXPECT_EQ(window.ComponentList()->Items().Strings(), std::vector<std::string>{"Folders"});

    model.Select(model.Components());
    window.ComponentList()->SetFocus();
    PressKeys({VK_DELETE});
    EXPECT_TRUE(model.Components().empty());

    ClickAt(CentreOnScreen(*window.PaletteButton(0)));
    ClickAt(model.Form()->ClientToScreen({40, 30}));
    ASSERT_EQ(model.Components().size(), 1u);
    ClickAt(CentreOnScreen(*dynamic_cast<TWinControl*>(model.Components()[0])));
    PressKeys({VK_DELETE});
    Settle();
    EXPECT_TRUE(model.Components().empty()) << "Delete pressed on a placed component";
}
