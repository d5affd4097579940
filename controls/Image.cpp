#include "controls/Image.h"

const TClassInfo& TImage::StaticClassInfo() {
    using T = TImage;
    static const TClassInfo info{
        .ClassName = "TImage",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TImage>,
        .Properties =
            {
                BooleanProperty("Center", &T::Center, &T::SetCenter, false),
                PersistentProperty("Picture", "TPicture", &T::Picture),
                BooleanProperty("Stretch", &T::Stretch, &T::SetStretch, false),
            },
        .Messages = {MessageHandler<WM_PAINT, &T::WMPaint>()},
        // A picture has no caption, font, border or colour of its own to store.
        .Republished =
            std::vector<std::string_view>{"Name", "Left", "Top", "Width", "Height", "Align",
                                          "Cursor", "DragMode", "Enabled", "Hint", "ParentShowHint",
                                          "PopupMenu", "ShowHint", "TabStop", "Visible",
                                          "OnDblClick", "OnMouseDown", "OnMouseUp"},
    };
    return info;
}

TImage::TImage(TComponent* AOwner) : TWinControl(AOwner) {
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetParentColor(true);
    SetBounds(0, 0, 105, 105);
    m_Picture.OnChange = [this](TObject*) { Invalidate(); };
}

TImage::~TImage() {
    DestroyHandle();
}

void TImage::SetCenter(bool Value) {
    if (m_bCenter == Value)
        return;
    m_bCenter = Value;
    Invalidate();
}

void TImage::SetStretch(bool Value) {
    if (m_bStretch == Value)
        return;
    m_bStretch = Value;
    Invalidate();
}

RECT TImage::DestRect() const {
    if (m_Picture.Empty())
        return {};
    const RECT client = ClientRect();
    if (m_bStretch)
        return client;
    const int width = m_Picture.Width();
    const int height = m_Picture.Height();
    int left = 0;
    int top = 0;
    if (m_bCenter) {
        left = (client.right - width) / 2;
        top = (client.bottom - height) / 2;
    }
    return {left, top, left + width, top + height};
}

void TImage::WMPaint(TMessage& Message) {
    const TPaintScope paint(WindowHandle());
    const HDC dc = paint.DC();
    if (!dc) {
        Inherited(Message);
        return;
    }
    const RECT dest = DestRect();
    OwnedMemoryDC memory(m_Picture.Empty() ? nullptr : CreateCompatibleDC(dc));
    if (memory) {
        const HGDIOBJ previous = SelectObject(memory.Get(), m_Picture.Handle());
        const int width = dest.right - dest.left;
        const int height = dest.bottom - dest.top;
        if (width == m_Picture.Width() && height == m_Picture.Height()) {
            BitBlt(dc, dest.left, dest.top, width, height, memory.Get(), 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, dest.left, dest.top, width, height, memory.Get(), 0, 0,
                       m_Picture.Width(), m_Picture.Height(), SRCCOPY);
        }
        SelectObject(memory.Get(), previous);
    }
    Message.Result = 0;
}
