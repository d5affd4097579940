#include "controls/Label.h"

#include "identifiers/WideText.h"

#include <cwctype>

namespace {

DWORD AlignmentStyle(TAlignment Alignment) {
    switch (Alignment) {
    case taRightJustify:
        return SS_RIGHT;
    case taCenter:
        return SS_CENTER;
    case taLeftJustify:
        break;
    }
    // One line, cut at the edge rather than wrapped out of sight below a label's height.
    return SS_LEFTNOWORDWRAP;
}

} // namespace

wchar_t CaptionAccessKey(const std::string& Caption) {
    const std::wstring text = Utf8ToWide(Caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&')
            return static_cast<wchar_t>(std::towupper(text[i + 1]));
        ++i; // "&&" is a literal ampersand
    }
    return 0;
}

const TClassInfo& TLabel::StaticClassInfo() {
    using T = TLabel;
    static const std::vector<std::string_view> republished = {
        "Name",           "Left",     "Top",     "Width",     "Height",      "Caption",
        "Color",          "Enabled",  "Font",    "Hint",      "ParentColor", "ParentFont",
        "ParentShowHint", "ShowHint", "Visible", "PopupMenu", "OnMouseDown", "OnMouseUp",
        "OnDblClick",
    };
    static const TClassInfo info{
        .ClassName = "TLabel",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TLabel>,
        .Properties =
            {
                EnumProperty("Alignment", "TAlignment", &T::Alignment, &T::SetAlignment,
                             {"taLeftJustify", "taRightJustify", "taCenter"}, taLeftJustify),
                ComponentProperty("FocusControl", "TWinControl", &T::FocusControl,
                                  &T::SetFocusControl),
            },
        .Messages = {MessageHandler<CN_CTLCOLORSTATIC, &T::CNCtlColor>()},
        .Republished = republished,
    };
    return info;
}

TLabel::TLabel(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 65, 13);
    SetParentColor(true);
}

TLabel::~TLabel() {
    DestroyHandle();
}

void TLabel::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = L"STATIC";
    Params.Style |= AlignmentStyle(m_Alignment);
}

void TLabel::SetAlignment(TAlignment Value) {
    if (Value == m_Alignment)
        return;
    m_Alignment = Value;
    RecreateWnd();
}

void TLabel::SetFocusControl(TWinControl* Value) {
    ReferTo(m_FocusControl, Value);
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == m_FocusControl)
        m_FocusControl = nullptr;
}

bool TLabel::DialogChar(wchar_t Key) {
    const wchar_t mine = CaptionAccessKey(Caption());
    if (!m_FocusControl || !mine || mine != static_cast<wchar_t>(std::towupper(Key)))
        return false;
    HWND target = m_FocusControl->WindowHandle();
    if (target && IsWindowEnabled(target) && IsWindowVisible(target))
        m_FocusControl->SetFocus();
    return true;
}
