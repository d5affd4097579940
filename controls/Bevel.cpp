#include "controls/Bevel.h"

const TClassInfo& TBevel::StaticClassInfo() {
    using T = TBevel;
    static const std::vector<std::string_view> republished = {
        "Name",  "Left",           "Top",  "Width",    "Height",
        "Align", "ParentShowHint", "Hint", "ShowHint", "Visible",
    };
    static const TClassInfo info{
        .ClassName = "TBevel",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TBevel>,
        .Properties =
            {
                EnumProperty("Shape", "TBevelShape", &T::Shape, &T::SetShape,
                             {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine",
                              "bsRightLine", "bsSpacer"},
                             TBevelShape::Box),
                EnumProperty("Style", "TBevelStyle", &T::Style, &T::SetStyle,
                             {"bsLowered", "bsRaised"}, TBevelStyle::Lowered),
            },
        .Messages =
            {
                MessageHandler<WM_PAINT, &T::WMPaint>(),
                MessageHandler<WM_NCHITTEST, &T::WMNCHitTest>(),
            },
        .Republished = republished,
    };
    return info;
}

TBevel::TBevel(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 50, 50);
    SetParentColor(true);
}

TBevel::~TBevel() {
    DestroyHandle();
}

void TBevel::SetShape(TBevelShape Value) {
    m_Shape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    m_Style = Value;
    Invalidate();
}

// A bevel is decoration: clicks go through it to the form.
void TBevel::WMNCHitTest(TMessage& Message) {
    Message.Result = HTTRANSPARENT;
}

void TBevel::WMPaint(TMessage&) {
    TPaintScope paint(WindowHandle());
    const HDC dc = paint.DC();
    const RECT r = ClientRect();
    const bool lowered = m_Style == TBevelStyle::Lowered;
    const TColor first = lowered ? clBtnShadow : clBtnHighlight;
    const TColor second = lowered ? clBtnHighlight : clBtnShadow;
    switch (m_Shape) {
    case TBevelShape::Box:
        DrawEdgeLines(dc, r, first, second);
        break;
    case TBevelShape::Frame:
        // Two boxes a pixel apart make the etched (or bumped) line.
        DrawEdgeLines(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, first, first);
        DrawEdgeLines(dc, {r.left + 1, r.top + 1, r.right, r.bottom}, second, second);
        break;
    case TBevelShape::TopLine:
        FillSolidRect(dc, {r.left, r.top, r.right, r.top + 1}, first);
        FillSolidRect(dc, {r.left, r.top + 1, r.right, r.top + 2}, second);
        break;
    case TBevelShape::BottomLine:
        FillSolidRect(dc, {r.left, r.bottom - 2, r.right, r.bottom - 1}, first);
        FillSolidRect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, second);
        break;
    case TBevelShape::LeftLine:
        FillSolidRect(dc, {r.left, r.top, r.left + 1, r.bottom}, first);
        FillSolidRect(dc, {r.left + 1, r.top, r.left + 2, r.bottom}, second);
        break;
    case TBevelShape::RightLine:
        FillSolidRect(dc, {r.right - 2, r.top, r.right - 1, r.bottom}, first);
        FillSolidRect(dc, {r.right - 1, r.top, r.right, r.bottom}, second);
        break;
    case TBevelShape::Spacer:
        break;
    }
}
