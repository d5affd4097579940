// The list's rename in place and Rename over the fake namespace: the edit acts on the row it
// began on, refreshes wait for its end, names that do not fit are refused.

#include "ListTestSupport.h"

#include "identifiers/WideText.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using Names = std::vector<std::string>;

class ListRename : public FakeListTest {
protected:
    void SetUp() override {
        MakeShell({FakeFolder("Docs", {FakeFile("b.txt"), FakeFile(".secret").Hidden(),
                                       FakeFile("readme.txt"), FakeVirtualFolder("Fixed")})});
        list = NewList();
        OwnedPidl docs = shell->Pidl("Docs");
        list->FolderChanged(nullptr, shell->Folder("Docs").Get(), docs.Get(), true);
        list->SetFocus();
    }
    // The edit box the control opens on a row, as F2 opens it.
    HWND BeginEdit(const std::string& Caption) {
        return reinterpret_cast<HWND>(
            SendMessageW(list->Handle(), LVM_EDITLABELW, Row(*list, Caption)->Index(), 0));
    }
    // Return in the edit box: the control ends the edit with the text typed.
    void Commit(HWND Edit, const std::string& Text) {
        SetWindowTextW(Edit, Utf8ToWide(Text).c_str());
        SendMessageW(Edit, WM_KEYDOWN, VK_RETURN, 0);
        PumpMessages();
    }
    const FakeCalls& Calls() const { return shell->Calls(); }
};

TEST_F(ListRename, AnEditRenamesThroughTheShellAndTheRowFollowsTheNewItem) {
    HWND edit = BeginEdit("readme.txt");
    ASSERT_NE(edit, nullptr);
    Commit(edit, "notes.txt");
    ASSERT_EQ(Calls().renames.size(), 1u);
    EXPECT_EQ(Calls().renames[0],
              std::make_pair(std::string("readme.txt"), std::string("notes.txt")));
    TListItem* row = Row(*list, "notes.txt");
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->Selected()) << "the renamed row stays selected";
    const OwnedPidl notes = shell->Pidl("Docs\\notes.txt");
    EXPECT_EQ(PidlBytes(TFolderEnumerator::ItemData(row)->pFQPidl.Get()), PidlBytes(notes.Get()));

    // Not renamable, or AllowRename off: no edit opens.
    EXPECT_EQ(BeginEdit("Fixed"), nullptr);
    list->SetAllowRename(false);
    EXPECT_EQ(BeginEdit("b.txt"), nullptr);
}

TEST_F(ListRename, RenameAnswersTrueOnlyWhenTheShellRenamedAndTheNameChanged) {
    EXPECT_FALSE(list->Rename("missing.txt", "x.txt"));
    EXPECT_FALSE(list->Rename("b.txt", "b.txt")) << "the same name";
    shell->RejectRenames();
    EXPECT_FALSE(list->Rename("b.txt", "c.txt"));
    EXPECT_EQ(Captions(*list), (Names{"b.txt", "readme.txt", "Fixed"}));
    shell->RejectRenames(false);
    EXPECT_TRUE(list->Rename("B.TXT", "c.txt")) << "the caption is found ignoring case";
    EXPECT_EQ(Captions(*list), (Names{"c.txt", "readme.txt", "Fixed"}));
    EXPECT_EQ(Calls().renames.size(), 3u);

    // A name whose full path would pass the platform's limit is refused before the shell.
    const std::string folder = services->GetPathFromIDList(list->ViewPidl());
    const size_t room = MAX_PATH - 1 - folder.size() - 1;
    EXPECT_FALSE(list->Rename("c.txt", std::string(room + 1, 'x')));
    EXPECT_EQ(Calls().renames.size(), 3u) << "the shell is not asked";
    EXPECT_TRUE(list->Rename("c.txt", std::string(room, 'x')));
}

// Measured before: an edit begun on "readme.txt" committed after Show hidden was turned on renamed
// ".secret", the row the control's index named by then.
TEST_F(ListRename, AnEditActsOnTheRowItBeganOnOrRenamesNothing) {
    HWND edit = BeginEdit("readme.txt");
    ASSERT_NE(edit, nullptr);
    list->SetShowHidden(true);
    if (list->IsEditing())
        Commit(edit, "other.txt");
    for (const auto& [from, to] : Calls().renames)
        EXPECT_EQ(from, "readme.txt");
    EXPECT_FALSE(list->IsEditing());

    // The rows stay the same across a refresh held for the edit: the edit lands on its row.
    edit = BeginEdit("b.txt");
    ASSERT_NE(edit, nullptr);
    shell->AddItem("Docs", FakeFile("a.txt"));
    SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
    EXPECT_EQ(Row(*list, "a.txt"), nullptr) << "the refresh waits for the edit";
    Commit(edit, "z.txt");
    ASSERT_FALSE(Calls().renames.empty());
    EXPECT_EQ(Calls().renames.back(), std::make_pair(std::string("b.txt"), std::string("z.txt")));
    EXPECT_NE(Row(*list, "a.txt"), nullptr) << "the held refresh ran after the edit";
    EXPECT_NE(Row(*list, "z.txt"), nullptr);
}

// Measured before: an edit open when the window was made again left every later refresh held.
TEST_F(ListRename, AnEditOpenWhenTheWindowIsMadeAgainHoldsNoRefreshAfterwards) {
    ASSERT_NE(BeginEdit("readme.txt"), nullptr);
    list->SetMultiSelect(true);
    shell->AddItem("Docs", FakeFile("new.txt"));
    SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
    PumpMessages();
    EXPECT_NE(Row(*list, "new.txt"), nullptr);
}

} // namespace
