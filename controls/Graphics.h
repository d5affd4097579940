#pragma once

#include <windows.h>

#include <string>

// Colours: an RGB value, or a system colour (clSystemColor | COLOR_* index) resolved when drawn.
using TColor = int;
constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000);
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

COLORREF ColorToRGB(TColor Color);

// Mouse cursors shown over a control (crDefault: the window class's own).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;

// A font: the handle is borrowed (the stock GUI font unless set), never deleted here.
struct TFont {
    HFONT Handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    TColor Color = clWindowText;
};

enum TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWindow;
    TBrushStyle Style = bsSolid;
};

// Drawing on a device context the canvas does not own (an owner-drawn item's, for instance).
// It creates no GDI object: fills use the DC brush, and the font selected into the context is
// put back when the canvas lets go of it.
class TCanvas {
public:
    TCanvas() = default;
    ~TCanvas() { SetHandle(nullptr); }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return m_hDC; }
    // Takes the context (nullptr lets go of the current one, restoring what it changed).
    void SetHandle(HDC Value);

    TFont Font;
    TBrush Brush;

    void FillRect(const RECT& Rect);
    void DrawFocusRect(const RECT& Rect);
    void TextOut(int X, int Y, const std::string& Text);
    int TextWidth(const std::string& Text);
    int TextHeight(const std::string& Text);

private:
    void SelectFont();
    SIZE TextExtent(const std::string& Text);

    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
};
