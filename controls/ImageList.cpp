#include "controls/ImageList.h"

const TClassInfo& TImageList::StaticClassInfo() {
    using T = TImageList;
    static const TClassInfo info{
        .ClassName = "TImageList",
        .Parent = &TComponent::StaticClassInfo(),
        .Create = ConstructComponent<TImageList>,
        .Properties =
            {
                BooleanProperty("ShareImages", &T::ShareImages, &T::SetShareImages, false),
                EnumProperty("DrawingStyle", "TDrawingStyle", &T::DrawingStyle, &T::SetDrawingStyle,
                             {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"}, dsNormal),
                IntegerProperty("BlendColor", &T::BlendColor, &T::SetBlendColor, clNone),
            },
        .Messages = {},
    };
    return info;
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
    SetHandle(nullptr);
}

void TImageList::SetHandle(HIMAGELIST Value) {
    if (Value == m_hImageList)
        return;
    if (m_hImageList && !m_bShareImages)
        ImageList_Destroy(m_hImageList);
    m_hImageList = Value;
}

int TImageList::Width() const {
    int cx = 0, cy = 0;
    if (m_hImageList)
        ImageList_GetIconSize(m_hImageList, &cx, &cy);
    return cx;
}

int TImageList::Height() const {
    int cx = 0, cy = 0;
    if (m_hImageList)
        ImageList_GetIconSize(m_hImageList, &cx, &cy);
    return cy;
}

int TImageList::Count() const {
    return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0;
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index) {
    if (!m_hImageList || !Canvas.Handle() || Index < 0)
        return;
    UINT style = ILD_NORMAL;
    if (m_DrawingStyle == dsSelected)
        style = ILD_SELECTED;
    else if (m_DrawingStyle == dsFocus)
        style = ILD_FOCUS;
    else if (m_DrawingStyle == dsTransparent)
        style = ILD_TRANSPARENT;
    const COLORREF blend = m_BlendColor == clNone ? CLR_DEFAULT : ColorToRGB(m_BlendColor);
    ImageList_DrawEx(m_hImageList, Index, Canvas.Handle(), X, Y, 0, 0, CLR_DEFAULT, blend, style);
}
