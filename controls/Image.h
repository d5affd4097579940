#pragma once

#include "controls/Picture.h"
#include "controls/WinControl.h"

// Shows a picture: at the top-left of its client area, centred in it (Center), or stretched over
// it (Stretch, which wins over Center). What the picture leaves uncovered shows the control's
// colour, which it takes from its parent. It has no border and takes no focus by default.
class TImage : public TWinControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPicture& Picture() { return m_Picture; }
    const TPicture& Picture() const { return m_Picture; }
    bool Center() const { return m_bCenter; }
    void SetCenter(bool Value);
    bool Stretch() const { return m_bStretch; }
    void SetStretch(bool Value);

    // Where the picture is drawn in the client area (empty for no picture).
    RECT DestRect() const;

protected:
    void WMPaint(TMessage& Message);

private:
    TPicture m_Picture;
    bool m_bCenter = false;
    bool m_bStretch = false;
};
