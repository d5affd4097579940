#include "controls/BitBtn.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kGlyphSize = 16;

struct TStroke {
    float X0, Y0, X1, Y1;
};

float DistanceToStroke(float X, float Y, const TStroke& S) {
    const float dx = S.X1 - S.X0, dy = S.Y1 - S.Y0;
    float t = ((X - S.X0) * dx + (Y - S.Y0) * dy) / (dx * dx + dy * dy);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return std::hypot(X - (S.X0 + t * dx), Y - (S.Y0 + t * dy));
}

// A glyph of thick strokes in one colour, drawn pixel by pixel into an icon so its background
// is the button's own: a check mark for OK, a cross for Cancel.
OwnedIcon MakeGlyph(TBitBtnKind Kind) {
    std::vector<TStroke> strokes;
    COLORREF colour = 0;
    if (Kind == bkOK) {
        strokes = {{2.5f, 8.5f, 6.0f, 12.0f}, {6.0f, 12.0f, 13.5f, 3.5f}};
        colour = RGB(0, 160, 0);
    } else if (Kind == bkCancel) {
        strokes = {{3.5f, 3.5f, 12.5f, 12.5f}, {12.5f, 3.5f, 3.5f, 12.5f}};
        colour = RGB(200, 0, 0);
    } else {
        return OwnedIcon();
    }
    std::vector<DWORD> pixels(kGlyphSize * kGlyphSize, 0);
    // One bit per pixel, rows padded to 16 bits; a set bit is transparent.
    std::vector<BYTE> mask(kGlyphSize * 2, 0xFF);
    const DWORD bgr = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int y = 0; y < kGlyphSize; ++y)
        for (int x = 0; x < kGlyphSize; ++x)
            for (const TStroke& s : strokes)
                if (DistanceToStroke(x + 0.5f, y + 0.5f, s) <= 1.3f) {
                    pixels[y * kGlyphSize + x] = bgr;
                    mask[y * 2 + x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
                }
    OwnedBitmap colourBits(CreateBitmap(kGlyphSize, kGlyphSize, 1, 32, pixels.data()));
    OwnedBitmap maskBits(CreateBitmap(kGlyphSize, kGlyphSize, 1, 1, mask.data()));
    if (!colourBits || !maskBits)
        return OwnedIcon();
    ICONINFO info{TRUE, 0, 0, maskBits.Get(), colourBits.Get()};
    return OwnedIcon(CreateIconIndirect(&info));
}

const char* KindCaption(TBitBtnKind Kind) {
    switch (Kind) {
    case bkOK:
        return "OK";
    case bkCancel:
        return "Cancel";
    case bkCustom:
        break;
    }
    return "";
}

} // namespace

const TClassInfo& TBitBtn::StaticClassInfo() {
    using T = TBitBtn;
    static const TClassInfo info{
        .ClassName = "TBitBtn",
        .Parent = &TButton::StaticClassInfo(),
        .Create = ConstructComponent<TBitBtn>,
        .Properties =
            {
                EnumProperty("Kind", "TBitBtnKind", &T::Kind, &T::SetKind,
                             {"bkCustom", "bkOK", "bkCancel"}, bkCustom),
            },
    };
    return info;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {}

TBitBtn::~TBitBtn() {
    DestroyHandle();
}

void TBitBtn::SetKind(TBitBtnKind Value) {
    const TBitBtnKind old = m_Kind;
    m_Kind = Value;
    if (Value != bkCustom) {
        SetDefault(Value == bkOK);
        SetCancel(Value == bkCancel);
        SetModalResult(Value == bkOK ? mrOk : mrCancel);
        // A caption the form file stored (read before the kind) stays; so does one set in code.
        const bool ownCaption = InState(csLoading)
                                    ? !Caption().empty()
                                    : !Caption().empty() && Caption() != KindCaption(old);
        if (!ownCaption)
            SetCaption(KindCaption(Value));
    }
    m_hGlyph = MakeGlyph(Value);
    ApplyGlyph();
}

void TBitBtn::CreateWnd() {
    TButton::CreateWnd();
    ApplyGlyph();
}

// The button draws the glyph beside its caption itself, with its pressed look and focus
// rectangle; it only borrows the icon, which stays ours.
void TBitBtn::ApplyGlyph() {
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETIMAGE, IMAGE_ICON,
                     reinterpret_cast<LPARAM>(m_hGlyph.Get()));
}
