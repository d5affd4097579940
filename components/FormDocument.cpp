#include "components/FormDocument.h"

#include <algorithm>

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

TFormValue TFormValue::MakeInteger(std::int64_t Value) {
    TFormValue v;
    v.Kind = TFormValueKind::Integer;
    v.Integer = Value;
    return v;
}

TFormValue TFormValue::MakeBoolean(bool Value) {
    TFormValue v;
    v.Kind = TFormValueKind::Boolean;
    v.Boolean = Value;
    return v;
}

TFormValue TFormValue::MakeString(std::string Value) {
    TFormValue v;
    v.Kind = TFormValueKind::String;
    v.Text = std::move(Value);
    return v;
}

TFormValue TFormValue::MakeIdent(std::string Value) {
    TFormValue v;
    v.Kind = TFormValueKind::Ident;
    v.Text = std::move(Value);
    return v;
}

TFormValue TFormValue::MakeSet(std::vector<std::string> Members) {
    TFormValue v;
    v.Kind = TFormValueKind::Set;
    v.Names = std::move(Members);
    return v;
}

TFormValue TFormValue::MakeList(std::vector<TFormValue> Values) {
    TFormValue v;
    v.Kind = TFormValueKind::List;
    v.Items = std::move(Values);
    return v;
}

TFormValue TFormValue::MakeBinary(std::string Bytes) {
    TFormValue v;
    v.Kind = TFormValueKind::Binary;
    v.Text = std::move(Bytes);
    return v;
}

std::string TFormError::Message() const {
    std::string text =
        Line > 0 ? "line " + std::to_string(Line) : "offset " + std::to_string(Offset);
    text += ": expected " + Expected;
    if (!Name.empty())
        text += " (" + Name + ")";
    return text;
}

bool IsFormIdent(std::string_view Name) {
    if (Name.empty() || Name.size() > kFormMaxName || !IsLetter(Name[0]))
        return false;
    return std::all_of(Name.begin(), Name.end(), [](char c) { return IsLetter(c) || IsDigit(c); });
}

bool IsFormDottedIdent(std::string_view Name) {
    if (Name.empty() || Name.size() > kFormMaxName)
        return false;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = Name.find('.', start);
        if (!IsFormIdent(Name.substr(start, dot == std::string_view::npos ? dot : dot - start)))
            return false;
        if (dot == std::string_view::npos)
            return true;
        start = dot + 1;
    }
}

bool SameFormName(std::string_view A, std::string_view B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(),
                      [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

bool IsFormReservedWord(std::string_view Name) {
    return SameFormName(Name, "True") || SameFormName(Name, "False") || SameFormName(Name, "nil");
}

std::size_t Utf8SequenceLength(std::string_view Bytes, std::size_t Index) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(Bytes[i]); };
    const unsigned char lead = at(Index);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90; // overlong
        if (lead == 0xF4)
            high = 0x8F; // past U+10FFFF
    } else {
        return 0;
    }
    if (Index + length > Bytes.size())
        return 0;
    if (at(Index + 1) < low || at(Index + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (at(Index + i) < 0x80 || at(Index + i) > 0xBF)
            return 0;
    return length;
}

bool IsValidUtf8(std::string_view Bytes) {
    for (std::size_t i = 0; i < Bytes.size();) {
        const std::size_t n = Utf8SequenceLength(Bytes, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}
