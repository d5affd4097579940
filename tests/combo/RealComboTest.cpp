// The combo over the real shell: the chain to a real folder, and the path read back.

#include "ComboTestSupport.h"

#include "support/TempFolder.h"

#include "components/FormStreaming.h"
#include "controls/Menus.h"
#include "identifiers/WideText.h"

namespace {

bool SamePath(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(Utf8ToWide(a).c_str(), -1, Utf8ToWide(b).c_str(), -1, TRUE) ==
           CSTR_EQUAL;
}

TEST(RealCombo, AFolderThreeLevelsBelowCGetsItsChainAndReadsBackItsPath) {
    TempFolder temp{"varnel-combo"};
    temp.MakeFolder("a\\b");
    temp.MakeFolder("a\\sibling");
    THostWindow host;
    TNameSpaceCombo combo(nullptr);
    combo.SetParentWindow(host.Handle());
    ASSERT_GE(combo.EntryCount(), 4) << "the desktop, its folders and the drives";
    EXPECT_EQ(combo.Entry(0)->iLevel, 1);
    EXPECT_EQ(combo.ItemIndex(), 0);

    const std::string path = temp.Path() + "\\a\\b";
    combo.SetCurrentPath(path);
    int drive = -1;
    for (int i = 0; i < combo.EntryCount(); ++i)
        if (combo.Entry(i)->iLevel == 4 && SamePath(combo.Entry(i)->sFQPath, "C:\\"))
            drive = i;
    ASSERT_GE(drive, 0) << "drive C: is listed";
    ASSERT_GT(combo.EntryCount(), drive + 3);
    const std::string folderName = temp.Path().substr(temp.Path().rfind('\\') + 1);
    EXPECT_EQ(combo.Entry(drive + 1)->sCaption, folderName);
    EXPECT_EQ(combo.Entry(drive + 1)->iLevel, 6);
    EXPECT_EQ(combo.Entry(drive + 2)->sCaption, "a");
    EXPECT_EQ(combo.Entry(drive + 2)->iLevel, 8);
    EXPECT_EQ(combo.Entry(drive + 3)->sCaption, "b");
    EXPECT_EQ(combo.Entry(drive + 3)->iLevel, 10);
    if (combo.EntryCount() > drive + 4) {
        EXPECT_EQ(combo.Entry(drive + 4)->iLevel, 4) << "no sibling follows the chain";
    }
    EXPECT_EQ(combo.ItemIndex(), drive + 3);
    EXPECT_TRUE(SamePath(combo.CurrentPath(), path)) << combo.CurrentPath();

    // The same folder by a list of the shell's own making, as the tree and the list give it.
    const OwnedPidl current = combo.CurrentPidl();
    combo.SetCurrentPidl(nullptr);
    EXPECT_EQ(combo.ItemIndex(), 0);
    combo.SetCurrentPidl(current.Get());
    EXPECT_EQ(combo.ItemIndex(), drive + 3);
    EXPECT_TRUE(SamePath(combo.CurrentPath(), path));
}

TEST(RealCombo, AFontReadFromAFormFileSizesTheItemsAndTheBox) {
    RegisterFrameworkClasses();
    RegisterComponentClass(TNameSpaceCombo::StaticClassInfo());
    THostWindow host;
    TWinControl form(nullptr);
    form.SetBounds(0, 0, 400, 200);
    form.SetParentWindow(host.Handle());
    form.HandleNeeded();
    TFormError error;
    ASSERT_TRUE(ReadComponentBytes(form,
                                   "object Form: TWinControl\n"
                                   "  object Combo: TNameSpaceCombo\n"
                                   "    Width = 300\n"
                                   "    Font.Height = -32\n"
                                   "  end\n"
                                   "end\n",
                                   error))
        << error.Message();
    auto* combo = dynamic_cast<TNameSpaceCombo*>(form.FindComponent("Combo"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Font().Height(), -32);
    EXPECT_GE(combo->ItemHeight(), FontTextHeight(combo->Font()));
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), combo->ItemHeight());
    EXPECT_GT(combo->Height(), combo->ItemHeight()) << "the box holds a whole item";
}

} // namespace
