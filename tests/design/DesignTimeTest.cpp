// The package at design time: its palette page and pictures, the editors the inspector gets for
// every property of the three views, and what views on a designed form refuse to do.

#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/ModalSteps.h"
#include "support/TempFolder.h"
#include "support/TestDesigner.h"

#include "combo/NameSpaceCombo.h"
#include "components/FormStreaming.h"
#include "controls/DefaultPropertyEditors.h"
#include "controls/DesignRegistry.h"
#include "controls/Form.h"
#include "controls/Edit.h"
#include "design/AboutProperty.h"
#include "design/AboutVarnel.h"
#include "design/FolderColumnForm.h"
#include "design/FolderColumnProperty.h"
#include "design/Register.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

namespace {

// Every property as the inspector lists it: name, value, and the editor's attributes.
std::string Inspect(IDesigner* Designer, TPersistent& Component) {
    std::string text;
    for (const TPropInfo* prop : Component.ClassInfo().PublishedProperties()) {
        auto editor = GetPropertyEditor(Designer, {&Component}, *prop);
        if (!editor)
            continue;
        const TPropertyAttributes attributes = editor->GetAttributes();
        text += prop->Name + " = " + editor->GetValue();
        if (attributes & paDialog)
            text += " ...";
        if (attributes & paValueList)
            text += " v";
        if (attributes & paReadOnly)
            text += " (read-only)";
        text += "\n";
    }
    return text;
}

// The editor of the named property for the given components.
std::unique_ptr<TPropertyEditor> EditorOf(IDesigner* Designer, std::vector<TPersistent*> Components,
                                          const char* Name) {
    const TPropInfo* prop = Components.front()->ClassInfo().FindProperty(Name);
    return prop ? GetPropertyEditor(Designer, std::move(Components), *prop) : nullptr;
}

bool Has(const std::string& Text, const std::string& Line) {
    return Text.find(Line + "\n") != std::string::npos;
}

class TWatchCounting : public TFakeViewServices {
public:
    using TFakeViewServices::TFakeViewServices;
    TChangeNotifyThread* StartChangeNotifyThread(HWND, UINT) override {
        ++Starts;
        return nullptr;
    }
    int Starts = 0;
};

class DesignTime : public testing::Test {
protected:
    void SetUp() override {
        Register();
        form.SetName("Form1");
        form.SetVisible(false);
        form.HandleNeeded();
        form.SetDesigning(true);
        form.SetDesigner(&designer);
        list = Place(new TFolderEnumerator(&form, &services), "FolderEnumerator1");
        tree = Place(new TNameSpaceEnumerator(&form, &services), "NameSpaceEnumerator1");
        combo = Place(new TNameSpaceCombo(&form, &services), "NameSpaceCombo1");
    }
    template <class T> T* Place(T* View, const char* Name) {
        View->SetName(Name);
        View->SetBounds(10, 20, 200, 150);
        View->HandleNeeded();
        return View;
    }

    // Views over the real shell join in: lists come from the platform's allocator.
    FakeShell shell{{FakeFolder("Zeta", {FakeFile("a.txt")})}};
    TWatchCounting services{shell};
    THostWindow host;
    TForm form{nullptr};
    TTestDesigner designer{&form};
    TFolderEnumerator* list = nullptr;
    TNameSpaceEnumerator* tree = nullptr;
    TNameSpaceCombo* combo = nullptr;
};

} // namespace

TEST_F(DesignTime, ThePalettePageHoldsTheViewsInOrderAndRegisteringAgainChangesNothing) {
    const auto find = [] {
        const auto& pages = PalettePages();
        return std::find_if(pages.begin(), pages.end(),
                            [](const TPalettePage& p) { return p.Name == "Dovek's Components"; });
    };
    ASSERT_NE(find(), PalettePages().end());
    const std::vector<const TClassInfo*> expected = {&TFolderEnumerator::StaticClassInfo(),
                                                     &TNameSpaceEnumerator::StaticClassInfo(),
                                                     &TNameSpaceCombo::StaticClassInfo()};
    EXPECT_EQ(find()->Classes, expected);
    for (const TClassInfo* info : expected)
        EXPECT_EQ(FindComponentClass(info->ClassName), info) << "made by name from form files";

    const size_t pages = PalettePages().size();
    Register();
    EXPECT_EQ(PalettePages().size(), pages);
    EXPECT_EQ(find()->Classes, expected);
    EXPECT_TRUE(dynamic_cast<TAboutProperty*>(EditorOf(&designer, {tree}, "About").get()));
}

TEST_F(DesignTime, EachPalettePictureIsA24By24BitmapOf16Colours) {
    for (const wchar_t* name :
         {L"TFOLDERENUMERATOR", L"TNAMESPACECOMBO", L"TNAMESPACEENUMERATOR"}) {
        HRSRC found = FindResourceW(nullptr, name, reinterpret_cast<LPCWSTR>(RT_BITMAP));
        ASSERT_NE(found, nullptr);
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, 24);
        EXPECT_EQ(header->biHeight, 24);
        EXPECT_EQ(header->biBitCount, 4);
        EXPECT_LE(header->biClrUsed, 16u);
    }
}

TEST_F(DesignTime, TheInspectorShowsEveryPropertyOfTheThreeViews) {
    for (TComponent* view : std::initializer_list<TComponent*>{list, tree, combo}) {
        const std::string text = Inspect(&designer, *view);
        int listed = 0;
        for (const TPropInfo* prop : view->ClassInfo().PublishedProperties())
            listed += prop->Kind != TPropKind::Event;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), listed) << text;
        EXPECT_TRUE(Has(text, "About = [About] ... (read-only)")) << text;
        EXPECT_TRUE(Has(text, "Left = 10")) << text;
        EXPECT_TRUE(Has(text, "Color = clWindow v")) << text;
        EXPECT_TRUE(Has(text, "Font = (TFont) (read-only)")) << text;
    }
    const std::string listText = Inspect(&designer, *list);
    EXPECT_TRUE(Has(listText, "FolderColumns = [TFolderColumns] ... (read-only)")) << listText;
    EXPECT_TRUE(Has(listText, "SortColumn = cnName v")) << listText;
    EXPECT_TRUE(Has(listText, "FileMask = *.*")) << listText;
    const std::string treeText = Inspect(&designer, *tree);
    EXPECT_TRUE(Has(treeText, "RootedAt = raDesktop v")) << treeText;
    EXPECT_TRUE(Has(treeText, "AllowRename = True v")) << treeText;
    EXPECT_TRUE(Has(treeText, "FolderEnumerator =  v")) << treeText;
    EXPECT_TRUE(Has(Inspect(&designer, *combo), "NameSpaceEnumerator =  v"));

    // Typed values: a name of the list, a number in range; nothing else takes.
    auto rooted = EditorOf(&designer, {tree}, "RootedAt");
    EXPECT_FALSE(rooted->SetValue("raNowhere"));
    EXPECT_EQ(designer.ModifiedCount, 0);
    EXPECT_TRUE(rooted->SetValue("ramycomputer"));
    EXPECT_EQ(tree->RootedAt(), raMyComputer);
    EXPECT_EQ(designer.ModifiedCount, 1);
    auto indent = EditorOf(&designer, {tree}, "Indent");
    EXPECT_FALSE(indent->SetValue("12x"));
    EXPECT_TRUE(indent->SetValue(" 25 "));
    EXPECT_EQ(indent->GetValue(), "25");
    auto style = EditorOf(&designer, {&tree->Font()}, "Style");
    EXPECT_TRUE(style->SetValue("[fsBold, fsItalic]"));
    EXPECT_EQ(style->GetValue(), "[fsBold,fsItalic]");
}

TEST_F(DesignTime, ReferencesOfferOnlyComponentsOfThePartnersKind) {
    auto link = EditorOf(&designer, {tree}, "FolderEnumerator");
    EXPECT_EQ(link->GetValues(), std::vector<std::string>{"FolderEnumerator1"});
    EXPECT_FALSE(link->SetValue("NameSpaceCombo1"));
    EXPECT_TRUE(link->SetValue("folderenumerator1"));
    EXPECT_EQ(tree->FolderEnumerator(), list);
    EXPECT_EQ(link->GetValue(), "FolderEnumerator1");
    auto comboTree = EditorOf(&designer, {combo}, "NameSpaceEnumerator");
    EXPECT_EQ(comboTree->GetValues(), std::vector<std::string>{"NameSpaceEnumerator1"});
    EXPECT_TRUE(link->SetValue(""));
    EXPECT_EQ(tree->FolderEnumerator(), nullptr);
}

namespace {

// A Boolean property named About and an About-typed property under another name.
class TLookalikes : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo() {
        using T = TLookalikes;
        static const TClassInfo info{
            .ClassName = "TLookalikes",
            .Parent = &TPersistent::StaticClassInfo(),
            .Properties = {BooleanProperty("About", &T::Flag, &T::SetFlag),
                           EnumProperty("Credits", "TAbout", &T::Value, &T::SetValue, {"taAbout"})},
        };
        return info;
    }
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    bool Flag() const { return m_bFlag; }
    void SetFlag(bool Value) { m_bFlag = Value; }
    TAbout Value() const { return taAbout; }
    void SetValue(TAbout) {}

private:
    bool m_bFlag = false;
};

class TTreeOnlyEditor : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
};

} // namespace

TEST_F(DesignTime, AnEditorIsChosenByTypeAndNameAndTheMostSpecificClassWins) {
    TLookalikes lookalikes;
    auto boolean = EditorOf(&designer, {&lookalikes}, "About");
    EXPECT_TRUE(dynamic_cast<TEnumProperty*>(boolean.get()));
    EXPECT_EQ(boolean->GetValues(), (std::vector<std::string>{"False", "True"}));
    auto credits = EditorOf(&designer, {&lookalikes}, "Credits");
    EXPECT_FALSE(dynamic_cast<TAboutProperty*>(credits.get()));
    EXPECT_EQ(credits->GetValue(), "taAbout");

    RegisterPropertyEditor("string", &TNameSpaceEnumerator::StaticClassInfo(), "",
                           NewPropertyEditor<TTreeOnlyEditor>);
    EXPECT_TRUE(dynamic_cast<TTreeOnlyEditor*>(EditorOf(&designer, {tree}, "RootFolder").get()));
    EXPECT_FALSE(dynamic_cast<TTreeOnlyEditor*>(EditorOf(&designer, {list}, "Folder").get()));
    EXPECT_FALSE(dynamic_cast<TTreeOnlyEditor*>(EditorOf(&designer, {tree, list}, "Name").get()))
        << "every selected component must be of the class";
}

TEST_F(DesignTime, DesignedViewsStartNoWatcherAndRefuseEveryDrop) {
    EXPECT_EQ(services.Starts, 0);
    TFolderEnumerator running(nullptr, &services);
    running.SetParentWindow(host.Handle());
    running.HandleNeeded();
    EXPECT_EQ(services.Starts, 1) << "the same list not designed watches";

    TempFolder temp("varnel-design");
    const std::string folder = temp.MakeFolder("dst");
    TViewServices real;
    auto* realList = Place(new TFolderEnumerator(&form, &real), "FolderEnumerator2");
    realList->SetFolder(folder);
    auto* realTree = Place(new TNameSpaceEnumerator(&form, &real), "NameSpaceEnumerator2");
    realTree->SetRootFolder(folder);
    realTree->SetRootedAt(raFileSystem);
    const RECT root = realTree->Items().GetFirstNode()->DisplayRect(true);
    const POINT onRoot = realTree->ClientToScreen({root.left + 4, (root.top + root.bottom) / 2});
    const POINT onList = realList->ClientToScreen({100, 100});
    FakeShell dataShell{{}};
    for (auto [target, where] : {std::pair{realTree->OleDropTarget(), onRoot},
                                 std::pair{realList->OleDropTarget(), onList}}) {
        ASSERT_NE(target, nullptr) << "registered as at run time";
        const std::string name = target == realTree->OleDropTarget() ? "tree.txt" : "list.txt";
        const std::string file = temp.MakeFile("src\\" + name, "a");
        SCOPED_TRACE(name);
        const ComPtr<IDataObject> data = dataShell.DataObject({file});
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->DragEnter(data.Get(), MK_LBUTTON, {where.x, where.y}, &effect);
        EXPECT_EQ(effect, 0u);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        target->Drop(data.Get(), 0, {where.x, where.y}, &effect);
        EXPECT_EQ(effect, 0u);
        EXPECT_TRUE(PathExists(file));
        EXPECT_FALSE(PathExists(folder + "\\" + name));
    }
}

TEST_F(DesignTime, TheSortColumnFollowsItsColumnThroughALayoutChangeAndASaveAndLoad) {
    list->SetViewStyle(vsReport);
    list->SetColumnSort(cnType);
    list->FolderColumns().SetVisible(cnExtension, true);
    EXPECT_EQ(list->GetColumnSort(), cnType) << "not the column now where Type was";
    list->FolderColumns().SetVisible(cnSize, false);
    EXPECT_EQ(list->GetColumnSort(), cnType);
    EXPECT_EQ(list->Columns().Item(list->LastColumnSorted())->Caption(), "Type");
    EXPECT_TRUE(EditorOf(&designer, {tree}, "FolderEnumerator")->SetValue("FolderEnumerator1"));
    EXPECT_TRUE(
        EditorOf(&designer, {combo}, "NameSpaceEnumerator")->SetValue("NameSpaceEnumerator1"));

    std::string saved;
    TFormError error;
    ASSERT_TRUE(WriteComponentBytes(form, TFormFormat::Binary, saved, error)) << error.Message();
    TForm loaded(nullptr);
    loaded.SetDesigning(true);
    ASSERT_TRUE(ReadComponentBytes(loaded, saved, error)) << error.Message();
    auto* list2 = dynamic_cast<TFolderEnumerator*>(loaded.FindComponent("FolderEnumerator1"));
    auto* tree2 = dynamic_cast<TNameSpaceEnumerator*>(loaded.FindComponent("NameSpaceEnumerator1"));
    auto* combo2 = dynamic_cast<TNameSpaceCombo*>(loaded.FindComponent("NameSpaceCombo1"));
    ASSERT_TRUE(list2 && tree2 && combo2);
    EXPECT_EQ(list2->GetColumnSort(), cnType);
    EXPECT_EQ(tree2->FolderEnumerator(), list2);
    EXPECT_EQ(combo2->NameSpaceEnumerator(), tree2);
    EXPECT_EQ(Inspect(nullptr, *list2), Inspect(&designer, *list));
    EXPECT_EQ(Inspect(nullptr, *tree2), Inspect(&designer, *tree));
    // A placed list's set holds the Name column's flag off until a stored set is read, which
    // turns it on: bytes are stable from the first load on.
    std::string again, third;
    ASSERT_TRUE(WriteComponentBytes(loaded, TFormFormat::Binary, again, error));
    TForm reloaded(nullptr);
    reloaded.SetDesigning(true);
    ASSERT_TRUE(ReadComponentBytes(reloaded, again, error)) << error.Message();
    ASSERT_TRUE(WriteComponentBytes(reloaded, TFormFormat::Binary, third, error));
    EXPECT_EQ(third, again);
}

TEST_F(DesignTime, DeletingLinkedViewsInAnyOrderLeavesNoPartnerNamingThem) {
    std::vector<int> order = {0, 1, 2};
    do {
        TForm designed(nullptr);
        designed.SetDesigning(true);
        TTestDesigner host(&designed);
        auto* l = new TFolderEnumerator(&designed, &services);
        l->SetName("L");
        auto* t = new TNameSpaceEnumerator(&designed, &services);
        t->SetName("T");
        auto* c = new TNameSpaceCombo(&designed, &services);
        c->SetName("C");
        EXPECT_TRUE(EditorOf(&host, {t}, "FolderEnumerator")->SetValue("L"));
        EXPECT_TRUE(EditorOf(&host, {c}, "NameSpaceEnumerator")->SetValue("T"));
        EXPECT_TRUE(EditorOf(&host, {c}, "FolderEnumerator")->SetValue("L"));
        std::vector<TComponent*> views = {l, t, c};
        for (int index : order) {
            TComponent* gone = std::exchange(views[index], nullptr);
            delete gone;
            const std::string named = " = " + std::string(1, "LTC"[index]) + " v\n";
            for (TComponent* left : views) {
                if (left) {
                    const std::string text = Inspect(&host, *left);
                    EXPECT_EQ(text.find(named), std::string::npos) << text;
                }
            }
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(DesignTime, TheColumnEditorEditsTheFirstListAndAlwaysMarksTheFormModified) {
    auto* second = Place(new TFolderEnumerator(&form, &services), "FolderEnumerator2");
    auto editor = EditorOf(&designer, {second, list}, "FolderColumns");
    ASSERT_TRUE(dynamic_cast<TFolderColumnProperty*>(editor.get()));
    {
        // Closed by its close box with nothing changed: still a change to the form.
        TModalSteps steps({[] { FolderColumnForm->Close(); }});
        editor->Edit();
        EXPECT_TRUE(steps.Done() && !steps.TimedOut());
    }
    EXPECT_EQ(designer.ModifiedCount, 1);
    {
        TModalSteps steps({[] {
            FolderColumnForm->CaptionEdit->SetText("Called");
            FolderColumnForm->OKButtonClick(nullptr);
            FolderColumnForm->SetModalResult(mrOk);
        }});
        editor->Edit();
    }
    EXPECT_EQ(second->FolderColumns().GetCaption(cnName), "Called");
    EXPECT_EQ(list->FolderColumns().GetCaption(cnName), "Name");
    EXPECT_EQ(designer.ModifiedCount, 2);

    // Given a component that is no folder list, it opens nothing and changes nothing.
    TFolderColumnProperty odd(&designer, {tree}, *list->ClassInfo().FindProperty("FolderColumns"));
    bool shown = false;
    {
        TModalSteps steps({[&] {
            shown = true;
            FolderColumnForm->Close();
        }});
        odd.Edit();
    }
    EXPECT_FALSE(shown);
    EXPECT_EQ(designer.ModifiedCount, 2);
}

TEST_F(DesignTime, TheAboutBoxShowsAndChangesNothingOnTheForm) {
    auto editor = EditorOf(&designer, {combo}, "About");
    bool shown = false;
    {
        TModalSteps steps({[&] {
            shown = AboutVarnel != nullptr;
            AboutVarnel->Close();
        }});
        editor->Edit();
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(designer.ModifiedCount, 0);
}
