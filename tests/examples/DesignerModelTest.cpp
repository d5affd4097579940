// The designer host's logic without its window: placing, selecting, inspecting, editing,
// deleting, saving and loading a designed form.

#include "DesignerModel.h"

#include "support/TempFolder.h"

#include "components/FormDocument.h"
#include "controls/Form.h"
#include "design/Register.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool HasRow(const std::vector<TInspectorRow>& Rows, const std::string& Name) {
    return std::any_of(Rows.begin(), Rows.end(), [&](const auto& r) { return r.Name == Name; });
}

class DesignerModel : public testing::Test {
protected:
    void SetUp() override { Register(); }
    TDesignerModel model;
};

} // namespace

TEST_F(DesignerModel, PlacedComponentsAreNamedInspectedTogetherAndLinked) {
    EXPECT_EQ(model.Title(), "Form1");
    TComponent* list1 = model.Place(TFolderEnumerator::StaticClassInfo(), 10, 10);
    TComponent* list2 = model.Place(TFolderEnumerator::StaticClassInfo(), 10, 200);
    model.ChoosePaletteClass(&TNameSpaceEnumerator::StaticClassInfo());
    model.DesignInput(*model.Form(), {WM_LBUTTONDOWN, 0, MAKELPARAM(250, 30), 0});
    auto* tree = dynamic_cast<TNameSpaceEnumerator*>(model.Selection().at(0));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Left(), 250);
    EXPECT_EQ(list1->Name() + list2->Name() + tree->Name(),
              "FolderEnumerator1FolderEnumerator2NameSpaceEnumerator1");
    EXPECT_TRUE(list1->InState(csDesigning));
    EXPECT_EQ(model.Title(), "Form1*");

    model.DesignInput(*dynamic_cast<TWinControl*>(list1), {WM_LBUTTONDOWN, 0, 0, 0});
    model.DesignInput(*dynamic_cast<TWinControl*>(list2), {WM_LBUTTONDOWN, MK_SHIFT, 0, 0});
    EXPECT_EQ(model.Selection(), (std::vector<TComponent*>{list1, list2}));
    auto rows = model.InspectorRows();
    EXPECT_TRUE(HasRow(rows, "SortColumn"));
    EXPECT_FALSE(HasRow(rows, "About")) << "a dialog edits one component";
    model.Select({list1, tree});
    rows = model.InspectorRows();
    EXPECT_TRUE(HasRow(rows, "AllowRename"));
    EXPECT_FALSE(HasRow(rows, "SortColumn")) << "only what every selected one has";
    // Each class declares its own AllowRename: each is written through its own.
    ASSERT_TRUE(model.EditorOf("AllowRename")->SetValue("False"));
    EXPECT_FALSE(dynamic_cast<TFolderEnumerator*>(list1)->AllowRename());
    EXPECT_FALSE(tree->AllowRename());

    model.Select({tree});
    auto link = model.EditorOf("FolderEnumerator");
    EXPECT_EQ(link->GetValues(),
              (std::vector<std::string>{"FolderEnumerator1", "FolderEnumerator2"}));
    EXPECT_TRUE(link->SetValue("FolderEnumerator2"));
    model.Select({list2});
    model.DeleteSelected();
    EXPECT_EQ(model.Components().size(), 2u);
    EXPECT_EQ(tree->FolderEnumerator(), nullptr);
}

TEST_F(DesignerModel, SavingAndLoadingGiveTheSameFormInEitherRendering) {
    TempFolder temp("varnel-designer");
    model.Place(TFolderEnumerator::StaticClassInfo(), 10, 10);
    model.Place(TNameSpaceEnumerator::StaticClassInfo(), 10, 200);
    ASSERT_TRUE(model.EditorOf("FolderEnumerator")->SetValue("FolderEnumerator1"));
    for (const char* name : {"\\form.vfm", "\\form.vff"}) {
        TFormError error;
        ASSERT_TRUE(model.Save(temp.Path() + name, error)) << error.Message();
        EXPECT_EQ(model.Title(), "Form1");
        ASSERT_TRUE(model.Load(temp.Path() + name, error)) << error.Message();
        ASSERT_EQ(model.Components().size(), 2u);
        auto* tree = dynamic_cast<TNameSpaceEnumerator*>(model.Components()[1]);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(dynamic_cast<TComponent*>(tree->FolderEnumerator()), model.Components()[0]);
        EXPECT_TRUE(tree->InState(csDesigning));
    }
    TFormError error;
    EXPECT_FALSE(model.Load(temp.Path() + "\\missing.vff", error));
    EXPECT_EQ(model.Components().size(), 2u) << "a failed load keeps the form";
}

TEST_F(DesignerModel, ANestedObjectsPropertiesAreListedUnderItAndEditedForEverySelected) {
    TempFolder temp("varnel-designer");
    auto* list =
        dynamic_cast<TWinControl*>(model.Place(TFolderEnumerator::StaticClassInfo(), 0, 0));
    auto* tree =
        dynamic_cast<TWinControl*>(model.Place(TNameSpaceEnumerator::StaticClassInfo(), 0, 0));
    model.Select({list, tree});
    const auto rows = model.InspectorRows();
    const auto font =
        std::find_if(rows.begin(), rows.end(), [](auto& r) { return r.Name == "Font"; });
    ASSERT_NE(font, rows.end());
    EXPECT_EQ(font->Value, "(TFont)");
    ASSERT_NE(font + 1, rows.end());
    EXPECT_EQ(font[1].Name.rfind("Font.", 0), 0u) << "its own rows follow it";
    EXPECT_TRUE(HasRow(rows, "Font.Height"));
    EXPECT_EQ(model.EditorOf("Font.Nothing"), nullptr);
    EXPECT_EQ(model.EditorOf("Name.Height"), nullptr) << "a string has no rows of its own";

    ASSERT_TRUE(model.EditorOf("Font.Height")->SetValue("-16"));
    EXPECT_EQ(list->Font().Height(), -16);
    EXPECT_EQ(tree->Font().Height(), -16);
    EXPECT_TRUE(model.IsModified());
    TFormError error;
    ASSERT_TRUE(model.Save(temp.Path() + "\\form.vfm", error)) << error.Message();
    ASSERT_TRUE(model.Load(temp.Path() + "\\form.vfm", error)) << error.Message();
    model.Select({model.Components()[1]});
    EXPECT_EQ(model.EditorOf("Font.Height")->GetValue(), "-16");
}

TEST_F(DesignerModel, RenamingTakesOnlyAFreeIdentifier) {
    model.Place(TFolderEnumerator::StaticClassInfo(), 10, 10);
    TComponent* tree = model.Place(TNameSpaceEnumerator::StaticClassInfo(), 10, 200);
    auto name = model.EditorOf("Name");
    // Neither a form file's writer nor its reader takes these: too long, the form's own name.
    for (const std::string& refused :
         {std::string(), std::string("not a name"), std::string("1Tree"),
          std::string("folderenumerator1"), std::string(256, 'a'), std::string("form1")})
        EXPECT_FALSE(name->SetValue(refused)) << refused;
    EXPECT_EQ(tree->Name(), "NameSpaceEnumerator1");
    EXPECT_TRUE(name->SetValue("Folders_2"));
    EXPECT_TRUE(name->SetValue("folders_2")) << "its own name in other letters";
    EXPECT_EQ(tree->Name(), "folders_2");
}
