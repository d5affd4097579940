// Tree, list and combo read together from a form file over the real shell: once the form is
// loaded the three show one folder, the list's stored one when it has one, whatever the order of
// the objects in the file.

#include "combo/NameSpaceCombo.h"
#include "components/FormStreaming.h"
#include "controls/Menus.h"
#include "framework/ViewServices.h"
#include "list/FolderEnumerator.h"
#include "support/HostWindow.h"
#include "support/RealShellFixture.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ViewsForm : public RealShellTest {
protected:
    void SetUp() override {
        RealShellTest::SetUp();
        RegisterFrameworkClasses();
        RegisterComponentClass(TNameSpaceEnumerator::StaticClassInfo());
        RegisterComponentClass(TFolderEnumerator::StaticClassInfo());
        RegisterComponentClass(TNameSpaceCombo::StaticClassInfo());
        MakeDir("root");
        MakeDir("root\\shown");
        WriteFile("root\\shown\\inside.txt");
        WriteFile("root\\top.txt");
    }

    // The three views; the list stores ListProperties, and comes before or after the tree.
    static std::string Form(bool ListFirst, const std::string& TreeProperties,
                            const std::string& ListProperties) {
        const std::string list = "  object List: TFolderEnumerator\n" + ListProperties + "  end\n";
        return "object Form: TWinControl\n  Width = 600\n  Height = 400\n" +
               (ListFirst ? list : std::string()) +
               "  object Combo: TNameSpaceCombo\n    NameSpaceEnumerator = Tree\n  end\n"
               "  object Tree: TNameSpaceEnumerator\n    FolderEnumerator = List\n"
               "    AutoRefresh = False\n" +
               TreeProperties + "  end\n" + (ListFirst ? std::string() : list) + "end\n";
    }

    struct TViews {
        std::string List, Tree, Combo; // the folder each shows, as a path
        int Rows = -1;
    };
    TViews Load(const std::string& Text) {
        TWinControl form(nullptr);
        form.SetParentWindow(host.Handle());
        form.HandleNeeded();
        TFormError error;
        EXPECT_TRUE(ReadComponentBytes(form, Text, error)) << error.Message() << "\n" << Text;
        auto* list = dynamic_cast<TFolderEnumerator*>(form.FindComponent("List"));
        auto* tree = dynamic_cast<TNameSpaceEnumerator*>(form.FindComponent("Tree"));
        auto* combo = dynamic_cast<TNameSpaceCombo*>(form.FindComponent("Combo"));
        TViews views;
        if (!list || !tree || !combo)
            return views;
        views.List = list->ViewPidl() ? TViewServices::Default().GetPathFromIDList(list->ViewPidl())
                                      : std::string("<desktop>");
        views.Tree = tree->Selection();
        views.Combo = combo->CurrentPath();
        views.Rows = list->Items().Count();
        return views;
    }

    THostWindow host;
};

// The list stored before the tree and after it; with a Folder of its own the list shows it and
// tree and combo follow, without one it shows the tree's selection.
TEST_F(ViewsForm, OnceLoadedAllThreeShowTheListsStoredFolderOrElseTheTreesSelection) {
    const std::string root = PathOf("root");
    const std::string shown = PathOf("root\\shown");
    const std::string rooted = "    RootedAt = raFileSystem\n    RootFolder = '" + root + "'\n";
    for (bool listFirst : {true, false}) {
        SCOPED_TRACE(listFirst ? "list stored first" : "list stored last");
        TViews views = Load(Form(listFirst, "", "    Folder = '" + shown + "'\n"));
        EXPECT_EQ(views.List, shown);
        EXPECT_EQ(views.Rows, 1);
        EXPECT_EQ(views.Tree, shown);
        EXPECT_EQ(views.Combo, shown);

        views = Load(Form(listFirst, rooted, ""));
        EXPECT_EQ(views.List, root);
        EXPECT_EQ(views.Rows, 2);
        EXPECT_EQ(views.Tree, root);
        EXPECT_EQ(views.Combo, root);
    }
}

} // namespace
