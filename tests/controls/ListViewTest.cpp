#include "support/HostWindow.h"
#include "support/Input.h"

#include "controls/ListView.h"
#include "identifiers/WideText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class ListViewTest : public testing::Test {
protected:
    void SetUp() override {
        List.SetViewStyle(vsReport);
        List.SetBounds(0, 0, 400, 300);
        for (const char* caption : {"Name", "Size"}) {
            TListColumn* column = List.Columns().Add();
            column->SetCaption(caption);
            column->SetWidth(150);
        }
        List.SetParentWindow(Host.Handle());
        ASSERT_TRUE(List.HandleAllocated());
    }

    TListItem* AddRow(const std::string& Caption, const std::string& Size = "") {
        TListItem* item = List.Items().Add();
        item->SetCaption(Caption);
        item->SubItems().Add(Size);
        return item;
    }

    std::string WindowText(int Index, int SubItem) {
        wchar_t buffer[MAX_PATH] = {};
        ListView_GetItemText(List.Handle(), Index, SubItem, buffer, MAX_PATH);
        return WideToUtf8(buffer);
    }

    THostWindow Host;
    TCustomListView List{nullptr};
};

TEST_F(ListViewTest, RowsShowTheirCaptionsAndSubItemsAndSurviveRecreation) {
    int record = 0;
    TListItem* a = AddRow("a.txt", "1KB");
    AddRow("b.txt", "2KB")->SetData(&record);
    a->SetSelected(true);
    List.Columns()[1]->SetAlignment(taRightJustify);
    EXPECT_EQ(WindowText(0, 0), "a.txt");
    EXPECT_EQ(WindowText(1, 1), "2KB");

    List.SetMultiSelect(true); // a new window
    EXPECT_EQ(ListView_GetItemCount(List.Handle()), 2);
    EXPECT_EQ(WindowText(1, 0), "b.txt");
    EXPECT_EQ(List.Items()[1]->Data(), &record);
    EXPECT_EQ(List.Selected(), a);
    EXPECT_EQ(List.Columns().Count(), 2);
    EXPECT_EQ(List.Columns()[1]->Width(), 150);
    EXPECT_EQ(List.Columns()[1]->Alignment(), taRightJustify);
}

TEST_F(ListViewTest, ClickingARowRaisesOnChangeThroughCNNotify) {
    AddRow("first");
    TListItem* second = AddRow("second");
    std::vector<std::string> changes;
    List.OnChange = [&](TObject* Sender, TListItem* Item, TItemChange Change) {
        EXPECT_EQ(Sender, &List);
        if (Change == ctState)
            changes.push_back(Item->Caption());
    };
    RECT r{};
    ListView_GetItemRect(List.Handle(), 1, &r, LVIR_LABEL);
    // As the user clicks: press and release through the platform's input, in one call.
    ClickAt(List.ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    PumpMessages();
    EXPECT_EQ(List.Selected(), second);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), "second");
}

TEST_F(ListViewTest, HitTestsUseRealCoordinates) {
    AddRow("first");
    TListItem* second = AddRow("second");
    RECT r{};
    ListView_GetItemRect(List.Handle(), 1, &r, LVIR_LABEL);
    EXPECT_EQ(List.GetItemAt(r.left + 2, (r.top + r.bottom) / 2), second);
    EXPECT_EQ(List.GetItemAt(r.left + 2, 280), nullptr);
}

TEST_F(ListViewTest, SelectionDropHighlightAndNextItem) {
    List.SetMultiSelect(true);
    TListItem* a = AddRow("a");
    TListItem* b = AddRow("b");
    TListItem* c = AddRow("c");
    List.SetSelected(a);
    List.SetSelected(c); // in a multi-select list the others stay selected
    EXPECT_EQ(List.SelCount(), 2);
    EXPECT_EQ(List.GetNextItem(nullptr, sdAll, isSelected), a);
    EXPECT_EQ(List.GetNextItem(a, sdAll, isSelected), c);
    EXPECT_EQ(List.GetNextItem(c, sdAll, isSelected), nullptr);
    List.SetSelected(nullptr);
    EXPECT_EQ(List.SelCount(), 0);
    EXPECT_EQ(List.Selected(), nullptr);

    List.SetDropTarget(b);
    EXPECT_EQ(List.DropTarget(), b);
    List.SetDropTarget(c);
    EXPECT_EQ(List.DropTarget(), c);
    EXPECT_FALSE(b->DropTarget());
}

TEST_F(ListViewTest, FindCaptionHonoursItsArguments) {
    for (const char* s : {"Alpha", "beta", "Alphabet", "gamma"})
        AddRow(s);
    const auto found = [&](int start, const char* s, bool partial, bool inclusive, bool wrap) {
        TListItem* item = List.FindCaption(start, s, partial, inclusive, wrap);
        return item ? item->Index() : -1;
    };
    EXPECT_EQ(found(0, "ALPHA", false, true, false), 0);   // whole caption, any case
    EXPECT_EQ(found(0, "alpha", false, false, false), -1); // starts after row 0, no wrap
    EXPECT_EQ(found(0, "alpha", false, false, true), 0);   // wraps back to it
    EXPECT_EQ(found(1, "alph", true, true, false), 2);     // partial: a prefix
    EXPECT_EQ(found(0, "alph", false, true, true), -1);    // whole caption only
    EXPECT_EQ(found(3, "BETA", false, true, true), 1);
    EXPECT_EQ(found(0, "", false, true, false), -1);
}

int BySize(TListItem* Item1, TListItem* Item2, LPARAM ParamSort) {
    EXPECT_EQ(ParamSort, 7);
    return std::stoi(Item1->SubItems()[0]) - std::stoi(Item2->SubItems()[0]);
}

TEST_F(ListViewTest, CustomSortOrdersRowsAndWindowAlike) {
    AddRow("c", "30");
    AddRow("a", "10");
    AddRow("b", "20");
    AddRow("a2", "10");
    List.CustomSort(BySize, 7);
    EXPECT_EQ(WindowText(0, 0), "a");
    EXPECT_EQ(WindowText(1, 0), "a2"); // equal keys keep their order
    EXPECT_EQ(WindowText(3, 0), "c");
    EXPECT_EQ(List.Items()[2]->Caption(), "b");
    EXPECT_EQ(List.Items()[2]->Index(), 2);
}

TEST_F(ListViewTest, DeletionColumnClickAndEditing) {
    AddRow("one");
    AddRow("two");
    std::vector<std::string> log;
    List.OnDeletion = [&](TObject*, TListItem* Item) {
        log.push_back("deleted " + Item->Caption());
    };
    List.OnColumnClick = [&](TObject*, TListColumn* Column) {
        log.push_back("clicked " + Column->Caption());
    };
    List.OnEditing = [&](TObject*, TListItem* Item, bool& AllowEdit) {
        log.push_back("editing " + Item->Caption());
        AllowEdit = true;
    };
    List.OnEdited = [&](TObject*, TListItem* Item, std::string& S) {
        log.push_back("edited " + Item->Caption() + " to " + S);
    };

    // The header tells the list of a click; the list tells its parent, which reflects it.
    NMHEADERW click{};
    click.hdr.hwndFrom = ListView_GetHeader(List.Handle());
    click.hdr.idFrom = GetDlgCtrlID(click.hdr.hwndFrom);
    click.hdr.code = HDN_ITEMCLICKW;
    click.iItem = 1;
    SendMessageW(List.Handle(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));

    ASSERT_TRUE(List.Items()[1]->EditCaption());
    EXPECT_TRUE(List.IsEditing());
    SetWindowTextW(ListView_GetEditControl(List.Handle()), L"deux");
    SendMessageW(ListView_GetEditControl(List.Handle()), WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
    EXPECT_EQ(List.Items()[1]->Caption(), "deux");
    EXPECT_EQ(WindowText(1, 0), "deux");

    List.Items().Delete(0);
    List.Items().Clear();
    EXPECT_EQ(log, (std::vector<std::string>{"clicked Size", "editing two", "edited two to deux",
                                             "deleted one", "deleted deux"}));
    EXPECT_EQ(ListView_GetItemCount(List.Handle()), 0);
}

TEST_F(ListViewTest, TenThousandRowsInOneBulkUpdate) {
    // Each half is timed: a cost per row that grows with the rows already there shows as a
    // second half much slower than the first, long before the total gets out of hand.
    double halves[2] = {};
    List.Items().BeginUpdate();
    for (double& half : halves) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 5000; ++i)
            AddRow("file " + std::to_string(i), std::to_string(i));
        half = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
    }
    List.Items().EndUpdate();
    EXPECT_EQ(ListView_GetItemCount(List.Handle()), 10000);
    // The platform's own list takes tens of milliseconds; a few messages per row that cost a
    // window-server round trip each take seconds.
    EXPECT_LT(halves[0] + halves[1], 1000.0);
    EXPECT_LT(halves[1], 3 * halves[0] + 150.0); // room for a busy machine
    std::printf("10,000 rows in a bulk update: %.0f + %.0f ms\n", halves[0], halves[1]);
}

TEST_F(ListViewTest, ClicksAndKeysThatChangeTwentyThousandSelectionsAtOnceTakeNoSeconds) {
    List.SetMultiSelect(true);
    List.Items().BeginUpdate();
    for (int i = 0; i < 20000; ++i)
        AddRow("file " + std::to_string(i));
    List.Items().EndUpdate();
    const auto selected = [&] { return ListView_GetSelectedCount(List.Handle()); };
    const auto rowPoint = [&](int Index) {
        RECT r{};
        ListView_GetItemRect(List.Handle(), Index, &r, LVIR_LABEL);
        return List.ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    // A control that redraws each row it changes takes seconds here: a window-server round trip
    // per row.
    const auto timed = [](const char* What, const std::function<void()>& Act) {
        const auto start = std::chrono::steady_clock::now();
        Act();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        EXPECT_LT(ms, 1000.0) << What;
        std::printf("%s: %.0f ms\n", What, ms);
    };
    List.SetFocus();
    timed("select all", [&] { List.SelectAll(); });
    EXPECT_EQ(selected(), 20000u);
    timed("click on one of the selected rows", [&] { ClickAt(rowPoint(2)); });
    EXPECT_EQ(selected(), 1u);
    EXPECT_EQ(List.Selected(), List.Items()[2]);

    List.SelectAll();
    List.Items()[5]->SetSelected(false);
    timed("click on the one row not selected", [&] { ClickAt(rowPoint(5)); });
    EXPECT_EQ(selected(), 1u);
    EXPECT_EQ(List.Selected(), List.Items()[5]);

    List.SelectAll();
    timed("Down", [&] { PressKeys({VK_DOWN}); });
    EXPECT_EQ(selected(), 1u);
    timed("Shift+End", [&] { PressChord(VK_SHIFT, VK_END); });
    EXPECT_GT(selected(), 19000u);
}

} // namespace
