#pragma once

#include "controls/WinControl.h"

// A bar between two panes of a form. Aligned to an edge like the pane before it (alLeft unless
// stored otherwise), it sits just past that pane; dragging it with the left button resizes the
// pane, keeping both the pane and what remains for the alClient control at least MinSize.
class TSplitter : public TWinControl {
public:
    explicit TSplitter(TComponent* AOwner);
    ~TSplitter() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int MinSize() const { return m_iMinSize; }
    void SetMinSize(int Value) { m_iMinSize = Value > 0 ? Value : 1; }
    // The pane the splitter resizes: the visible sibling of the same alignment that ends where
    // the splitter begins; nullptr when there is none.
    TWinControl* Pane() const;

protected:
    void WMLButtonDown(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMCaptureChanged(TMessage& Message);

private:
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
    // The pane's size along the splitter's axis, and the client control's.
    int SizeOf(const TWinControl& Control) const;
    static POINT MessagePoint();

    TWinControl* m_Pane = nullptr;
    int m_iMinSize = 30;
    int m_iStartSize = 0;
    int m_iMaxSize = 0;
    POINT m_StartPoint{};
};
