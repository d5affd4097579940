#include "support/HostWindow.h"

#include "controls/ComboBox.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

// An owner-drawn combo that records what it is asked to draw.
class TDrawingCombo : public TCustomComboBox {
public:
    explicit TDrawingCombo(TComponent* AOwner) : TCustomComboBox(AOwner) {
        SetStyle(csOwnerDrawFixed);
    }
    std::vector<int> Drawn;
    int Changes = 0;
    int TextHeight = 0;
    COLORREF SelectedBrush = 0;

protected:
    void DrawItem(int Index, const RECT& Rect, TOwnerDrawState State) override {
        Drawn.push_back(Index);
        TextHeight = Canvas().TextHeight(Items()[Index]);
        if (State & odSelected)
            SelectedBrush = ColorToRGB(Canvas().Brush.Color);
        TCustomComboBox::DrawItem(Index, Rect, State);
    }
    void Change() override {
        ++Changes;
        TCustomComboBox::Change();
    }
};

class ComboBoxTest : public testing::Test {
protected:
    void SetUp() override {
        Combo.SetBounds(10, 10, 200, 24);
        for (const char* s : {"Desktop", "My Computer", "C:"})
            Combo.Items().Add(s);
        Combo.SetParentWindow(Host.Handle());
        ASSERT_TRUE(Combo.HandleAllocated());
    }
    THostWindow Host;
    TDrawingCombo Combo{nullptr};
};

TEST_F(ComboBoxTest, OwnerDrawnItemsReachCNDrawItem) {
    Combo.SetItemIndex(1);
    InvalidateRect(Combo.Handle(), nullptr, TRUE);
    UpdateWindow(Combo.Handle());
    PumpMessages();
    ASSERT_FALSE(Combo.Drawn.empty());
    EXPECT_EQ(Combo.Drawn.back(), 1); // the closed box shows the selected item
    EXPECT_GT(Combo.TextHeight, 0);
    // The open list draws every item, the selected one on the highlight colour.
    Combo.Drawn.clear();
    Combo.SetDroppedDown(true);
    PumpMessages();
    Combo.SetDroppedDown(false);
    EXPECT_EQ(std::count(Combo.Drawn.begin(), Combo.Drawn.end(), 2), 1);
    EXPECT_EQ(Combo.SelectedBrush, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Combo.Canvas().Handle(), nullptr); // let go after drawing
    EXPECT_EQ(SendMessageW(Combo.Handle(), CB_GETITEMHEIGHT, 0, 0), Combo.ItemHeight());
}

TEST_F(ComboBoxTest, ItemIndexFromCodeIsNoChangeButTheUsersChoiceIs) {
    int events = 0;
    Combo.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Combo);
        ++events;
    };
    Combo.SetItemIndex(0);
    EXPECT_EQ(Combo.ItemIndex(), 0);
    EXPECT_EQ(Combo.Changes, 0);
    SendMessageW(Combo.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Combo.ItemIndex(), 1);
    EXPECT_EQ(Combo.Changes, 1);
    EXPECT_EQ(events, 1);
}

TEST_F(ComboBoxTest, DropDownAndRecreation) {
    Combo.SetItemIndex(2);
    Combo.SetDroppedDown(true);
    EXPECT_TRUE(Combo.DroppedDown());
    Combo.SetDroppedDown(false);
    EXPECT_FALSE(Combo.DroppedDown());
    Combo.RecreateWnd();
    EXPECT_EQ(SendMessageW(Combo.Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(Combo.ItemIndex(), 2);
    Combo.Items().Clear();
    EXPECT_EQ(Combo.ItemIndex(), -1);
}

} // namespace
