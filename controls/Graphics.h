#pragma once

#include "components/Events.h"
#include "components/Persistent.h"

#include "identifiers/Holders.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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
// The pointer of an edge that moves left and right (a splitter between two panes).
constexpr TCursor crSizeWE = -9;
// The pointer of an edge that moves up and down.
constexpr TCursor crSizeNS = -7;

constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clNavy = 0x800000;

// The colour names form files use.
const std::vector<std::pair<std::string, std::int64_t>>& ColorIdents();
// The cursor names form files use.
const std::vector<std::pair<std::string, std::int64_t>>& CursorIdents();

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// A font as a control or a canvas uses it: face name, height (negative: character height in
// pixels), style, colour and character set. While it holds the defaults it draws with the stock
// GUI font; otherwise it makes its own GDI font when first asked and keeps it until it changes.
// Copying copies the attributes (and the colour), never the GDI font.
class TFont : public TPersistent {
public:
    TFont() = default;
    TFont(const TFont& Other) : TPersistent(Other) { Assign(Other); }
    TFont& operator=(const TFont& Other) {
        Assign(Other);
        return *this;
    }

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Takes Other's attributes; tells OnChange when any differs.
    void Assign(const TFont& Other);

    const std::string& Name() const { return m_sName; }
    void SetName(const std::string& Value);
    int Height() const { return m_iHeight; }
    void SetHeight(int Value);
    TFontStyles Style() const { return m_Style; }
    void SetStyle(TFontStyles Value);
    TColor Color() const { return m_Color; }
    void SetColor(TColor Value);
    int Charset() const { return m_iCharset; }
    void SetCharset(int Value);

    // The GDI font to select; owned by this object, valid until the font changes. A face name
    // the platform cannot take (over 31 characters) draws with the stock font.
    HFONT Handle() const;

    // Raised after any attribute changes (the control applies the new font then).
    TNotifyEvent OnChange;

private:
    bool IsStock() const;
    void Changed(bool HandleChanges);

    std::string m_sName = "MS Shell Dlg";
    int m_iHeight = -11;
    TFontStyles m_Style = 0;
    TColor m_Color = clWindowText;
    int m_iCharset = DEFAULT_CHARSET;
    mutable OwnedFont m_hFont;
};

// The lines a shape is drawn with: their colour and width in pixels (0 draws none).
class TPen : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TColor Color() const { return m_Color; }
    void SetColor(TColor Value);
    int Width() const { return m_iWidth; }
    void SetWidth(int Value);

    // Raised after the colour or the width changes (the control repaints then).
    TNotifyEvent OnChange;

private:
    TColor m_Color = clBlack;
    int m_iWidth = 1;
};

// BeginPaint and EndPaint around a WM_PAINT handler, whatever way it leaves.
class TPaintScope {
public:
    explicit TPaintScope(HWND Window) : m_hWindow(Window) { m_hDC = BeginPaint(Window, &m_Paint); }
    ~TPaintScope() { EndPaint(m_hWindow, &m_Paint); }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    HDC DC() const { return m_hDC; }

private:
    HWND m_hWindow;
    PAINTSTRUCT m_Paint{};
    HDC m_hDC = nullptr;
};

// Fills Rect with Color through the DC brush (no GDI object is made).
void FillSolidRect(HDC DC, const RECT& Rect, TColor Color);
// A one-pixel frame inside Rect: TopLeft along the top and left edges, BottomRight along the
// others.
void DrawEdgeLines(HDC DC, const RECT& Rect, TColor TopLeft, TColor BottomRight);

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
