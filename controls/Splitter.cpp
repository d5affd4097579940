#include "controls/Splitter.h"

#include <algorithm>
#include <climits>

const TClassInfo& TSplitter::StaticClassInfo() {
    using T = TSplitter;
    static const std::vector<std::string_view> republished = {
        "Name", "Left", "Top", "Width", "Height", "Align", "Color", "ParentColor", "Visible",
    };
    static const TClassInfo info{
        .ClassName = "TSplitter",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TSplitter>,
        .Properties = {IntegerProperty("MinSize", &T::MinSize, &T::SetMinSize, 30)},
        .Messages =
            {
                MessageHandler<WM_LBUTTONDOWN, &T::WMLButtonDown>(),
                MessageHandler<WM_MOUSEMOVE, &T::WMMouseMove>(),
                MessageHandler<WM_LBUTTONUP, &T::WMLButtonUp>(),
                MessageHandler<WM_CAPTURECHANGED, &T::WMCaptureChanged>(),
            },
        .Republished = republished,
    };
    return info;
}

TSplitter::TSplitter(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 4, 100);
    SetBorderStyle(bsNone);
    SetParentColor(true);
    SetAlign(alLeft);
    SetCursor(crSizeWE);
}

TSplitter::~TSplitter() {
    DestroyHandle();
}

// Where the pointer was when the message being handled was sent, on the screen: the splitter
// moves under the pointer while it is dragged, and the pointer may have gone on since.
POINT TSplitter::MessagePoint() {
    const DWORD at = GetMessagePos();
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

int TSplitter::SizeOf(const TWinControl& Control) const {
    return Horizontal() ? Control.Height() : Control.Width();
}

TWinControl* TSplitter::Pane() const {
    TWinControl* parent = Parent();
    if (!parent || Align() == alNone || Align() == alClient)
        return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TWinControl* c = parent->Controls(i);
        if (c == this || c->Align() != Align() || !c->Visible())
            continue;
        const bool touches = Align() == alLeft    ? c->Left() + c->Width() == Left()
                             : Align() == alRight ? c->Left() == Left() + Width()
                             : Align() == alTop   ? c->Top() + c->Height() == Top()
                                                  : c->Top() == Top() + Height();
        if (touches)
            return c;
    }
    return nullptr;
}

// The drag may grow the pane by what the client control has beyond its own minimum.
void TSplitter::WMLButtonDown(TMessage& Message) {
    m_Pane = Pane();
    if (m_Pane && HandleAllocated()) {
        m_iStartSize = SizeOf(*m_Pane);
        m_iMaxSize = INT_MAX;
        TWinControl* parent = Parent();
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (parent->Controls(i)->Align() == alClient && parent->Controls(i)->Visible())
                m_iMaxSize = m_iStartSize + SizeOf(*parent->Controls(i)) - m_iMinSize;
        m_StartPoint = MessagePoint();
        SetCapture(WindowHandle());
    }
    Inherited(Message);
}

void TSplitter::WMMouseMove(TMessage& Message) {
    if (m_Pane && GetCapture() == WindowHandle()) {
        const POINT now = MessagePoint();
        int moved = Horizontal() ? now.y - m_StartPoint.y : now.x - m_StartPoint.x;
        if (Align() == alRight || Align() == alBottom)
            moved = -moved;
        const int size = std::max(m_iMinSize, std::min(m_iStartSize + moved, m_iMaxSize));
        if (size != SizeOf(*m_Pane)) {
            if (Horizontal())
                m_Pane->SetHeight(size);
            else
                m_Pane->SetWidth(size); // an aligned pane's new size lays out its siblings
        }
    }
    Inherited(Message);
}

void TSplitter::WMLButtonUp(TMessage& Message) {
    if (GetCapture() == WindowHandle())
        ReleaseCapture();
    Inherited(Message);
}

void TSplitter::WMCaptureChanged(TMessage& Message) {
    m_Pane = nullptr;
    Inherited(Message);
}
