#include "components/FormText.h"

#include <cstdint>
#include <limits>
#include <new>
#include <vector>

namespace {

struct TFault {
    TFormError Error;
};

[[noreturn]] void Fail(int Line, std::string Expected, std::string Name) {
    throw TFault{TFormError{0, Line, std::move(Expected), std::move(Name)}};
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// ---------------------------------------------------------------------------------------------
// Reading.

enum class TTokenKind { Ident, Integer, String, Binary, Symbol, End };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    int Line = 0;
    std::string Text; // Ident: the word; String, Binary: the bytes; Symbol: the character
    std::int64_t Integer = 0;
};

class TTokenizer {
public:
    explicit TTokenizer(std::string_view Text) : m_Text(Text) {}

    std::vector<TToken> Tokens() {
        std::vector<TToken> tokens;
        while (true) {
            SkipBlanks();
            TToken token;
            token.Line = m_Line;
            if (m_Pos >= m_Text.size()) {
                tokens.push_back(token);
                return tokens;
            }
            const char c = m_Text[m_Pos];
            if (IsLetter(c)) {
                token.Kind = TTokenKind::Ident;
                const std::size_t start = m_Pos;
                while (m_Pos < m_Text.size() &&
                       (IsLetter(m_Text[m_Pos]) || IsDigit(m_Text[m_Pos]) || m_Text[m_Pos] == '.'))
                    ++m_Pos;
                token.Text = m_Text.substr(start, m_Pos - start);
            } else if (IsDigit(c) || c == '-') {
                token.Kind = TTokenKind::Integer;
                token.Integer = Number();
            } else if (c == '\'' || c == '#') {
                token.Kind = TTokenKind::String;
                token.Text = String();
            } else if (c == '{') {
                token.Kind = TTokenKind::Binary;
                token.Text = Binary();
            } else if (c == '=' || c == ':' || c == '(' || c == ')' || c == '[' || c == ']' ||
                       c == ',') {
                token.Kind = TTokenKind::Symbol;
                token.Text = std::string(1, c);
                ++m_Pos;
            } else {
                Fail(m_Line, "a name, a value or one of = : ( ) [ ] { } ,", "");
            }
            tokens.push_back(std::move(token));
        }
    }

private:
    void SkipBlanks() {
        while (m_Pos < m_Text.size()) {
            const char c = m_Text[m_Pos];
            if (c == '\n')
                ++m_Line;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++m_Pos;
        }
    }

    std::int64_t Number() {
        const bool negative = m_Text[m_Pos] == '-';
        if (negative)
            ++m_Pos;
        if (m_Pos >= m_Text.size() || !IsDigit(m_Text[m_Pos]))
            Fail(m_Line, "digits after '-'", "");
        // Gathered as a negative number, whose range includes the smallest 64-bit integer.
        std::int64_t value = 0;
        constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
        while (m_Pos < m_Text.size() && IsDigit(m_Text[m_Pos])) {
            const int digit = m_Text[m_Pos] - '0';
            if (value < (lowest + digit) / 10)
                Fail(m_Line, "an integer within 64 bits", "");
            value = value * 10 - digit;
            ++m_Pos;
        }
        if (m_Pos < m_Text.size() && IsLetter(m_Text[m_Pos]))
            Fail(m_Line, "a blank or symbol after a number", "");
        if (!negative) {
            if (value == lowest)
                Fail(m_Line, "an integer within 64 bits", "");
            value = -value;
        }
        return value;
    }

    // Quoted parts and #n bytes, side by side.
    std::string String() {
        std::string bytes;
        while (m_Pos < m_Text.size()) {
            const char c = m_Text[m_Pos];
            if (c == '\'') {
                ++m_Pos;
                while (true) {
                    if (m_Pos >= m_Text.size() || m_Text[m_Pos] == '\n' || m_Text[m_Pos] == '\r')
                        Fail(m_Line, "a closing quote on the string's line", "");
                    if (m_Text[m_Pos] == '\'') {
                        if (m_Pos + 1 < m_Text.size() && m_Text[m_Pos + 1] == '\'') {
                            bytes.push_back('\'');
                            m_Pos += 2;
                            continue;
                        }
                        ++m_Pos;
                        break;
                    }
                    bytes.push_back(m_Text[m_Pos++]);
                }
            } else if (c == '#') {
                ++m_Pos;
                int value = 0;
                const std::size_t start = m_Pos;
                while (m_Pos < m_Text.size() && IsDigit(m_Text[m_Pos]) && m_Pos - start < 4)
                    value = value * 10 + (m_Text[m_Pos++] - '0');
                if (m_Pos == start || value > 255 ||
                    (m_Pos < m_Text.size() && IsDigit(m_Text[m_Pos])))
                    Fail(m_Line, "a byte value 0 to 255 after '#'", "");
                bytes.push_back(static_cast<char>(value));
            } else {
                break;
            }
        }
        return bytes;
    }

    static int HexDigit(char c) {
        if (IsDigit(c))
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    }

    // "{", pairs of hex digits with any blanks and line breaks between the pairs, "}".
    std::string Binary() {
        std::string bytes;
        ++m_Pos;
        while (true) {
            SkipBlanks();
            if (m_Pos >= m_Text.size())
                Fail(m_Line, "'}' closing the binary data", "");
            if (m_Text[m_Pos] == '}') {
                ++m_Pos;
                return bytes;
            }
            const int high = HexDigit(m_Text[m_Pos]);
            if (high < 0)
                Fail(m_Line, "hex digits or '}' closing the binary data", "");
            const int low = m_Pos + 1 < m_Text.size() ? HexDigit(m_Text[m_Pos + 1]) : -1;
            if (low < 0)
                Fail(m_Line, "a second hex digit (two per byte) before '}'", "");
            bytes.push_back(static_cast<char>(high * 16 + low));
            m_Pos += 2;
        }
    }

    std::string_view m_Text;
    std::size_t m_Pos = 0;
    int m_Line = 1;
};

class TTextReader {
public:
    explicit TTextReader(std::string_view Text) : m_Tokens(TTokenizer(Text).Tokens()) {}

    void ReadFile(TFormObject& Root) {
        ReadObject(Root, 1);
        if (Peek().Kind != TTokenKind::End)
            Fail(Peek().Line, "the end of the file after the root object's \"end\"", Root.Name);
    }

private:
    const TToken& Peek(std::size_t Ahead = 0) const {
        const std::size_t i = m_Next + Ahead;
        return i < m_Tokens.size() ? m_Tokens[i] : m_Tokens.back();
    }
    const TToken& Take() {
        const TToken& token = Peek();
        if (m_Next < m_Tokens.size() - 1)
            ++m_Next;
        return token;
    }
    bool IsWord(const TToken& Token, std::string_view Word) const {
        return Token.Kind == TTokenKind::Ident && SameFormName(Token.Text, Word);
    }
    bool IsSymbol(const TToken& Token, char Symbol) const {
        return Token.Kind == TTokenKind::Symbol && Token.Text[0] == Symbol;
    }
    // "object" or "end" opening a line, rather than a property of that name.
    bool IsKeyword(std::string_view Word) const {
        return IsWord(Peek(), Word) && !IsSymbol(Peek(1), '=');
    }
    const TToken& ExpectSymbol(char Symbol, const std::string& Context) {
        if (!IsSymbol(Peek(), Symbol))
            Fail(Peek().Line, std::string("'") + Symbol + "'", Context);
        return Take();
    }

    void ReadObject(TFormObject& Object, int Depth) {
        const int line = Peek().Line;
        Object.Position.Line = line;
        if (!IsWord(Peek(), "object"))
            Fail(line, "\"object\"", "");
        if (Depth > kFormMaxDepth)
            Fail(line, "objects nested at most " + std::to_string(kFormMaxDepth) + " deep", "");
        Take();
        const TToken& first = Take();
        if (first.Kind != TTokenKind::Ident)
            Fail(first.Line, "an object name or class name after \"object\"", "");
        if (IsSymbol(Peek(), ':')) {
            Take();
            Object.Name = first.Text;
            const TToken& cls = Take();
            if (cls.Kind != TTokenKind::Ident)
                Fail(cls.Line, "a class name after ':'", Object.Name);
            Object.ClassName = cls.Text;
        } else {
            Object.ClassName = first.Text;
        }
        if (!Object.Name.empty() && !IsFormIdent(Object.Name))
            Fail(first.Line, "an object name of 1 to 255 letters, digits or '_'", Object.Name);
        if (!IsFormIdent(Object.ClassName))
            Fail(line, "a class name of 1 to 255 letters, digits or '_'", Object.ClassName);
        const std::string& context = Object.Name.empty() ? Object.ClassName : Object.Name;
        while (true) {
            const TToken& token = Peek();
            if (IsKeyword("end")) {
                Take();
                return;
            }
            if (IsKeyword("object")) {
                Object.Children.emplace_back();
                ReadObject(Object.Children.back(), Depth + 1);
                continue;
            }
            if (token.Kind != TTokenKind::Ident)
                Fail(token.Line, "a property name, \"object\" or \"end\"", context);
            if (!IsFormDottedIdent(token.Text))
                Fail(token.Line, "a property name of 1 to 255 letters, digits, '_' or '.'",
                     token.Text);
            TFormProperty prop;
            prop.Position.Line = token.Line;
            prop.Name = Take().Text;
            ExpectSymbol('=', prop.Name);
            prop.Value = ReadValue(Depth, prop.Name);
            Object.Properties.push_back(std::move(prop));
        }
    }

    TFormValue ReadValue(int Depth, const std::string& Context) {
        const int line = Peek().Line;
        TFormValue value = ReadBareValue(Depth, Context);
        value.Position.Line = line;
        return value;
    }

    TFormValue ReadBareValue(int Depth, const std::string& Context) {
        const TToken& token = Take();
        switch (token.Kind) {
        case TTokenKind::Integer:
            return TFormValue::MakeInteger(token.Integer);
        case TTokenKind::String:
            return TFormValue::MakeString(token.Text);
        case TTokenKind::Binary:
            return TFormValue::MakeBinary(token.Text);
        case TTokenKind::Ident:
            if (SameFormName(token.Text, "True"))
                return TFormValue::MakeBoolean(true);
            if (SameFormName(token.Text, "False"))
                return TFormValue::MakeBoolean(false);
            if (SameFormName(token.Text, "nil"))
                return TFormValue::MakeNil();
            if (!IsFormDottedIdent(token.Text))
                Fail(token.Line, "an identifier of 1 to 255 letters, digits, '_' or '.'", Context);
            return TFormValue::MakeIdent(token.Text);
        case TTokenKind::Symbol:
            if (token.Text[0] == '(') {
                if (Depth + 1 > kFormMaxDepth)
                    Fail(token.Line,
                         "lists nested at most " + std::to_string(kFormMaxDepth) + " deep",
                         Context);
                TFormValue list = TFormValue::MakeList();
                while (!IsSymbol(Peek(), ')')) {
                    if (Peek().Kind == TTokenKind::End)
                        Fail(Peek().Line, "')' closing the list", Context);
                    list.Items.push_back(ReadValue(Depth + 1, Context));
                }
                Take();
                return list;
            }
            if (token.Text[0] == '[') {
                TFormValue set = TFormValue::MakeSet({});
                if (IsSymbol(Peek(), ']')) {
                    Take();
                    return set;
                }
                while (true) {
                    const TToken& member = Take();
                    if (member.Kind != TTokenKind::Ident || !IsFormIdent(member.Text))
                        Fail(member.Line, "a set member", Context);
                    set.Names.push_back(member.Text);
                    if (IsSymbol(Peek(), ']')) {
                        Take();
                        return set;
                    }
                    ExpectSymbol(',', Context);
                }
            }
            break;
        case TTokenKind::End:
            break;
        }
        Fail(token.Line, "a value", Context);
    }

    std::vector<TToken> m_Tokens;
    std::size_t m_Next = 0;
};

// ---------------------------------------------------------------------------------------------
// Writing.

class TTextWriter {
public:
    explicit TTextWriter(std::string& Out) : m_Out(Out) {}

    void WriteObject(const TFormObject& Object, int Depth) {
        if (Depth > kFormMaxDepth)
            Fail(0, "objects nested at most " + std::to_string(kFormMaxDepth) + " deep",
                 Object.Name);
        if (!IsFormIdent(Object.ClassName))
            Fail(0, "a class name of 1 to 255 letters, digits or '_'", Object.ClassName);
        if (!Object.Name.empty() && !IsFormIdent(Object.Name))
            Fail(0, "an object name of 1 to 255 letters, digits or '_'", Object.Name);
        const int indent = 2 * (Depth - 1);
        Indent(indent);
        m_Out += "object ";
        if (!Object.Name.empty())
            m_Out += Object.Name + ": ";
        m_Out += Object.ClassName + "\n";
        for (const TFormProperty& prop : Object.Properties) {
            if (!IsFormDottedIdent(prop.Name))
                Fail(0, "a property name of 1 to 255 letters, digits, '_' or '.'", prop.Name);
            Indent(indent + 2);
            m_Out += prop.Name + " = ";
            WriteValue(prop.Value, Depth, indent + 2, prop.Name);
            m_Out += "\n";
        }
        for (const TFormObject& child : Object.Children)
            WriteObject(child, Depth + 1);
        Indent(indent);
        m_Out += "end\n";
    }

private:
    void Indent(int Count) { m_Out.append(static_cast<std::size_t>(Count), ' '); }

    void WriteValue(const TFormValue& Value, int Depth, int Indentation,
                    const std::string& Context) {
        switch (Value.Kind) {
        case TFormValueKind::Nil:
            m_Out += "nil";
            return;
        case TFormValueKind::Integer:
            m_Out += std::to_string(Value.Integer);
            return;
        case TFormValueKind::Boolean:
            m_Out += Value.Boolean ? "True" : "False";
            return;
        case TFormValueKind::String:
            String(Value.Text);
            return;
        case TFormValueKind::Binary:
            Binary(Value.Text, Indentation + 2);
            return;
        case TFormValueKind::Ident:
            if (!IsFormDottedIdent(Value.Text) || IsFormReservedWord(Value.Text))
                Fail(0, "an identifier of 1 to 255 letters, digits, '_' or '.'", Context);
            m_Out += Value.Text;
            return;
        case TFormValueKind::Set:
            m_Out += "[";
            for (std::size_t i = 0; i < Value.Names.size(); ++i) {
                if (!IsFormIdent(Value.Names[i]))
                    Fail(0, "set members of 1 to 255 letters, digits or '_'", Context);
                m_Out += (i ? ", " : "") + Value.Names[i];
            }
            m_Out += "]";
            return;
        case TFormValueKind::List:
            if (Depth + 1 > kFormMaxDepth)
                Fail(0, "lists nested at most " + std::to_string(kFormMaxDepth) + " deep", Context);
            m_Out += "(";
            for (const TFormValue& item : Value.Items) {
                m_Out += "\n";
                Indent(Indentation + 2);
                WriteValue(item, Depth + 1, Indentation + 2, Context);
            }
            m_Out += ")";
            return;
        }
        Fail(0, "a value of a known kind", Context);
    }

    // Lines of at most 64 hex digits, indented like a list's values.
    void Binary(const std::string& Bytes, int Indentation) {
        static constexpr char digits[] = "0123456789ABCDEF";
        constexpr std::size_t bytesPerLine = 32;
        m_Out += "{";
        for (std::size_t i = 0; i < Bytes.size(); ++i) {
            if (i % bytesPerLine == 0) {
                m_Out += "\n";
                Indent(Indentation);
            }
            const auto c = static_cast<unsigned char>(Bytes[i]);
            m_Out += digits[c >> 4];
            m_Out += digits[c & 0xF];
        }
        m_Out += "}";
    }

    void String(const std::string& Bytes) {
        if (Bytes.empty()) {
            m_Out += "''";
            return;
        }
        bool quoted = false;
        const auto quote = [&](bool On) {
            if (quoted != On)
                m_Out += '\'';
            quoted = On;
        };
        for (std::size_t i = 0; i < Bytes.size();) {
            const auto c = static_cast<unsigned char>(Bytes[i]);
            if (c >= 0x20 && c < 0x7F) {
                quote(true);
                m_Out += Bytes[i];
                if (c == '\'')
                    m_Out += '\'';
                ++i;
                continue;
            }
            const std::size_t length = c >= 0x80 ? Utf8SequenceLength(Bytes, i) : 0;
            if (length > 0) {
                quote(true);
                m_Out.append(Bytes, i, length);
                i += length;
                continue;
            }
            quote(false);
            m_Out += '#' + std::to_string(c);
            ++i;
        }
        quote(false);
    }

    std::string& m_Out;
};

} // namespace

bool IsTextForm(std::string_view Text) {
    std::size_t i = 0;
    if (Text.substr(0, 3) == "\xEF\xBB\xBF")
        i = 3;
    while (i < Text.size() &&
           (Text[i] == ' ' || Text[i] == '\t' || Text[i] == '\r' || Text[i] == '\n'))
        ++i;
    return SameFormName(Text.substr(i, 6), "object") &&
           (i + 6 == Text.size() || !IsLetter(Text[i + 6]));
}

bool ReadFormText(std::string_view Text, TFormObject& Root, TFormError& Error) {
    // A byte-order mark, as editors on Windows like to add, is not part of the form.
    if (Text.substr(0, 3) == "\xEF\xBB\xBF")
        Text.remove_prefix(3);
    try {
        TFormObject object;
        TTextReader(Text).ReadFile(object);
        Root = std::move(object);
        return true;
    } catch (const TFault& fault) {
        Error = fault.Error;
    } catch (const std::bad_alloc&) {
        Error = TFormError{0, 1, "a form that fits in memory", ""};
    }
    return false;
}

bool WriteFormText(const TFormObject& Root, std::string& Text, TFormError& Error) {
    std::string out;
    try {
        TTextWriter(out).WriteObject(Root, 1);
    } catch (const TFault& fault) {
        Error = fault.Error;
        return false;
    }
    Text = std::move(out);
    return true;
}
