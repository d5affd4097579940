#include "controls/Graphics.h"

#include "identifiers/WideText.h"

COLORREF ColorToRGB(TColor Color) {
    if ((Color & clSystemColor) == clSystemColor)
        return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color) & 0xFFFFFF;
}

void FillSolidRect(HDC DC, const RECT& Rect, TColor Color) {
    SetDCBrushColor(DC, ColorToRGB(Color));
    ::FillRect(DC, &Rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawEdgeLines(HDC DC, const RECT& Rect, TColor TopLeft, TColor BottomRight) {
    const LONG l = Rect.left, t = Rect.top, r = Rect.right, b = Rect.bottom;
    if (r <= l || b <= t)
        return;
    FillSolidRect(DC, {l, t, r, t + 1}, TopLeft);
    FillSolidRect(DC, {l, t, l + 1, b}, TopLeft);
    FillSolidRect(DC, {l, b - 1, r, b}, BottomRight);
    FillSolidRect(DC, {r - 1, t, r, b}, BottomRight);
}

const TClassInfo& TPen::StaticClassInfo() {
    using T = TPen;
    static const TClassInfo info{
        .ClassName = "TPen",
        .Parent = &TPersistent::StaticClassInfo(),
        .Properties =
            {
                IntegerProperty("Color", &T::Color, &T::SetColor, clBlack, ColorIdents()),
                IntegerProperty("Width", &T::Width, &T::SetWidth, 1),
            },
    };
    return info;
}

void TPen::SetColor(TColor Value) {
    if (Value == m_Color)
        return;
    m_Color = Value;
    if (OnChange)
        OnChange(this);
}

void TPen::SetWidth(int Value) {
    if (Value < 0 || Value == m_iWidth)
        return;
    m_iWidth = Value;
    if (OnChange)
        OnChange(this);
}

void TCanvas::SetHandle(HDC Value) {
    if (m_hDC && m_hOldFont)
        SelectObject(m_hDC, m_hOldFont);
    m_hOldFont = nullptr;
    m_hDC = Value;
}

void TCanvas::SelectFont() {
    if (!m_hDC || !Font.Handle())
        return;
    HGDIOBJ previous = SelectObject(m_hDC, Font.Handle());
    if (!m_hOldFont)
        m_hOldFont = previous;
}

void TCanvas::FillRect(const RECT& Rect) {
    if (m_hDC && Brush.Style != bsClear)
        FillSolidRect(m_hDC, Rect, Brush.Color);
}

void TCanvas::DrawFocusRect(const RECT& Rect) {
    if (m_hDC)
        ::DrawFocusRect(m_hDC, &Rect);
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    if (!m_hDC)
        return;
    SelectFont();
    SetTextColor(m_hDC, ColorToRGB(Font.Color()));
    if (Brush.Style == bsClear) {
        SetBkMode(m_hDC, TRANSPARENT);
    } else {
        SetBkMode(m_hDC, OPAQUE);
        SetBkColor(m_hDC, ColorToRGB(Brush.Color));
    }
    const std::wstring wide = Utf8ToWide(Text);
    ExtTextOutW(m_hDC, X, Y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& Text) {
    SIZE size{};
    if (!m_hDC)
        return size;
    SelectFont();
    const std::wstring wide = Utf8ToWide(Text);
    GetTextExtentPoint32W(m_hDC, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

int TCanvas::TextWidth(const std::string& Text) {
    return TextExtent(Text).cx;
}

int TCanvas::TextHeight(const std::string& Text) {
    return TextExtent(Text).cy;
}

const std::vector<std::pair<std::string, std::int64_t>>& ColorIdents() {
    static const std::vector<std::pair<std::string, std::int64_t>> idents = {
        {"clBlack", clBlack},
        {"clWhite", clWhite},
        {"clRed", clRed},
        {"clGreen", clGreen},
        {"clBlue", clBlue},
        {"clYellow", clYellow},
        {"clSilver", clSilver},
        {"clGray", clGray},
        {"clNavy", clNavy},
        {"clNone", clNone},
        {"clWindow", clWindow},
        {"clWindowText", clWindowText},
        {"clBtnFace", clBtnFace},
        {"clBtnText", clBtnText},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clGrayText", clGrayText},
    };
    return idents;
}

const std::vector<std::pair<std::string, std::int64_t>>& CursorIdents() {
    static const std::vector<std::pair<std::string, std::int64_t>> idents = {
        {"crDefault", crDefault}, {"crArrow", crArrow},         {"crCross", -3},
        {"crIBeam", -4},          {"crHourGlass", crHourGlass}, {"crNo", -18},
        {"crAppStart", -19},      {"crHandPoint", -21},         {"crSizeNS", crSizeNS},
        {"crSizeWE", crSizeWE},
    };
    return idents;
}

const TClassInfo& TFont::StaticClassInfo() {
    using T = TFont;
    static const TClassInfo info{
        .ClassName = "TFont",
        .Parent = &TPersistent::StaticClassInfo(),
        .Properties =
            {
                IntegerProperty("Charset", &T::Charset, &T::SetCharset, DEFAULT_CHARSET),
                IntegerProperty("Color", &T::Color, &T::SetColor, clWindowText, ColorIdents()),
                IntegerProperty("Height", &T::Height, &T::SetHeight, -11),
                StringProperty("Name", &T::Name, &T::SetName, std::string("MS Shell Dlg")),
                SetProperty("Style", "TFontStyles", &T::Style, &T::SetStyle,
                            {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}),
            },
    };
    return info;
}

void TFont::Assign(const TFont& Other) {
    if (this == &Other)
        return;
    const bool handle = m_sName != Other.m_sName || m_iHeight != Other.m_iHeight ||
                        m_Style != Other.m_Style || m_iCharset != Other.m_iCharset;
    const bool color = m_Color != Other.m_Color;
    if (!handle && !color)
        return;
    m_sName = Other.m_sName;
    m_iHeight = Other.m_iHeight;
    m_Style = Other.m_Style;
    m_iCharset = Other.m_iCharset;
    m_Color = Other.m_Color;
    Changed(handle);
}

void TFont::SetName(const std::string& Value) {
    if (m_sName != Value) {
        m_sName = Value;
        Changed(true);
    }
}

void TFont::SetHeight(int Value) {
    if (m_iHeight != Value) {
        m_iHeight = Value;
        Changed(true);
    }
}

void TFont::SetStyle(TFontStyles Value) {
    if (m_Style != Value) {
        m_Style = Value;
        Changed(true);
    }
}

void TFont::SetColor(TColor Value) {
    if (m_Color != Value) {
        m_Color = Value;
        Changed(false);
    }
}

void TFont::SetCharset(int Value) {
    if (m_iCharset != Value) {
        m_iCharset = Value;
        Changed(true);
    }
}

bool TFont::IsStock() const {
    return m_sName == "MS Shell Dlg" && m_iHeight == -11 && m_Style == 0 &&
           m_iCharset == DEFAULT_CHARSET;
}

void TFont::Changed(bool HandleChanges) {
    // The old GDI font lives until whoever selected it has been told of the new one.
    OwnedFont old;
    if (HandleChanges)
        old = std::move(m_hFont);
    if (OnChange)
        OnChange(this);
}

HFONT TFont::Handle() const {
    if (IsStock())
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (m_hFont)
        return m_hFont.Get();
    const std::wstring face = Utf8ToWide(m_sName);
    LOGFONTW lf{};
    if (face.size() >= LF_FACESIZE)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    face.copy(lf.lfFaceName, face.size());
    lf.lfHeight = m_iHeight;
    lf.lfWeight = (m_Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (m_Style & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (m_Style & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (m_Style & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(m_iCharset);
    lf.lfQuality = DEFAULT_QUALITY;
    m_hFont.Reset(CreateFontIndirectW(&lf));
    return m_hFont ? m_hFont.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
