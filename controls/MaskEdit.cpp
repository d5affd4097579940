#include "controls/MaskEdit.h"

#include "identifiers/WideText.h"

#include <algorithm>

namespace {

constexpr char kDigitsMask[] = "999;1;_";
constexpr int kPositions = 3;
constexpr wchar_t kBlank = L'_';

bool IsDigit(wchar_t C) {
    return C >= L'0' && C <= L'9';
}

// Up to three positions from stored or typed text: digits stay, spaces and blanks are blank.
// False when the text holds anything else or is too long.
bool ToPositions(const std::wstring& Text, std::wstring& Positions) {
    if (Text.size() > static_cast<std::size_t>(kPositions))
        return false;
    Positions.assign(kPositions, kBlank);
    for (std::size_t i = 0; i < Text.size(); ++i) {
        if (IsDigit(Text[i]))
            Positions[i] = Text[i];
        else if (Text[i] != L' ' && Text[i] != kBlank)
            return false;
    }
    return true;
}

std::wstring ClipboardText(HWND Owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(Owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

const TClassInfo& TMaskEdit::StaticClassInfo() {
    using T = TMaskEdit;
    static const TClassInfo info{
        .ClassName = "TMaskEdit",
        .Parent = &TEdit::StaticClassInfo(),
        .Create = ConstructComponent<TMaskEdit>,
        .Properties =
            {
                [] {
                    TPropInfo mask =
                        StringProperty("EditMask", &T::EditMask, &T::SetEditMask, std::string());
                    // A mask this control cannot keep is an error in the form file, not a
                    // plain text box in its place.
                    mask.Write = [](TPersistent& c, const TPropValue& v) {
                        const std::string* s = std::get_if<std::string>(&v);
                        return s && static_cast<T&>(c).TrySetEditMask(*s);
                    };
                    return mask;
                }(),
            },
        .Messages =
            {
                MessageHandler<WM_CHAR, &T::WMChar>(),
                MessageHandler<WM_KEYDOWN, &T::WMKeyDown>(),
                MessageHandler<WM_PASTE, &T::WMPaste>(),
                MessageHandler<WM_CUT, &T::WMCut>(),
                MessageHandler<WM_CLEAR, &T::WMClear>(),
                MessageHandler<WM_UNDO, &T::WMUndo>(),
                MessageHandler<EM_UNDO, &T::WMUndo>(),
            },
    };
    return info;
}

TMaskEdit::TMaskEdit(TComponent* AOwner) : TEdit(AOwner) {}

TMaskEdit::~TMaskEdit() {
    DestroyHandle();
}

bool TMaskEdit::TrySetEditMask(const std::string& Value) {
    if (!Value.empty() && Value != kDigitsMask)
        return false;
    if (Value == m_sEditMask)
        return true;
    // What the box held so far goes into the positions where it fits, else they start blank.
    std::wstring positions;
    if (!ToPositions(WindowText(), positions))
        positions.assign(kPositions, kBlank);
    m_sEditMask = Value;
    if (Masked()) {
        TEdit::SetMaxLength(kPositions);
        SetWindowText(positions);
    } else {
        std::replace(positions.begin(), positions.end(), kBlank, L' ');
        SetWindowText(positions);
    }
    return true;
}

std::string TMaskEdit::Text() const {
    if (!Masked())
        return TEdit::Text();
    std::wstring positions = Positions();
    std::replace(positions.begin(), positions.end(), kBlank, L' ');
    return WideToUtf8(positions);
}

void TMaskEdit::SetText(const std::string& Value) {
    if (!Masked()) {
        TEdit::SetText(Value);
        return;
    }
    std::wstring positions;
    if (ToPositions(Utf8ToWide(Value), positions))
        SetWindowText(positions);
}

void TMaskEdit::SetMaxLength(int Value) {
    TEdit::SetMaxLength(Masked() ? kPositions : Value);
}

std::wstring TMaskEdit::Positions() const {
    std::wstring positions;
    if (!ToPositions(WindowText(), positions))
        positions.assign(kPositions, kBlank);
    return positions;
}

void TMaskEdit::ShowPositions(const std::wstring& Positions, int Caret) {
    SetWindowText(Positions);
    SetSel(Caret, 0);
}

void TMaskEdit::BlankSelectionOr(int Position, int Caret) {
    std::wstring positions = Positions();
    const int start = SelStart(), length = SelLength();
    if (length > 0) {
        for (int i = start; i < std::min(start + length, kPositions); ++i)
            positions[i] = kBlank;
        Caret = start;
    } else if (Position >= 0 && Position < kPositions) {
        positions[Position] = kBlank;
    } else {
        MessageBeep(MB_OK);
        return;
    }
    ShowPositions(positions, std::clamp(Caret, 0, kPositions));
}

void TMaskEdit::WMChar(TMessage& Message) {
    const auto key = static_cast<wchar_t>(Message.WParam);
    // Control characters other than Backspace are the box's commands (copy, paste, select
    // all), which reach the handlers below as their own messages.
    if (!Masked() || (key < L' ' && key != L'\b')) {
        Inherited(Message);
        return;
    }
    Message.Result = 0;
    const int caret = SelStart();
    if (key == L'\b') {
        BlankSelectionOr(caret - 1, caret - 1);
        return;
    }
    if (!IsDigit(key) || caret >= kPositions) {
        MessageBeep(MB_OK);
        return;
    }
    std::wstring positions = Positions();
    for (int i = caret; i < std::min(caret + SelLength(), kPositions); ++i)
        positions[i] = kBlank;
    positions[caret] = key;
    ShowPositions(positions, caret + 1);
}

void TMaskEdit::WMKeyDown(TMessage& Message) {
    if (!Masked() || Message.CharCode() != VK_DELETE) {
        Inherited(Message);
        return;
    }
    Message.Result = 0;
    // Shift+Delete cuts, and the box would do it without a WM_CUT.
    if (GetKeyState(VK_SHIFT) < 0) {
        Perform(WM_CUT, 0, 0);
        return;
    }
    const int caret = SelStart();
    BlankSelectionOr(caret, caret);
}

void TMaskEdit::WMPaste(TMessage& Message) {
    if (!Masked()) {
        Inherited(Message);
        return;
    }
    Message.Result = 0;
    const std::wstring pasted = ClipboardText(WindowHandle());
    const int caret = SelStart();
    const bool digits = !pasted.empty() && std::all_of(pasted.begin(), pasted.end(), IsDigit);
    if (!digits || caret + static_cast<int>(pasted.size()) > kPositions) {
        MessageBeep(MB_OK);
        return;
    }
    std::wstring positions = Positions();
    positions.replace(caret, pasted.size(), pasted);
    ShowPositions(positions, caret + static_cast<int>(pasted.size()));
}

void TMaskEdit::WMCut(TMessage& Message) {
    if (!Masked()) {
        Inherited(Message);
        return;
    }
    Message.Result = 0;
    if (SelLength() == 0)
        return;
    Perform(WM_COPY, 0, 0);
    BlankSelectionOr(-1, SelStart());
}

void TMaskEdit::WMClear(TMessage& Message) {
    if (!Masked()) {
        Inherited(Message);
        return;
    }
    Message.Result = 0;
    if (SelLength() > 0)
        BlankSelectionOr(-1, SelStart());
}

// The box's undo would bring back text the mask never held.
void TMaskEdit::WMUndo(TMessage& Message) {
    if (!Masked()) {
        Inherited(Message);
        return;
    }
    Message.Result = 0;
}
