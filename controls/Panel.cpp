#include "controls/Panel.h"

#include "identifiers/WideText.h"

namespace {

// Draws one bevel inside Rect and moves Rect in past it.
void DrawBevel(HDC DC, RECT& Rect, TPanelBevel Bevel) {
    if (Bevel == bvNone)
        return;
    const bool lowered = Bevel == bvLowered;
    DrawEdgeLines(DC, Rect, lowered ? clBtnShadow : clBtnHighlight,
                  lowered ? clBtnHighlight : clBtnShadow);
    InflateRect(&Rect, -1, -1);
}

} // namespace

const TClassInfo& TPanel::StaticClassInfo() {
    using T = TPanel;
    static const std::vector<std::string_view> republished = {
        "Name",     "Left",        "Top",         "Width",          "Height",
        "Align",    "Caption",     "Color",       "Enabled",        "Font",
        "Hint",     "ParentColor", "ParentFont",  "ParentShowHint", "PopupMenu",
        "ShowHint", "Visible",     "OnMouseDown", "OnMouseUp",      "OnDblClick",
    };
    static const std::vector<std::string> bevels = {"bvNone", "bvLowered", "bvRaised"};
    static const TClassInfo info{
        .ClassName = "TPanel",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TPanel>,
        .Properties =
            {
                EnumProperty("BevelInner", "TPanelBevel", &T::BevelInner, &T::SetBevelInner, bevels,
                             bvNone),
                EnumProperty("BevelOuter", "TPanelBevel", &T::BevelOuter, &T::SetBevelOuter, bevels,
                             bvRaised),
            },
        .Messages = {MessageHandler<WM_PAINT, &T::WMPaint>()},
        .Republished = republished,
    };
    return info;
}

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 185, 41);
    SetParentColor(true);
}

TPanel::~TPanel() {
    DestroyHandle();
}

// Tab goes into the panel's controls as if they were the form's own.
void TPanel::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::SetBevelInner(TPanelBevel Value) {
    m_BevelInner = Value;
    Invalidate();
}

void TPanel::SetBevelOuter(TPanelBevel Value) {
    m_BevelOuter = Value;
    Invalidate();
}

void TPanel::WMPaint(TMessage&) {
    TPaintScope paint(WindowHandle());
    const HDC dc = paint.DC();
    RECT r = ClientRect();
    DrawBevel(dc, r, m_BevelOuter);
    DrawBevel(dc, r, m_BevelInner);
    if (Caption().empty())
        return;
    const HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    std::wstring text = Utf8ToWide(Caption());
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
}
