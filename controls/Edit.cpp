#include "controls/Edit.h"

#include "identifiers/WideText.h"

const TClassInfo& TEdit::StaticClassInfo() {
    using T = TEdit;
    static const TClassInfo info{
        .ClassName = "TEdit",
        .Parent = &TWinControl::StaticClassInfo(),
        .Create = ConstructComponent<TEdit>,
        .Properties =
            {
                // Taken by Tab unless told otherwise.
                BooleanProperty("TabStop", &T::TabStop, &T::SetTabStop, true),
                IntegerProperty("MaxLength", &T::MaxLength, &T::SetMaxLength, 0),
                StringProperty("Text", &T::Text, &T::SetText, std::string()),
                EventProperty("OnChange", &T::OnChange),
            },
        .Messages = {MessageHandler<CN_COMMAND, &T::CNCommand>()},
        .Republished = FieldProperties(),
    };
    return info;
}

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetBorderStyle(bsSingle);
    SetTabStop(true);
}

TEdit::~TEdit() {
    DestroyHandle();
}

void TEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = L"EDIT";
    Params.Style |= ES_AUTOHSCROLL;
}

void TEdit::CreateWnd() {
    TWinControl::CreateWnd();
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_LIMITTEXT, m_iMaxLength, 0);
}

// What the user typed outlives the window.
void TEdit::DestroyWnd() {
    TWinControl::SetCaption(WideToUtf8(WindowText()));
    TWinControl::DestroyWnd();
}

std::wstring TEdit::WindowText() const {
    HWND window = WindowHandle();
    if (!window)
        return Utf8ToWide(Caption());
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data());
}

void TEdit::SetWindowText(const std::wstring& Value) {
    TWinControl::SetCaption(WideToUtf8(Value));
}

std::string TEdit::Text() const {
    return WideToUtf8(WindowText());
}

void TEdit::SetText(const std::string& Value) {
    SetWindowText(Utf8ToWide(Value));
}

void TEdit::SetMaxLength(int Value) {
    if (Value < 0)
        return;
    m_iMaxLength = Value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_LIMITTEXT, Value, 0);
}

void TEdit::SelectAll() {
    SetSel(0, -1);
}

int TEdit::SelStart() const {
    DWORD start = 0;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TEdit::SelLength() const {
    DWORD start = 0, end = 0;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TEdit::SetSel(int Start, int Length) {
    if (HWND window = Handle())
        SendMessageW(window, EM_SETSEL, Start, Length < 0 ? -1 : Start + Length);
}

void TEdit::CNCommand(TMessage& Message) {
    if (Message.NotifyCode() == EN_CHANGE) {
        // Keeping the text as the window goes is no change.
        if (OnChange && !DestroyingHandle())
            OnChange(this);
        return;
    }
    Inherited(Message);
}
