#pragma once

#include "components/Component.h"
#include "controls/Graphics.h"

#include <commctrl.h>

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

// An image list handle with its owner. It destroys the handle it holds unless ShareImages is
// set, as for the shell's system image lists, which belong to the system.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    HIMAGELIST Handle() const { return m_hImageList; }
    // Takes the handle; a handle held before is destroyed unless shared.
    void SetHandle(HIMAGELIST Value);
    bool ShareImages() const { return m_bShareImages; }
    void SetShareImages(bool Value) { m_bShareImages = Value; }
    bool HandleAllocated() const { return m_hImageList != nullptr; }

    int Width() const;
    int Height() const;
    int Count() const;

    // How Draw renders: normal, or blended with BlendColor (selected 50 %, focus 25 %).
    TDrawingStyle DrawingStyle() const { return m_DrawingStyle; }
    void SetDrawingStyle(TDrawingStyle Value) { m_DrawingStyle = Value; }
    TColor BlendColor() const { return m_BlendColor; }
    void SetBlendColor(TColor Value) { m_BlendColor = Value; }
    void Draw(TCanvas& Canvas, int X, int Y, int Index);

private:
    HIMAGELIST m_hImageList = nullptr;
    bool m_bShareImages = false;
    TDrawingStyle m_DrawingStyle = dsNormal;
    TColor m_BlendColor = clNone;
};
