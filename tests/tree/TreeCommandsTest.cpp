// The tree's keys, delete and rename over the fake namespace.

#include "TreeTestSupport.h"

#include "identifiers/WideText.h"
#include "support/PidlBuilder.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

void Key(TNameSpaceEnumerator& Tree, WORD Code) {
    SendMessageW(Tree.Handle(), WM_KEYDOWN, Code, 0);
}

// As the user ends an edit with Enter: the control asks the tree to begin, then to end.
void EditCaption(TNameSpaceEnumerator& Tree, TTreeNode* Node, const std::string& Text) {
    HWND edit = reinterpret_cast<HWND>(
        SendMessageW(Tree.Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Node->ItemId())));
    if (!edit)
        return;
    SetWindowTextW(edit, Utf8ToWide(Text).c_str());
    SendMessageW(Tree.Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
}

class TreeCommands : public FakeTree {
protected:
    void SetUp() override {
        Make();
        Root()->Expand(false);
        tree->SetFolderEnumerator(&list);
        list.Calls.clear();
    }
};

TEST_F(TreeCommands, UpAndDownWalkAllNodesAndTellTheList) {
    TTreeNode* zeta = Child(Root(), "Zeta");
    zeta->Expand(false);
    zeta->Collapse(false);
    tree->SetSelected(zeta);
    Key(*tree, VK_DOWN);
    EXPECT_EQ(tree->Selected()->Text(), "inner") << "depth first, collapsed or not";
    ASSERT_EQ(list.Calls.size(), 1u);
    Key(*tree, VK_UP);
    Key(*tree, VK_UP);
    EXPECT_EQ(tree->Selected(), Root());
    EXPECT_EQ(list.Calls.size(), 3u);
    // At the first node the control has the key, and nobody is told.
    Key(*tree, VK_UP);
    EXPECT_EQ(tree->Selected(), Root());
    EXPECT_EQ(list.Calls.size(), 3u);
}

TEST_F(TreeCommands, DeleteRunsTheShellsDeleteVerbAndTellsTheListOfTheParent) {
    TTreeNode* zeta = Child(Root(), "Zeta");
    tree->SetSelected(zeta);
    Key(*tree, VK_DELETE);
    ASSERT_EQ(shell->Calls().invocations.size(), 1u);
    EXPECT_EQ(shell->Calls().invocations[0].verb, "delete") << "as the shell's menus name it";
    EXPECT_EQ(shell->Calls().invocations[0].items, (std::vector<std::string>{"Zeta"}));
    EXPECT_EQ(shell->Calls().menuFlags.back(), static_cast<UINT>(CMF_VERBSONLY));
    EXPECT_EQ(tree->Selected(), Root());
    ASSERT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(Child(Root(), "Zeta"), zeta) << "the node waits for the refresh";

    // The desktop root cannot be deleted: nothing is selected and nothing is run.
    Key(*tree, VK_DELETE);
    EXPECT_EQ(tree->Selected(), nullptr);
    EXPECT_EQ(shell->Calls().invocations.size(), 1u);
    // A virtual folder cannot either: only the selection moves.
    tree->SetSelected(Child(Root(), "Recycle Bin"));
    Key(*tree, VK_DELETE);
    EXPECT_EQ(tree->Selected(), Root());
    EXPECT_EQ(shell->Calls().invocations.size(), 1u);
    EXPECT_EQ(list.Calls.size(), 1u);
}

TEST_F(TreeCommands, F5RefreshesBackspaceGoesUpF2StartsARename) {
    shell->AddItem("", FakeFolder("New"));
    Key(*tree, VK_F5);
    EXPECT_NE(Child(Root(), "New"), nullptr);

    tree->GotoFolder("Zeta\\inner");
    Key(*tree, VK_BACK);
    EXPECT_EQ(tree->Selected()->Text(), "Zeta");
    EXPECT_EQ(list.Calls.size(), 1u);

    Key(*tree, VK_F2);
    EXPECT_TRUE(tree->IsEditing());
    SendMessageW(tree->Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(TreeCommands, NoCaptionChangesWithoutARename) {
    TTreeNode* zeta = Child(Root(), "Zeta");
    // The desktop root is never renamed, and nothing is with AllowRename false.
    SendMessageW(tree->Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Root()->ItemId()));
    EXPECT_FALSE(tree->IsEditing());
    tree->SetAllowRename(false);
    SendMessageW(tree->Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(zeta->ItemId()));
    EXPECT_FALSE(tree->IsEditing());
    tree->SetAllowRename(true);

    // Refused by the shell, too long for the platform, or emptied: the old caption stays.
    shell->RejectRenames();
    EditCaption(*tree, zeta, "Renamed");
    EXPECT_EQ(zeta->Text(), "Zeta");
    EXPECT_EQ(shell->Calls().renames.size(), 1u);
    shell->RejectRenames(false);
    std::string tooLong(MAX_PATH, 'n');
    tree->OnEdited(tree.get(), zeta, tooLong);
    EXPECT_EQ(tooLong, "Zeta");
    EditCaption(*tree, zeta, "");
    EXPECT_EQ(zeta->Text(), "Zeta");
    EXPECT_EQ(shell->Calls().renames.size(), 1u) << "the shell is not asked";
}

// The shell would cut a destination that does not fit to a shorter, other name.
TEST_F(TreeCommands, ARenameWhoseFullPathWouldNotFitIsRefusedBeforeTheShellIsAsked) {
    TTreeNode* drive = Drive();
    drive->Expand(false);
    TTreeNode* alpha = Child(drive, "Alpha");
    const std::string folder = treeShell->GetPathFromIDList(Data(drive)->pFQpidl.Get());
    ASSERT_FALSE(folder.empty());
    // The folder, a backslash and the name, then the terminator: MAX_PATH in all.
    const size_t room = MAX_PATH - 1 - folder.size() - 1;
    EditCaption(*tree, alpha, std::string(room + 1, 'x'));
    EXPECT_EQ(alpha->Text(), "Alpha");
    EXPECT_TRUE(shell->Calls().renames.empty()) << "refused before the shell is asked";

    EditCaption(*tree, alpha, std::string(room, 'x'));
    ASSERT_EQ(shell->Calls().renames.size(), 1u);
    EXPECT_EQ(alpha->Text(), std::string(room, 'x'));
    EXPECT_EQ(treeShell->GetPathFromIDList(Data(alpha)->pFQpidl.Get()).size(), MAX_PATH - 1u);
}

TEST_F(TreeCommands, ARenameMovesTheRecordsBelowAndTellsTheListOnce) {
    TTreeNode* drive = Drive();
    drive->Expand(false);
    TTreeNode* alpha = Child(drive, "Alpha");
    alpha->Expand(false);
    TTreeNode* deep = Child(alpha, "deep");
    tree->SetSelected(deep);
    list.Calls.clear();

    EditCaption(*tree, alpha, "Omega");
    ASSERT_EQ(shell->Calls().renames.size(), 1u);
    EXPECT_EQ(alpha->Text(), "Omega");
    const OwnedPidl omega = shell->Pidl("My Computer\\Local Disk (C:)\\Omega");
    const OwnedPidl omegaDeep = shell->Pidl("My Computer\\Local Disk (C:)\\Omega\\deep");
    EXPECT_EQ(PidlBytes(Data(alpha)->pFQpidl.Get()), PidlBytes(omega.Get()));
    EXPECT_EQ(PidlBytes(Data(deep)->pFQpidl.Get()), PidlBytes(omegaDeep.Get()));
    ASSERT_EQ(list.Calls.size(), 1u) << "the selection lies below the renamed node";

    // The records below answer commands on the new path.
    tree->SetSelected(deep);
    Key(*tree, VK_DELETE);
    ASSERT_FALSE(shell->Calls().invocations.empty());
    EXPECT_EQ(shell->Calls().invocations.back().items, (std::vector<std::string>{"deep"}));
    // The node keeps its subtree across the next refresh, which matches it by its caption.
    tree->Refresh();
    EXPECT_EQ(Child(drive, "Omega"), alpha);
    EXPECT_EQ(Child(alpha, "deep"), deep);
}

TEST_F(TreeCommands, AChangeDuringARenameRefreshesOnceTheEditHasEnded) {
    tree->SetAutoRefresh(true);
    TTreeNode* zeta = Child(Root(), "Zeta");
    int refreshed = 0;
    shell->SetOnNext([&](const std::string&) { ++refreshed; });
    // The list, told of the renamed folder, lets the watcher's message in.
    tree->SetSelected(zeta);
    list.OnFolderChanged = [&] {
        SendMessageW(tree->Handle(), WM_USER + 21, 0, 0);
        EXPECT_EQ(refreshed, 0) << "no refresh inside the rename";
    };
    EditCaption(*tree, zeta, "Zulu");
    EXPECT_EQ(list.Calls.size(), 1u);
    EXPECT_EQ(refreshed, 0);
    PumpMessages();
    EXPECT_GT(refreshed, 0);
    EXPECT_EQ(Child(Root(), "Zulu"), zeta) << "matched by the caption set after the edit";
}

} // namespace
