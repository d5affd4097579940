#pragma once

#include "controls/WinControl.h"

// What a bevel draws: a box around its area, a double-line frame, one edge line, or nothing (a
// spacer). Stored as bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer.
enum class TBevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
// Sunk into the form or raised from it. Stored as bsLowered, bsRaised.
enum class TBevelStyle { Lowered, Raised };

// A drawn edge that groups controls on a form; its inside shows the parent's background. It
// takes no focus and sits below the controls it surrounds.
class TBevel : public TWinControl {
public:
    explicit TBevel(TComponent* AOwner);
    ~TBevel() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TBevelShape Shape() const { return m_Shape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return m_Style; }
    void SetStyle(TBevelStyle Value);

    bool StaysBehindSiblings() const override { return true; }

protected:
    void WMPaint(TMessage& Message);
    void WMNCHitTest(TMessage& Message);

private:
    TBevelShape m_Shape = TBevelShape::Box;
    TBevelStyle m_Style = TBevelStyle::Lowered;
};
