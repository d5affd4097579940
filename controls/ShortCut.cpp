#include "controls/ShortCut.h"

#include <cctype>
#include <utility>

namespace {

// Keys known by a name rather than the character they type.
constexpr std::pair<WORD, const char*> kNamedKeys[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

constexpr std::pair<TShortCut, const char*> kModifiers[] = {
    {scCtrl, "Ctrl"}, {scShift, "Shift"}, {scAlt, "Alt"}};

bool SameText(const std::string& A, const char* B) {
    return lstrcmpiA(A.c_str(), B) == 0;
}

std::string KeyName(WORD Key) {
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return std::string(1, static_cast<char>(Key));
    if (Key >= VK_F1 && Key <= VK_F24)
        return "F" + std::to_string(Key - VK_F1 + 1);
    for (const auto& [key, name] : kNamedKeys)
        if (key == Key)
            return name;
    return {};
}

WORD KeyOfName(const std::string& Name) {
    if (Name.size() == 1 && std::isalnum(static_cast<unsigned char>(Name[0])))
        return static_cast<WORD>(std::toupper(static_cast<unsigned char>(Name[0])));
    if (Name.size() > 1 && (Name[0] == 'F' || Name[0] == 'f') &&
        Name.find_first_not_of("0123456789", 1) == std::string::npos && Name.size() <= 3) {
        const int n = std::stoi(Name.substr(1));
        if (n >= 1 && n <= 24)
            return static_cast<WORD>(VK_F1 + n - 1);
    }
    for (const auto& [key, name] : kNamedKeys)
        if (SameText(Name, name))
            return key;
    return 0;
}

} // namespace

std::string ShortCutToText(TShortCut ShortCut) {
    const std::string key = KeyName(ShortCut & 0xFF);
    if (key.empty())
        return {};
    std::string text;
    for (const auto& [flag, name] : kModifiers)
        if (ShortCut & flag)
            text += std::string(name) + "+";
    return text + key;
}

TShortCut TextToShortCut(const std::string& Text) {
    TShortCut modifiers = 0;
    size_t start = 0;
    // The last part is the key; "Ctrl++" is not a shortcut this names.
    for (size_t plus; (plus = Text.find('+', start)) != std::string::npos; start = plus + 1) {
        const std::string part = Text.substr(start, plus - start);
        TShortCut flag = 0;
        for (const auto& [bit, name] : kModifiers)
            if (SameText(part, name))
                flag = bit;
        if (!flag)
            return 0;
        modifiers |= flag;
    }
    const WORD key = KeyOfName(Text.substr(start));
    return key ? static_cast<TShortCut>(modifiers | key) : 0;
}

TShortCut ShortCutOfKey(WORD Key) {
    TShortCut shortCut = Key & 0xFF;
    if (GetKeyState(VK_SHIFT) < 0)
        shortCut |= scShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shortCut |= scCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shortCut |= scAlt;
    return shortCut;
}
