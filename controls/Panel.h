#pragma once

#include "controls/WinControl.h"

// The edges of a panel: none, sunk or raised. Stored as bvNone, bvLowered, bvRaised.
enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A container for other controls (form files nest them in it), framed by an outer and an inner
// bevel, with an optional caption centred in it. It takes no focus itself.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* AOwner);
    ~TPanel() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TPanelBevel BevelInner() const { return m_BevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel BevelOuter() const { return m_BevelOuter; }
    void SetBevelOuter(TPanelBevel Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMPaint(TMessage& Message);

private:
    TPanelBevel m_BevelInner = bvNone;
    TPanelBevel m_BevelOuter = bvRaised;
};
