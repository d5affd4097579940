#pragma once

#include "controls/WinControl.h"

// The figure a shape draws. Stored as stRectangle, stSquare, stRoundRect, stRoundSquare,
// stEllipse, stCircle.
enum class TShapeType { Rectangle, Square, RoundRect, RoundSquare, Ellipse, Circle };

// A figure drawn on a form with a pen (its outline) and filled with the brush's colour, or left
// open when the brush is bsClear. A thin filled rectangle makes a coloured rule.
class TShape : public TWinControl {
public:
    explicit TShape(TComponent* AOwner);
    ~TShape() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TShapeType Shape() const { return m_Shape; }
    void SetShape(TShapeType Value);
    TPen& Pen() { return m_Pen; }
    // The fill (set in code; form files keep the default white fill).
    TColor BrushColor() const { return m_BrushColor; }
    void SetBrushColor(TColor Value);
    TBrushStyle BrushStyle() const { return m_BrushStyle; }
    void SetBrushStyle(TBrushStyle Value);

    bool StaysBehindSiblings() const override { return true; }

protected:
    void WMPaint(TMessage& Message);

private:
    TShapeType m_Shape = TShapeType::Rectangle;
    TPen m_Pen;
    TColor m_BrushColor = clWhite;
    TBrushStyle m_BrushStyle = bsSolid;
};
