// Drawing entries: the draw message is sent with a 32-bit DIB's context, over an image list of
// solid squares, and the pixels are read back.

#include "ComboTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

void PrintTo(const RECT& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

constexpr int kImages = 40;
constexpr int kWidth = 320;

// Image i is a square of one colour of its own, far from white and from the highlight.
COLORREF SquareColour(int i) {
    return RGB(30 + i * 5, 220 - i * 4, 60 + (i * 37) % 120);
}

HIMAGELIST MakeSquares() {
    // Masked, as the system's lists are: the blend of a selected icon goes through the mask.
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, kImages, 0);
    const std::vector<WORD> opaque(16, 0);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, opaque.data());
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < kImages; ++i) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP square = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const COLORREF c = SquareColour(i);
        const DWORD pixel = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        std::fill_n(static_cast<DWORD*>(bits), 16 * 16, pixel);
        ImageList_Add(list, square, mask);
        DeleteObject(square);
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(mask);
    return list;
}

// What one draw message left in a DIB of one item's size.
struct TPicture {
    int Width = 0;
    int Height = 0;
    std::vector<COLORREF> Pixels;

    COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
    // The first column of row y, from x0 on, holding that colour; -1 when none does.
    int FirstInRow(int y, COLORREF Colour, int x0 = 0) const {
        for (int x = x0; x < Width; ++x)
            if (At(x, y) == Colour)
                return x;
        return -1;
    }
    // The bounds of what is not Background, right of x0.
    RECT Bounds(COLORREF Background, int x0) const {
        RECT r{Width, Height, -1, -1};
        for (int y = 0; y < Height; ++y)
            for (int x = x0; x < Width; ++x)
                if (At(x, y) != Background) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                    r.right = std::max<LONG>(r.right, x + 1);
                    r.bottom = std::max<LONG>(r.bottom, y + 1);
                }
        return r;
    }
    int Count(COLORREF Colour, const RECT& r) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == Colour;
        return n;
    }
};

SIZE CaptionSize(const std::string& Caption) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring wide(Caption.begin(), Caption.end());
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

class ComboDraw : public FakeComboTest {
protected:
    void SetUp() override {
        images = MakeSquares();
        Make();
        // The chain gives levels 1, 2, 4 and 6.
        const OwnedPidl alpha = shell->Pidl("My Computer\\Local Disk (C:)\\Alpha");
        combo->SetCurrentPidl(alpha.Get());
        window = GetSysColor(COLOR_WINDOW);
        highlight = GetSysColor(COLOR_HIGHLIGHT);
    }
    void TearDown() override {
        combo->SetDroppedDown(false);
        FakeComboTest::TearDown();
        ImageList_Destroy(images);
    }

    TPicture Draw(int Index, UINT State) {
        TPicture picture;
        picture.Width = kWidth;
        picture.Height = combo->ItemHeight();
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), picture.Width, -picture.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        // Magenta first, so that what is not drawn shows.
        std::fill_n(static_cast<DWORD*>(bits), picture.Width * picture.Height, 0xFF00FF);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = static_cast<UINT>(Index);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = State;
        dis.hwndItem = combo->Handle();
        dis.hDC = dc;
        dis.rcItem = {0, 0, picture.Width, picture.Height};
        combo->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        GdiFlush();
        for (int i = 0; i < picture.Width * picture.Height; ++i) {
            const DWORD p = static_cast<const DWORD*>(bits)[i];
            picture.Pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return picture;
    }
    const TItemEntry& At(const std::string& Caption) { return *combo->Entry(IndexOf(Caption)); }

    COLORREF window = 0;
    COLORREF highlight = 0;
};

TEST_F(ComboDraw, IconsAreIndentedTenPixelsPerLevelOnlyInTheOpenList) {
    const std::vector<std::pair<std::string, int>> levels = {
        {"Desktop", 1}, {"Zeta", 2}, {"Local Disk (C:)", 4}, {"Alpha", 6}};
    const int middle = 8;
    combo->SetDroppedDown(true);
    ASSERT_TRUE(combo->DroppedState());
    for (const auto& [caption, level] : levels) {
        const TItemEntry& entry = At(caption);
        ASSERT_EQ(entry.iLevel, level);
        const TPicture open = Draw(IndexOf(caption), 0);
        const int x = open.FirstInRow(middle, SquareColour(entry.iImageIndex));
        EXPECT_EQ(x, level * 10) << caption;
        EXPECT_EQ(open.At(x + 15, 0), SquareColour(entry.iImageIndex)) << "drawn at the top";
        // The caption starts an image width and four pixels further.
        const RECT text = open.Bounds(window, x + 16);
        EXPECT_GE(text.left, x + 20) << caption;
        EXPECT_LE(text.left, x + 22) << caption;
        EXPECT_EQ(open.FirstInRow(middle, 0xFF00FF), -1) << "the whole item is painted";

        // The edit portion alone starts at the left edge; with the selected or focus bit it is
        // drawn as its entry.
        const TPicture edit = Draw(IndexOf(caption), ODS_COMBOBOXEDIT);
        EXPECT_EQ(edit.FirstInRow(middle, SquareColour(entry.iImageIndex)), 1) << caption;
        const TPicture editFocused = Draw(IndexOf(caption), ODS_COMBOBOXEDIT | ODS_FOCUS);
        EXPECT_EQ(editFocused.FirstInRow(middle, SquareColour(entry.iImageIndex)), level * 10);
    }
    combo->SetDroppedDown(false);
    for (const auto& [caption, level] : levels) {
        const TPicture closed = Draw(IndexOf(caption), ODS_COMBOBOXEDIT | ODS_FOCUS);
        EXPECT_EQ(closed.FirstInRow(middle, SquareColour(At(caption).iImageIndex)), 1) << caption;
    }
}

TEST_F(ComboDraw, TheSelectedEntryShowsItsBlendedOpenIconAndACaptionBoxOfTheCaptionsSize) {
    const TItemEntry& alpha = At("Alpha");
    const SIZE caption = CaptionSize("Alpha");
    const int boxLeft = 1 + 16 + 4;
    const int boxTop = (combo->ItemHeight() - caption.cy) / 2;
    const RECT box{boxLeft, boxTop, boxLeft + caption.cx, boxTop + caption.cy};

    // What Windows sends for the selected item: selected and focused.
    const TPicture windows = Draw(IndexOf("Alpha"), ODS_SELECTED | ODS_FOCUS);
    // Half the open icon, half the highlight: dithered here, mixed elsewhere; either way the
    // icon's average is halfway.
    const COLORREF open = SquareColour(alpha.iSelImageIndex);
    EXPECT_NE(windows.At(8, 8), open);
    for (int shift : {0, 8, 16}) {
        const auto channel = [shift](COLORREF c) { return static_cast<int>((c >> shift) & 0xFF); };
        int sum = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 1; x < 17; ++x)
                sum += channel(windows.At(x, y));
        EXPECT_NEAR(sum / 256, (channel(open) + channel(highlight)) / 2, 4) << shift;
    }
    EXPECT_EQ(windows.Bounds(window, 17), box) << "the box is exactly the caption's size";
    EXPECT_GT(windows.Count(highlight, box), caption.cx * caption.cy / 2);
    EXPECT_GT(windows.Count(GetSysColor(COLOR_HIGHLIGHTTEXT), box), 0) << "the caption in it";
    const RECT topEdge{box.left, box.top, box.right, box.top + 1};
    EXPECT_LT(windows.Count(highlight, topEdge), caption.cx) << "a focus rectangle around it";

    // What Wine sends for the highlighted item of the open list: selected only. Still the box,
    // so the highlight-text caption stays readable; no focus rectangle.
    const TPicture wine = Draw(IndexOf("Alpha"), ODS_SELECTED);
    EXPECT_EQ(wine.Bounds(window, 17), box);
    EXPECT_EQ(wine.Count(highlight, topEdge), caption.cx);
    EXPECT_GT(wine.Count(GetSysColor(COLOR_HIGHLIGHTTEXT), box), 0);

    // Neither: the normal icon, no highlight anywhere.
    const TPicture plain = Draw(IndexOf("Alpha"), 0);
    EXPECT_EQ(plain.At(8, 8), SquareColour(alpha.iImageIndex));
    EXPECT_EQ(plain.Count(highlight, RECT{0, 0, plain.Width, plain.Height}), 0);
}

TEST_F(ComboDraw, AnItemWithoutAnEntryOnlyFillsItsRectangle) {
    for (int index : {-1, combo->EntryCount(), combo->EntryCount() + 5}) {
        const TPicture picture = Draw(index, ODS_SELECTED);
        const RECT all{0, 0, picture.Width, picture.Height};
        EXPECT_EQ(picture.Count(window, all) + picture.Count(highlight, all),
                  picture.Width * picture.Height)
            << index;
    }
}

} // namespace
