// The package at design time: its palette page and pictures, the editors the inspector gets for
// every property of the three views, and what views on a designed form refuse to do.

#include "support/CountingMalloc.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/TestDesigner.h"

#include "combo/NameSpaceCombo.h"
#include "components/FormStreaming.h"
#include "controls/DefaultPropertyEditors.h"
#include "controls/DesignRegistry.h"
#include "controls/Form.h"
#include "design/AboutProperty.h"
#include "design/FolderColumnProperty.h"
#include "design/Register.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

#include <gtest/gtest.h>

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
        form.SetDesigning(true);
        form.SetDesigner(&designer);
        list = Place(new TFolderEnumerator(&form, &services), "FolderEnumerator1");
        tree = Place(new TNameSpaceEnumerator(&form, &services), "NameSpaceEnumerator1");
        combo = Place(new TNameSpaceCombo(&form, &services), "NameSpaceCombo1");
    }
    template <class T> T* Place(T* View, const char* Name) {
        View->SetName(Name);
        View->SetParentWindow(host.Handle());
        View->SetBounds(10, 20, 200, 150);
        View->HandleNeeded();
        return View;
    }

    CountingMalloc malloc;
    ScopedShellMalloc scoped{&malloc};
    FakeShell shell{{FakeFolder("Zeta", {FakeFile("a.txt")})}, &malloc};
    TWatchCounting services{shell};
    THostWindow host;
    TForm form{nullptr};
    TTestDesigner designer{&form};
    TFolderEnumerator* list = nullptr;
    TNameSpaceEnumerator* tree = nullptr;
    TNameSpaceCombo* combo = nullptr;
};

} // namespace

TEST_F(DesignTime, TheInspectorShowsEveryPropertyOfTheThreeViews) {
    std::printf("%s----\n%s----\n%s", Inspect(&designer, *list).c_str(), Inspect(&designer, *tree).c_str(), Inspect(&designer, *combo).c_str());
}
