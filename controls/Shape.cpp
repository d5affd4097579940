#include "controls/Shape.h"

#include <algorithm>

const TClassInfo& TShape::StaticClassInfo() {
    using T = TShape;
    static const std::vector<std::string_view> republished = {
        "Name", "Left",           "Top",      "Width",   "Height",      "Align",
        "Hint", "ParentShowHint", "ShowHint", "Visible", "OnMouseDown", "OnMouseUp",
    };
    static const TClassInfo info{
        .ClassName = "TShape",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TShape>,
        .Properties =
            {
                PersistentProperty("Pen", "TPen", &T::Pen),
                EnumProperty("Shape", "TShapeType", &T::Shape, &T::SetShape,
                             {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare",
                              "stEllipse", "stCircle"},
                             TShapeType::Rectangle),
            },
        .Messages = {MessageHandler<WM_PAINT, &T::WMPaint>()},
        .Republished = republished,
    };
    return info;
}

TShape::TShape(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 65, 65);
    SetParentColor(true);
    m_Pen.OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() {
    DestroyHandle();
}

void TShape::SetShape(TShapeType Value) {
    m_Shape = Value;
    Invalidate();
}

void TShape::SetBrushColor(TColor Value) {
    m_BrushColor = Value;
    Invalidate();
}

void TShape::SetBrushStyle(TBrushStyle Value) {
    m_BrushStyle = Value;
    Invalidate();
}

// The pen's lines lie inside the control: a shape as high as its pen is wide is all pen.
void TShape::WMPaint(TMessage&) {
    TPaintScope paint(WindowHandle());
    const HDC dc = paint.DC();
    RECT r = ClientRect();
    const int pen = m_Pen.Width();
    if (m_Shape == TShapeType::Square || m_Shape == TShapeType::RoundSquare ||
        m_Shape == TShapeType::Circle) {
        const int side = std::min(r.right - r.left, r.bottom - r.top);
        r.left += (r.right - r.left - side) / 2;
        r.top += (r.bottom - r.top - side) / 2;
        r.right = r.left + side;
        r.bottom = r.top + side;
    }
    const bool rectangular = m_Shape == TShapeType::Rectangle || m_Shape == TShapeType::Square;
    if (rectangular) {
        if (m_BrushStyle != bsClear)
            FillSolidRect(dc, r, m_BrushColor);
        for (int i = 0; i < pen && r.right > r.left && r.bottom > r.top; ++i) {
            DrawEdgeLines(dc, r, m_Pen.Color(), m_Pen.Color());
            InflateRect(&r, -1, -1);
        }
        return;
    }
    // Curved figures through GDI with the DC pen and brush (no objects made); the DC pen is one
    // pixel wide, so a wider outline is drawn as rings.
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(pen > 0 ? DC_PEN : NULL_PEN));
    const HGDIOBJ oldBrush =
        SelectObject(dc, GetStockObject(m_BrushStyle == bsClear ? NULL_BRUSH : DC_BRUSH));
    SetDCPenColor(dc, ColorToRGB(m_Pen.Color()));
    SetDCBrushColor(dc, ColorToRGB(m_BrushColor));
    const int round = std::min(r.right - r.left, r.bottom - r.top) / 4;
    for (int i = 0; i < std::max(pen, 1); ++i) {
        if (m_Shape == TShapeType::Ellipse || m_Shape == TShapeType::Circle)
            Ellipse(dc, r.left, r.top, r.right, r.bottom);
        else
            RoundRect(dc, r.left, r.top, r.right, r.bottom, round, round);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        InflateRect(&r, -1, -1);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}
