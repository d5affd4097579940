// The tree in a form file: its stored properties, the root built once from RootedAt and
// RootFolder whatever their order, and the link to a list stored after it.

#include "TreeTestSupport.h"

#include "support/HostWindow.h"
#include "support/TempFolder.h"

#include "components/FormStreaming.h"
#include "controls/Menus.h"
#include "identifiers/WideText.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace {

class TreeForm : public testing::Test {
protected:
    void SetUp() override {
        RegisterFrameworkClasses();
        RegisterComponentClass(TNameSpaceEnumerator::StaticClassInfo());
        RegisterComponentClass(TListComponent::StaticClassInfo());
        temp.MakeFolder("root\\inside");
        form.SetBounds(0, 0, 300, 200);
        form.SetParentWindow(host.Handle());
        form.HandleNeeded();
    }

    std::string Text(TComponent& Root) {
        std::string text;
        TFormError error;
        EXPECT_TRUE(WriteComponentBytes(Root, TFormFormat::Text, text, error)) << error.Message();
        return text;
    }

    TempFolder temp{"varnel-form"};
    THostWindow host;
    TWinControl form{nullptr};
};

} // namespace

TEST_F(TreeForm, AStoredFileSystemRootLoadsAsStoredWithItsLinkAndReadsBackExactly) {
    const std::string stored = "object Form: TWinControl\n"
                               "  object Tree: TNameSpaceEnumerator\n"
                               "    Align = alClient\n"
                               "    FolderEnumerator = List\n"
                               "    RootedAt = raFileSystem\n"
                               "    RootFolder = '" +
                               temp.Path() +
                               "\\root'\n"
                               "  end\n"
                               "  object List: TListComponent\n"
                               "  end\n"
                               "end\n";
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(form, stored, error)) << error.Message();
    auto* tree = dynamic_cast<TNameSpaceEnumerator*>(form.FindComponent("Tree"));
    auto* list = dynamic_cast<TListComponent*>(form.FindComponent("List"));
    ASSERT_TRUE(tree && list);
    // RootedAt came before RootFolder: the root is still the stored folder.
    EXPECT_EQ(tree->RootedAt(), raFileSystem);
    EXPECT_EQ(tree->RootFolder(), temp.Path() + "\\root");
    ASSERT_NE(tree->Items().GetFirstNode(), nullptr);
    EXPECT_EQ(tree->Items().GetFirstNode()->Text(), "root");
    EXPECT_EQ(tree->Items().Count(), 1);
    // The list stored after the tree is linked, and told the root once, after loading.
    EXPECT_EQ(tree->FolderEnumerator(), list);
    EXPECT_EQ(list->Tree, tree);
    EXPECT_EQ(list->Told, 1);
    EXPECT_EQ(tree->Parent(), &form);
    EXPECT_EQ(tree->Width(), form.ClientRect().right); // aligned to the client area

    const std::string written = Text(form);
    EXPECT_NE(written.find("    FolderEnumerator = List\n    RootedAt = raFileSystem\n    "
                           "RootFolder = '"),
              std::string::npos)
        << written;
    TWinControl again(nullptr);
    again.SetParentWindow(host.Handle());
    ASSERT_TRUE(ReadComponentBytes(again, written, error)) << error.Message();
    EXPECT_EQ(Text(again), written);
}

TEST_F(TreeForm, ARenamedRootIsTheRootFolderStoredAndLoadedAgain) {
    auto* tree = new TNameSpaceEnumerator(&form);
    tree->SetName("Tree");
    tree->SetRootFolder(temp.Path() + "\\root");
    tree->SetRootedAt(raFileSystem);
    TTreeNode* root = tree->Items().GetFirstNode();
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->Text(), "root");
    HWND edit = reinterpret_cast<HWND>(
        SendMessageW(tree->Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(root->ItemId())));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"grown");
    SendMessageW(tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    ASSERT_EQ(GetFileAttributesW(Utf8ToWide(temp.Path() + "\\grown\\inside").c_str()),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(root->Text(), "grown");
    EXPECT_EQ(tree->RootFolder(), temp.Path() + "\\grown") << "the root's path, not the old one";
    EXPECT_EQ(tree->RootedAt(), raFileSystem);

    const std::string written = Text(form);
    TWinControl again(nullptr);
    again.SetParentWindow(host.Handle());
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(again, written, error)) << error.Message();
    auto* loaded = dynamic_cast<TNameSpaceEnumerator*>(again.FindComponent("Tree"));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->RootedAt(), raFileSystem) << written;
    ASSERT_NE(loaded->Items().GetFirstNode(), nullptr);
    EXPECT_EQ(loaded->Items().GetFirstNode()->Text(), "grown");
}

TEST_F(TreeForm, TheTreeStoresTheFrameworkPropertiesItRepublishesFirstAndHidesTheRest) {
    std::vector<std::string> names;
    for (const TPropInfo* p : TNameSpaceEnumerator::StaticClassInfo().PublishedProperties())
        names.push_back(p->Name);
    const std::vector<std::string> expected = {"Name",
                                               "Left",
                                               "Top",
                                               "Width",
                                               "Height",
                                               "Align",
                                               "Color",
                                               "BorderStyle",
                                               "Ctl3D",
                                               "Enabled",
                                               "Font",
                                               "HideSelection",
                                               "Indent",
                                               "ShowButtons",
                                               "ShowHint",
                                               "ShowLines",
                                               "TabOrder",
                                               "TabStop",
                                               "Visible",
                                               "PopupMenu",
                                               "ParentColor",
                                               "ParentCtl3D",
                                               "ParentFont",
                                               "ParentShowHint",
                                               "OnEnter",
                                               "OnExit",
                                               "OnMouseDown",
                                               "OnMouseUp",
                                               "OnKeyDown",
                                               "OnKeyUp",
                                               "OnDblClick",
                                               "AllowRename",
                                               "ShowVirtualFolders",
                                               "FolderEnumerator",
                                               "OnSelectionChange",
                                               "ShellContextMenu",
                                               "RootedAt",
                                               "RootFolder",
                                               "ExpandAll",
                                               "About",
                                               "AutoRefresh",
                                               "AllowOLEDrop",
                                               "AllowOLEDrag"};
    EXPECT_EQ(names, expected);

    // A fresh tree stores its place and what differs from the defaults only.
    auto* tree = new TNameSpaceEnumerator(&form);
    tree->SetName("Tree");
    tree->SetBounds(1, 2, 30, 40);
    EXPECT_EQ(Text(form), "object TWinControl\n"
                          "  Left = 0\n"
                          "  Top = 0\n"
                          "  Width = 300\n"
                          "  Height = 200\n"
                          "  BorderStyle = bsNone\n"
                          "  Color = clBtnFace\n"
                          "  object Tree: TNameSpaceEnumerator\n"
                          "    Left = 1\n"
                          "    Top = 2\n"
                          "    Width = 30\n"
                          "    Height = 40\n"
                          "    TabOrder = 0\n"
                          "    TabStop = True\n"
                          "    About = taAbout\n"
                          "  end\n"
                          "end\n");
    // Cursor and DragMode are not the tree's to store.
    TFormError error;
    TWinControl other(nullptr);
    EXPECT_FALSE(ReadComponentBytes(
        other,
        "object F: TWinControl\n  object T: TNameSpaceEnumerator\n    Cursor = 0\n  end\nend",
        error));
    EXPECT_EQ(error.Expected, "a published property of TNameSpaceEnumerator");
}
