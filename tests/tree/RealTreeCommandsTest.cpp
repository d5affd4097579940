// The tree's drops, drags, deletes and renames over the real shell and real files.

#include "TreeTestSupport.h"

#include "dragdrop/DropTargetRegistration.h"
#include "identifiers/StringList.h"
#include "identifiers/WideText.h"
#include "support/Input.h"
#include "support/TempFolder.h"

#include <commctrl.h>

#include <cstdio>

namespace {

bool SamePath(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(Utf8ToWide(a).c_str(), -1, Utf8ToWide(b).c_str(), -1, TRUE) ==
           CSTR_EQUAL;
}

class RealTreeCommands : public testing::Test {
protected:
    void SetUp() override {
        temp.MakeFile("src\\Report.txt", "r");
        temp.MakeFile("src\\noext", "n");
        temp.MakeFile("other\\Report.txt", "o");
        temp.MakeFolder("dst\\inner");
        temp.MakeFolder("victim");
        ASSERT_TRUE(PlaceWatchedTree(tree, host.Handle(), 300, 380));
        tree.GotoFolder(temp.Path());
        folder = tree.Selected();
        folder->Expand(false);
        Settle();
    }
    TTreeNode* Node(const std::string& Caption) { return Child(folder, Caption); }
    POINTL OnLabel(TTreeNode* Node) {
        Node->MakeVisible();
        const RECT r = Node->DisplayRect(true);
        const POINT p = tree.ClientToScreen({r.left + 3, (r.top + r.bottom) / 2});
        return {p.x, p.y};
    }
    // What the drop target answers for a drag of Paths entering and moving over Where.
    DWORD DragOver(const std::vector<std::string>& Paths, DWORD Keys, POINTL Where) {
        data = dataShell.DataObject(Paths);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        tree.OleDropTarget()->DragEnter(data.Get(), Keys, Where, &effect);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        tree.OleDropTarget()->DragOver(Keys, Where, &effect);
        return effect;
    }
    DWORD DropHere(DWORD Keys, POINTL Where) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        tree.OleDropTarget()->Drop(data.Get(), Keys, Where, &effect);
        return effect;
    }
    std::string In(const std::string& Relative) { return temp.Path() + "\\" + Relative; }

    TempFolder temp{"varnel-cmds"};
    THostWindow host{500, 400};
    FakeShell dataShell{{}};
    ComPtr<IDataObject> data;
    TNameSpaceEnumerator tree{nullptr};
    TTreeNode* folder = nullptr;
};

TEST_F(RealTreeCommands, KeysChooseCopyMoveOrShortcutsThatNeverOverwrite) {
    const POINTL dst = OnLabel(Node("dst"));
    EXPECT_EQ(DragOver({In("src\\Report.txt")}, MK_LBUTTON | MK_CONTROL, dst),
              static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(Node("dst")->DropTarget());
    DropHere(MK_CONTROL, dst);
    EXPECT_TRUE(PathExists(In("dst\\Report.txt")));
    EXPECT_TRUE(PathExists(In("src\\Report.txt")));
    EXPECT_FALSE(Node("dst")->DropTarget()) << "the highlight goes with the drop";

    EXPECT_EQ(DragOver({In("src\\noext")}, MK_LBUTTON, OnLabel(Node("dst"))),
              static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(DropHere(0, dst), static_cast<DWORD>(DROPEFFECT_NONE)) << "the move is done";
    EXPECT_TRUE(PathExists(In("dst\\noext")));
    EXPECT_FALSE(PathExists(In("src\\noext")));

    const std::vector<std::string> twoReports{In("src\\Report.txt"), In("other\\Report.txt"),
                                              In("dst\\noext")};
    EXPECT_EQ(DragOver(twoReports, MK_LBUTTON | MK_CONTROL | MK_SHIFT, OnLabel(Node("victim"))),
              static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_EQ(DropHere(MK_CONTROL | MK_SHIFT, OnLabel(Node("victim"))),
              static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_TRUE(PathExists(In("victim\\Shortcut to Report.lnk")));
    EXPECT_TRUE(PathExists(In("victim\\Shortcut (2) to Report.lnk")));
    EXPECT_TRUE(PathExists(In("victim\\Shortcut to noext.lnk")));
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)));
    ASSERT_HRESULT_SUCCEEDED(link.As(&file));
    ASSERT_HRESULT_SUCCEEDED(
        file->Load(Utf8ToWide(In("victim\\Shortcut (2) to Report.lnk")).c_str(), STGM_READ));
    wchar_t target[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    EXPECT_TRUE(SamePath(WideToUtf8(target), In("other\\Report.txt")));
}

TEST_F(RealTreeCommands, DropsBackHomeIntoTheDraggedFolderOrNowhereAreRefused) {
    EXPECT_EQ(DragOver({In("dst\\inner\\x.txt")}, MK_LBUTTON, OnLabel(Node("dst"))),
              static_cast<DWORD>(DROPEFFECT_MOVE));
    Node("dst")->Expand(false);
    TTreeNode* inner = Child(Node("dst"), "inner");
    EXPECT_EQ(DragOver({In("DST\\INNER\\x.txt")}, MK_LBUTTON, OnLabel(inner)), 0u)
        << "back into the folder they come from, whatever the case";
    EXPECT_EQ(DragOver({In("dst")}, MK_LBUTTON, OnLabel(Node("dst"))), 0u) << "into itself";
    EXPECT_EQ(DragOver({In("dst")}, MK_LBUTTON | MK_CONTROL, OnLabel(inner)), 0u) << "below";
    EXPECT_EQ(DropHere(MK_CONTROL, OnLabel(inner)), 0u);
    EXPECT_FALSE(PathExists(In("dst\\inner\\dst")));

    // Empty space refuses; the last highlight stays until the pointer leaves.
    EXPECT_EQ(DragOver({In("src\\Report.txt")}, MK_LBUTTON, OnLabel(Node("victim"))),
              static_cast<DWORD>(DROPEFFECT_MOVE));
    const POINT below = tree.ClientToScreen({100, 370});
    DWORD effect = DROPEFFECT_MOVE;
    tree.OleDropTarget()->DragOver(MK_LBUTTON, {below.x, below.y}, &effect);
    EXPECT_EQ(effect, 0u);
    EXPECT_TRUE(Node("victim")->DropTarget());
    tree.OleDropTarget()->DragLeave();
    EXPECT_EQ(tree.DropTarget(), nullptr);

    // The desktop root and My Computer have no path.
    tree.GetNodeAt(0, 0)->MakeVisible();
    TTreeNode* root = tree.Items().GetFirstNode();
    EXPECT_EQ(DragOver({In("src\\Report.txt")}, MK_LBUTTON, OnLabel(root)), 0u);
    EXPECT_EQ(DragOver({In("src\\Report.txt")}, MK_LBUTTON, OnLabel(Child(root, "My Computer"))),
              0u);
    tree.OleDropTarget()->DragLeave();
}

// The user's mouse: press on the folder, past the drag threshold, over a window
// that takes drops, release.
TEST_F(RealTreeCommands, AFolderDraggedOutOffersItsPathAsAFileList) {
    HWND receiver = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 320, 20, 150, 150,
                                    host.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    TDropTargetRegistration registration;
    ASSERT_TRUE(registration.Register(receiver));
    std::vector<std::string> dropped;
    registration.Target()->SetOnOLEDrop([&](TvxDropTarget* Sender, int, POINT, int&) {
        TStringList files;
        Sender->GetSourceFiles(files);
        for (int i = 0; i < files.Count(); ++i)
            dropped.push_back(files[i]);
        Sender->SetOperation(DROPEFFECT_NONE);
    });
    const POINTL start = OnLabel(Node("dst"));
    POINT end{400, 100};
    ClientToScreen(host.Handle(), &end);
    tree.SetSelected(folder);

    DragWithMouse({start.x, start.y}, end);
    Settle();
    registration.Revoke();
    DestroyWindow(receiver);

    ASSERT_EQ(dropped.size(), 1u);
    EXPECT_TRUE(SamePath(dropped[0], In("dst")));
    EXPECT_EQ(tree.Selected(), Node("dst")) << "the drag started on the label";
    EXPECT_TRUE(PathExists(In("dst\\inner")));
}

TEST_F(RealTreeCommands, DeleteAsksTheShellWhichDeletesOnceTheUserSaysYes) {
    int answered = 0;
    {
        const TDialogAnswerer user(IDYES);
        tree.SetSelected(Node("victim"));
        SendMessageW(tree.Handle(), WM_KEYDOWN, VK_DELETE, 0);
        answered = user.Answered();
    }
    EXPECT_FALSE(PathExists(In("victim")));
    EXPECT_EQ(tree.Selected(), folder);
    EXPECT_TRUE(PumpUntil([&] { return Node("victim") == nullptr; }));
    EXPECT_NE(Node("dst"), nullptr);
    EXPECT_GT(answered, 0);
}

TEST_F(RealTreeCommands, ARenamedFolderKeepsItsSubtreeAndTheWatcherGoesOn) {
    TTreeNode* dst = Node("dst");
    dst->Expand(false);
    TTreeNode* inner = Child(dst, "inner");
    HWND edit = reinterpret_cast<HWND>(
        SendMessageW(tree.Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(dst->ItemId())));
    ASSERT_NE(edit, nullptr);
    // A trailing blank is dropped by the file system: the caption is what the shell calls it.
    SetWindowTextW(edit, L"moved ");
    SendMessageW(tree.Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    Settle();
    EXPECT_TRUE(PathExists(In("moved\\inner")));
    EXPECT_EQ(dst->Text(), "moved");
    tree.SetSelected(inner);
    EXPECT_TRUE(SamePath(tree.Selection(), In("moved\\inner")));

    temp.MakeFolder("moved\\inner\\later");
    temp.MakeFolder("fresh");
    EXPECT_TRUE(PumpUntil([&] { return Node("fresh") != nullptr; })) << "the watcher goes on";
    EXPECT_EQ(Node("moved"), dst);
    EXPECT_EQ(Child(dst, "inner"), inner);
}

// The edit box keeps 259 of the 300 characters typed; the shell would have cut the destination.
TEST_F(RealTreeCommands, ANameTooLongForItsFolderIsRefusedAndNothingIsRenamed) {
    TTreeNode* victim = Node("victim");
    HWND edit = reinterpret_cast<HWND>(
        SendMessageW(tree.Handle(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(victim->ItemId())));
    ASSERT_NE(edit, nullptr);
    const std::wstring typed(300, L'v');
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
    SendMessageW(tree.Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    Settle();
    EXPECT_EQ(victim->Text(), "victim");
    EXPECT_TRUE(PathExists(In("victim")));
    tree.Refresh();
    EXPECT_EQ(Captions(folder), (std::vector<std::string>{"dst", "other", "src", "victim"}))
        << "no folder cut to another name";
}

} // namespace
