#include "controls/Graphics.h"

#include "identifiers/WideText.h"

COLORREF ColorToRGB(TColor Color) {
    if ((Color & clSystemColor) == clSystemColor)
        return GetSysColor(Color & 0xFF);
    return static_cast<COLORREF>(Color) & 0xFFFFFF;
}

void TCanvas::SetHandle(HDC Value) {
    if (m_hDC && m_hOldFont)
        SelectObject(m_hDC, m_hOldFont);
    m_hOldFont = nullptr;
    m_hDC = Value;
}

void TCanvas::SelectFont() {
    if (!m_hDC || !Font.Handle)
        return;
    HGDIOBJ previous = SelectObject(m_hDC, Font.Handle);
    if (!m_hOldFont)
        m_hOldFont = previous;
}

void TCanvas::FillRect(const RECT& Rect) {
    if (!m_hDC || Brush.Style == bsClear)
        return;
    SetDCBrushColor(m_hDC, ColorToRGB(Brush.Color));
    ::FillRect(m_hDC, &Rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TCanvas::DrawFocusRect(const RECT& Rect) {
    if (m_hDC)
        ::DrawFocusRect(m_hDC, &Rect);
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
    if (!m_hDC)
        return;
    SelectFont();
    SetTextColor(m_hDC, ColorToRGB(Font.Color));
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
