// The list's drops (real files), its drags out, and how a drag over many rows costs.

#include "ListTestSupport.h"

#include "framework/ChangeNotifyThread.h"
#include "framework/ViewServices.h"
#include "identifiers/WideText.h"
#include "support/FakeViewServices.h"
#include "support/HostWindow.h"
#include "support/Input.h"
#include "support/TempFolder.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>

namespace {

// The platform's shell, without a watcher: refreshes come when a test asks for them.
class TQuietServices : public TViewServices {
public:
    TChangeNotifyThread* StartChangeNotifyThread(HWND, UINT) override { return nullptr; }
};

POINTL OnRow(TFolderEnumerator& List, const std::string& Caption) {
    TListItem* row = Row(List, Caption);
    RECT r{};
    if (row)
        ListView_GetItemRect(List.Handle(), row->Index(), &r, LVIR_LABEL);
    const POINT p = List.ClientToScreen({r.left + 4, (r.top + r.bottom) / 2});
    return {p.x, p.y};
}

// The colour drawn near the right end of a row's label.
COLORREF LabelColour(TFolderEnumerator& List, const std::string& Caption) {
    RECT r{};
    ListView_GetItemRect(List.Handle(), Row(List, Caption)->Index(), &r, LVIR_LABEL);
    RedrawWindow(List.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(List.Handle());
    const COLORREF colour = GetPixel(dc, r.right - 3, (r.top + r.bottom) / 2);
    ReleaseDC(List.Handle(), dc);
    return colour;
}

class ListDrops : public testing::Test {
protected:
    void SetUp() override {
        temp.MakeFile("src\\Report.txt", "r");
        temp.MakeFile("src\\b.txt", "b");
        temp.MakeFile("shown\\file.txt", "f");
        temp.MakeFolder("shown\\dst");
        list = Place(0, "shown");
    }
    std::unique_ptr<TFolderEnumerator> Place(int Left, const std::string& Folder) {
        auto made = std::make_unique<TFolderEnumerator>(nullptr, &services);
        made->SetViewStyle(vsReport);
        made->SetParentWindow(host.Handle());
        made->SetBounds(Left, 0, 290, 300);
        made->HandleNeeded();
        made->SetFolder(In(Folder));
        return made;
    }
    std::string In(const std::string& Relative) { return temp.Path() + "\\" + Relative; }
    POINTL Background() {
        const POINT p = list->ClientToScreen({150, 280});
        return {p.x, p.y};
    }
    DWORD DragOver(const std::vector<std::string>& Paths, DWORD Keys, POINTL Where) {
        data = dataShell.DataObject(Paths);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        list->OleDropTarget()->DragEnter(data.Get(), Keys, Where, &effect);
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        list->OleDropTarget()->DragOver(Keys, Where, &effect);
        return effect;
    }
    DWORD DropHere(DWORD Keys, POINTL Where) {
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        list->OleDropTarget()->Drop(data.Get(), Keys, Where, &effect);
        return effect;
    }

    TempFolder temp{"varnel-listdnd"};
    THostWindow host{600, 320};
    TQuietServices services;
    FakeShell dataShell{{}};
    ComPtr<IDataObject> data;
    std::unique_ptr<TFolderEnumerator> list;
};

TEST_F(ListDrops, FolderRowsAndTheBackgroundTakeFilesAndFileRowsNever) {
    ASSERT_NE(Row(*list, "dst"), nullptr);
    EXPECT_EQ(DragOver({In("src\\b.txt")}, MK_LBUTTON | MK_CONTROL, OnRow(*list, "dst")),
              static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(list->DropTarget(), Row(*list, "dst"));
    EXPECT_EQ(LabelColour(*list, "dst"), GetSysColor(COLOR_HIGHLIGHT)) << "the target is seen";
    EXPECT_EQ(DropHere(MK_CONTROL, OnRow(*list, "dst")), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(PathExists(In("shown\\dst\\b.txt")));
    EXPECT_EQ(list->DropTarget(), nullptr) << "the highlight goes with the drop";

    // The shell's copy onto a file's path does nothing: no promise of a drop there.
    EXPECT_EQ(DragOver({In("src\\b.txt")}, MK_LBUTTON, OnRow(*list, "file.txt")), 0u);
    EXPECT_EQ(list->DropTarget(), nullptr);
    EXPECT_NE(LabelColour(*list, "dst"), GetSysColor(COLOR_HIGHLIGHT));

    EXPECT_EQ(DragOver({In("src\\Report.txt")}, MK_LBUTTON | MK_CONTROL | MK_SHIFT, Background()),
              static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_EQ(DropHere(MK_CONTROL | MK_SHIFT, Background()), static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_TRUE(PathExists(In("shown\\Shortcut to Report.lnk")));

    EXPECT_EQ(DragOver({In("src\\b.txt")}, MK_LBUTTON, Background()),
              static_cast<DWORD>(DROPEFFECT_MOVE));
    DropHere(0, Background());
    EXPECT_TRUE(PathExists(In("shown\\b.txt")));
    EXPECT_FALSE(PathExists(In("src\\b.txt")));

    EXPECT_EQ(DragOver({In("src\\Report.txt")}, MK_LBUTTON, OnRow(*list, "dst")),
              static_cast<DWORD>(DROPEFFECT_MOVE));
    list->OleDropTarget()->DragLeave();
    EXPECT_EQ(list->DropTarget(), nullptr) << "the highlight goes when the pointer leaves";
}

TEST_F(ListDrops, DropsHomeOrIntoADraggedFolderAreRefusedOverRowsAndBackground) {
    EXPECT_EQ(DragOver({In("shown\\dst")}, MK_LBUTTON, OnRow(*list, "dst")), 0u) << "into itself";
    EXPECT_EQ(DragOver({In("SHOWN\\file.txt")}, MK_LBUTTON | MK_CONTROL, Background()), 0u)
        << "back into the folder they come from, whatever the case";
    EXPECT_EQ(DropHere(MK_CONTROL, Background()), 0u);
    EXPECT_EQ(DragOver({In("shown\\file.txt")}, MK_LBUTTON | MK_CONTROL | MK_SHIFT, Background()),
              static_cast<DWORD>(DROPEFFECT_LINK))
        << "a shortcut beside its file";
    DropHere(MK_CONTROL | MK_SHIFT, Background());
    EXPECT_TRUE(PathExists(In("shown\\Shortcut to file.lnk")));

    list->SetFolder(In("shown\\dst"));
    EXPECT_EQ(DragOver({In("shown")}, MK_LBUTTON, Background()), 0u) << "below a dragged folder";
    EXPECT_EQ(DragOver({In("Shown\\dst")}, MK_LBUTTON, Background()), 0u) << "a dragged folder";
    EXPECT_EQ(DropHere(0, Background()), 0u);
    EXPECT_FALSE(PathExists(In("shown\\dst\\dst")));
    EXPECT_FALSE(PathExists(In("shown\\dst\\shown")));

    list->SetFolder(In("shown"));
    list->SetAllowOLEDrop(false);
    EXPECT_EQ(DragOver({In("src\\b.txt")}, MK_LBUTTON, OnRow(*list, "dst")), 0u);
    EXPECT_EQ(list->DropTarget(), nullptr);
    list->OleDropTarget()->DragLeave();
}

// The user drags a file from one list onto a folder row of another: press, a few small moves
// past the drag threshold, on to the row, release. A change reported meanwhile to the
// list dragged from refreshes it once the drag is over, not during it.
TEST_F(ListDrops, AFileDraggedOntoAnotherListsFolderRowMovesThereAndTheSourceRefreshesAfter) {
    temp.MakeFile("shown\\a.txt", "a");
    temp.MakeFolder("other\\target");
    list->Refresh();
    auto other = Place(300, "other");
    ASSERT_NE(Row(*list, "a.txt"), nullptr);
    ASSERT_NE(Row(*other, "target"), nullptr);

    int rowsDuringDrag = -1;
    const TDTDragEvent drop = other->OleDropTarget()->OnOLEDrop();
    other->OleDropTarget()->SetOnOLEDrop([&](TvxDropTarget* Sender, int Keys, POINT pt, int& e) {
        drop(Sender, Keys, pt, e);
        SendMessageW(list->Handle(), WM_LIST_CHANGE_NOTIFY, 0, 0);
        rowsDuringDrag = list->Items().Count();
    });
    const int rowsBefore = list->Items().Count();
    const POINTL from = OnRow(*list, "a.txt");
    const POINTL to = OnRow(*other, "target");

    // With dragging out turned off the same mouse drag starts no drag: nothing is dropped.
    list->SetAllowOLEDrag(false);
    DragWithMouse({from.x, from.y}, {to.x, to.y});
    Pump(300);
    EXPECT_EQ(rowsDuringDrag, -1) << "no drag was started";
    EXPECT_TRUE(PathExists(In("shown\\a.txt")));
    list->SetAllowOLEDrag(true);

    DragWithMouse({from.x, from.y}, {to.x, to.y});
    PumpUntil([&] { return rowsDuringDrag >= 0; }, 5000);
    Settle();

    EXPECT_TRUE(PathExists(In("other\\target\\a.txt")));
    EXPECT_FALSE(PathExists(In("shown\\a.txt")));
    EXPECT_EQ(rowsDuringDrag, rowsBefore) << "no refresh while the drag runs";
    EXPECT_EQ(Row(*list, "a.txt"), nullptr) << "the change seen once the drag ended";
    EXPECT_EQ(other->DropTarget(), nullptr);
}

// The entries of the menu shown now, and its default entry's text.
struct TShownMenu {
    std::vector<std::string> Entries;
    std::string Default;
};
TShownMenu ShownMenu() {
    TShownMenu shown;
    const auto menu =
        reinterpret_cast<HMENU>(SendMessageW(FindWindowW(L"#32768", nullptr), MN_GETHMENU, 0, 0));
    const UINT fallback = GetMenuDefaultItem(menu, FALSE, 0);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        shown.Entries.push_back(WideToUtf8(text));
        if (GetMenuItemID(menu, i) == fallback)
            shown.Default = shown.Entries.back();
    }
    return shown;
}

// The user drags with the right button: the drop asks what to do, offering the effect the keys
// proposed first; the entry picked is done, and cancelling does nothing.
TEST_F(ListDrops, ARightButtonDropAsksWhetherToMoveCopyOrLinkAndDoesThePick) {
    temp.MakeFile("shown\\a.txt", "a");
    temp.MakeFolder("other\\target");
    list->Refresh();
    auto other = Place(300, "other");
    TShownMenu shown;
    DuringNextMenu([&] {
        shown = ShownMenu();
        SendKeys({'C'});
    });
    const POINTL from = OnRow(*list, "a.txt");
    const POINTL to = OnRow(*other, "target");
    DragWithMouse({from.x, from.y}, {to.x, to.y}, TDragButton::Right);
    PumpUntil([&] { return PathExists(In("other\\target\\a.txt")); }, 5000);
    EXPECT_EQ(shown.Entries, (std::vector<std::string>{"&Move Here", "&Copy Here",
                                                       "Create &Shortcuts Here", "", "Cancel"}));
    EXPECT_EQ(shown.Default, "&Move Here");
    EXPECT_TRUE(PathExists(In("other\\target\\a.txt")));
    EXPECT_TRUE(PathExists(In("shown\\a.txt"))) << "copied, not moved";
    bool menuAfter = false;
    DuringNextMenu([&] {
        menuAfter = true;
        EndMenu();
    });
    Pump(500);
    ForgetMenuAction();
    EXPECT_FALSE(menuAfter) << "the release that ended the drag shows no context menu";

    // Ctrl+Shift proposed a shortcut; Escape cancels.
    DragOver({In("shown\\a.txt")}, MK_RBUTTON | MK_CONTROL | MK_SHIFT, OnRow(*list, "dst"));
    DuringNextMenu([&] {
        shown = ShownMenu();
        SendKeys({VK_ESCAPE});
    });
    EXPECT_EQ(DropHere(0, OnRow(*list, "dst")), 0u);
    EXPECT_EQ(shown.Default, "Create &Shortcuts Here");
    EXPECT_FALSE(PathExists(In("shown\\dst\\a.txt")));
    EXPECT_FALSE(PathExists(In("shown\\dst\\Shortcut to a.lnk")));
    EXPECT_EQ(list->DropTarget(), nullptr) << "the highlight goes with the cancelled drop";
}

// What the clipboard's data asks of a paste (0 when it says nothing).
DWORD PreferredEffect() {
    ComPtr<IDataObject> data;
    if (OleGetClipboard(data.GetAddressOf()) != S_OK)
        return 0;
    FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT)),
                     nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data->GetData(&format, &medium) != S_OK)
        return 0;
    DWORD effect = *static_cast<DWORD*>(GlobalLock(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return effect;
}

TEST_F(ListDrops, CopyCutAndPasteMoveFilesAsADropWould) {
    EXPECT_FALSE(list->CopySelection()) << "nothing selected";
    list->SetSelected(Row(*list, "file.txt"));
    ASSERT_TRUE(list->CopySelection());
    EXPECT_EQ(PreferredEffect(), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_FALSE(list->PasteClipboard()) << "back into the folder it comes from";
    list->SetSelected(nullptr);
    list->SetSelected(Row(*list, "dst"));
    ASSERT_TRUE(list->PasteClipboard()) << "into the selected folder row";
    EXPECT_TRUE(PathExists(In("shown\\dst\\file.txt")));
    EXPECT_TRUE(PathExists(In("shown\\file.txt")));

    list->SetMultiSelect(true);
    list->SetFolder(In("src"));
    list->SetSelected(Row(*list, "b.txt"));
    list->SetSelected(Row(*list, "Report.txt"));
    ASSERT_TRUE(list->CutSelection());
    EXPECT_EQ(PreferredEffect(), static_cast<DWORD>(DROPEFFECT_MOVE));
    list->SetFolder(In("shown"));
    list->SetSelected(Row(*list, "file.txt"));
    ASSERT_TRUE(list->PasteClipboard()) << "a file row selected: into the shown folder";
    EXPECT_TRUE(PathExists(In("shown\\b.txt")));
    EXPECT_TRUE(PathExists(In("shown\\Report.txt")));
    EXPECT_FALSE(PathExists(In("src\\b.txt")));
    EXPECT_FALSE(list->PasteClipboard()) << "what was cut and moved is gone from the clipboard";

    // The same through the user's keys: Ctrl+X on a file, Ctrl+V with a folder row selected.
    list->Refresh();
    SetForegroundWindow(host.Handle());
    list->SetFocus();
    list->SetSelected(nullptr);
    list->SetSelected(Row(*list, "b.txt"));
    PressChord(VK_CONTROL, 'X');
    list->SetSelected(nullptr);
    list->SetSelected(Row(*list, "dst"));
    PressChord(VK_CONTROL, 'V');
    EXPECT_TRUE(PathExists(In("shown\\dst\\b.txt")));
    EXPECT_FALSE(PathExists(In("shown\\b.txt")));
}

// Whether a colour is drawn in a row's label (its text).
bool LabelHasColour(TFolderEnumerator& List, const std::string& Caption, COLORREF Colour) {
    RECT r{};
    ListView_GetItemRect(List.Handle(), Row(List, Caption)->Index(), &r, LVIR_LABEL);
    RedrawWindow(List.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(List.Handle());
    bool found = false;
    for (int y = r.top; y < r.bottom && !found; ++y)
        for (int x = r.left; x < r.right && !found; ++x)
            found = GetPixel(dc, x, y) == Colour;
    ReleaseDC(List.Handle(), dc);
    return found;
}

// Whether the clipboard holds a cut is told by the clipboard's change messages: pumped.
bool CutShown(TFolderEnumerator& List, const std::string& Caption) {
    Pump(100);
    TListItem* row = Row(List, Caption);
    return row && row->Cut();
}

TEST_F(ListDrops, CutRowsShowCutUntilTheClipboardNoLongerHoldsTheCutOrTheListMovesOn) {
    list->SetSelected(Row(*list, "file.txt"));
    ASSERT_TRUE(list->CutSelection());
    EXPECT_TRUE(CutShown(*list, "file.txt"));
    EXPECT_FALSE(CutShown(*list, "dst"));
    list->SetSelected(nullptr);
    EXPECT_TRUE(LabelHasColour(*list, "file.txt", GetSysColor(COLOR_GRAYTEXT))) << "drawn dimmed";
    EXPECT_FALSE(LabelHasColour(*list, "file.txt", GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_TRUE(LabelHasColour(*list, "dst", GetSysColor(COLOR_WINDOWTEXT)));
    temp.MakeFile("shown\\new.txt", "n");
    list->Refresh();
    EXPECT_TRUE(CutShown(*list, "file.txt")) << "a refresh of the same folder keeps the cut";
    EXPECT_FALSE(CutShown(*list, "new.txt"));
    const HWND before = list->Handle();
    list->SetMultiSelect(true);
    ASSERT_NE(list->Handle(), before);
    EXPECT_TRUE(CutShown(*list, "file.txt")) << "and so does a new window";

    list->SetSelected(Row(*list, "dst"));
    ASSERT_TRUE(list->CopySelection());
    EXPECT_FALSE(CutShown(*list, "file.txt")) << "a later copy replaced the cut";

    list->SetSelected(nullptr);
    list->SetSelected(Row(*list, "file.txt"));
    ASSERT_TRUE(list->CutSelection());
    ASSERT_TRUE(OpenClipboard(host.Handle()));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(CutShown(*list, "file.txt")) << "the clipboard was emptied elsewhere";

    ASSERT_TRUE(list->CutSelection());
    list->SetFolder(In("src"));
    list->SetFolder(In("shown"));
    EXPECT_FALSE(CutShown(*list, "file.txt")) << "the list showed another folder meanwhile";
}

// Every move of a drag over the list asks the row under the pointer and moves the highlight:
// with a hundred times the rows it may not cost a hundred times as much.
TEST_F(FakeListTest, ADragOverManyRowsCostsAsOverFew) {
    const auto perMove = [&](int Files) {
        std::vector<FakeItem> children{FakeFolder("sub")};
        for (int i = 0; i < Files; ++i)
            children.push_back(FakeFile("f" + std::to_string(100000 + i) + ".txt"));
        list.reset();
        MakeShell({FakeFolder("Big", std::move(children))});
        list = NewList();
        OwnedPidl big = shell->Pidl("Big");
        list->FolderChanged(nullptr, shell->Folder("Big").Get(), big.Get(), false);
        EXPECT_EQ(list->Items().Count(), Files + 1);
        ComPtr<IDataObject> data = shell->DataObject({"C:\\Other\\a.txt"});
        TvxDropTarget* target = list->OleDropTarget();
        RECT folderRow{}, fileRow{};
        ListView_GetItemRect(list->Handle(), Row(*list, "sub")->Index(), &folderRow, LVIR_LABEL);
        ListView_GetItemRect(list->Handle(), 1, &fileRow, LVIR_LABEL);
        const POINT overFolder = list->ClientToScreen({folderRow.left + 4, folderRow.top + 4});
        const POINT overFile = list->ClientToScreen({fileRow.left + 4, fileRow.top + 4});
        DWORD effect = DROPEFFECT_MOVE;
        target->DragEnter(data.Get(), 0, {overFolder.x, overFolder.y}, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
        EXPECT_EQ(list->DropTarget(), Row(*list, "sub"));
        constexpr int kMoves = 200;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kMoves; ++i) {
            const POINT p = i % 2 ? overFolder : overFile;
            effect = DROPEFFECT_MOVE;
            target->DragOver(0, {p.x, p.y}, &effect);
        }
        const double each =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count() /
            kMoves;
        target->DragLeave();
        EXPECT_EQ(list->DropTarget(), nullptr);
        data.Reset();
        std::printf("DragOver over %d rows: %.3f ms\n", Files + 1, each);
        return each;
    };
    const double few = perMove(100);
    const double many = perMove(10000);
    EXPECT_LT(many, 5 * few + 0.05) << few << " ms over 101 rows, " << many << " over 10001";
}

} // namespace
