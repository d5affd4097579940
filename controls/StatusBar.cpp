#include "controls/StatusBar.h"

#include "identifiers/WideText.h"

#include <commctrl.h>

const TClassInfo& TStatusBar::StaticClassInfo() {
    using T = TStatusBar;
    static const std::vector<std::string_view> republished = {
        "Name",      "Left",       "Top",         "Width",          "Height",     "Align",
        "Color",     "Font",       "Hint",        "ParentShowHint", "ShowHint",   "Visible",
        "PopupMenu", "ParentFont", "OnMouseDown", "OnMouseUp",      "OnDblClick",
    };
    static const TClassInfo info{
        .ClassName = "TStatusBar",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TStatusBar>,
        .Properties = {StringProperty("SimpleText", &T::SimpleText, &T::SetSimpleText,
                                      std::string())},
        .Republished = republished,
    };
    return info;
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 185, 22);
    SetBorderStyle(bsNone);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() {
    DestroyHandle();
}

// The parent's alignment places the bar: the control must not move and size itself.
void TStatusBar::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = STATUSCLASSNAMEW;
    Params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
    TWinControl::CreateWnd();
    if (!HandleAllocated())
        return;
    SendMessageW(WindowHandle(), SB_SIMPLE, TRUE, 0);
    SetSimpleText(m_sSimpleText);
}

void TStatusBar::SetSimpleText(const std::string& Value) {
    m_sSimpleText = Value;
    if (!HandleAllocated())
        return;
    const std::wstring text = Utf8ToWide(Value);
    SendMessageW(WindowHandle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

// In simple mode the bar answers for its one text as its first part (Wine answers nothing when
// asked for it by SB_SIMPLEID).
std::string TStatusBar::ShownText() const {
    if (!HandleAllocated())
        return {};
    const auto length = LOWORD(SendMessageW(WindowHandle(), SB_GETTEXTLENGTHW, 0, 0));
    if (length >= MAX_PATH)
        return m_sSimpleText;
    wchar_t text[MAX_PATH] = {};
    SendMessageW(WindowHandle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    text[MAX_PATH - 1] = L'\0';
    return WideToUtf8(text);
}
