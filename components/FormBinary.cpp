#include "components/FormBinary.h"

#include <cstdint>
#include <limits>
#include <new>

namespace {

enum : std::uint8_t {
    vaNull = 0x00,
    vaList = 0x01,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaInt64 = 0x05,
    vaString = 0x06,
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaNil = 0x0A,
    vaSet = 0x0B,
    vaLString = 0x0C,
    vaBinary = 0x0D,
};

// Thrown inside this file only; the public functions turn it into their result.
struct TFault {
    TFormError Error;
};

class TBinaryReader {
public:
    explicit TBinaryReader(std::string_view Bytes) : m_Bytes(Bytes) {}

    void ReadFile(TFormObject& Root) {
        if (!IsBinaryForm(m_Bytes))
            Fail("the signature \"VFF1\"", "");
        m_Pos = kFormSignature.size();
        ReadObject(Root, 1);
        if (m_Pos != m_Bytes.size())
            Fail("the end of the file after the root object", Root.Name);
    }

private:
    [[noreturn]] void Fail(std::string Expected, std::string Name, std::size_t At) {
        throw TFault{TFormError{At, 0, std::move(Expected), std::move(Name)}};
    }
    [[noreturn]] void Fail(std::string Expected, std::string Name) {
        Fail(std::move(Expected), std::move(Name), m_Pos);
    }

    std::size_t Remaining() const { return m_Bytes.size() - m_Pos; }

    std::uint8_t Peek(const char* Expected, const std::string& Name) {
        if (m_Pos >= m_Bytes.size())
            Fail(std::string(Expected) + " before the end of the file", Name);
        return static_cast<std::uint8_t>(m_Bytes[m_Pos]);
    }

    std::uint8_t Byte(const char* Expected, const std::string& Name) {
        const std::uint8_t b = Peek(Expected, Name);
        ++m_Pos;
        return b;
    }

    // Count bytes, little-endian, as an unsigned value.
    std::uint64_t Unsigned(std::size_t Count, const char* Expected, const std::string& Name) {
        if (Remaining() < Count)
            Fail(std::string(Expected) + " before the end of the file", Name);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < Count; ++i)
            value |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(m_Bytes[m_Pos + i]))
                     << (8 * i);
        m_Pos += Count;
        return value;
    }

    std::string Chars(std::uint64_t Length, const char* Expected, const std::string& Name) {
        // Checked before anything is allocated: a length is only believed when the input holds
        // that many bytes.
        if (Length > Remaining())
            Fail(std::string(Expected) + " of " + std::to_string(Length) +
                     " bytes before the end of the file",
                 Name);
        std::string text(m_Bytes.substr(m_Pos, static_cast<std::size_t>(Length)));
        m_Pos += static_cast<std::size_t>(Length);
        return text;
    }

    // A length byte and the characters; empty when the length byte is zero.
    std::string Name(const char* Expected, const std::string& Context) {
        const std::uint8_t length = Byte(Expected, Context);
        return Chars(length, Expected, Context);
    }

    void ReadObject(TFormObject& Object, int Depth) {
        const std::size_t start = m_Pos;
        Object.Position.Offset = start;
        if (Depth > kFormMaxDepth)
            Fail("objects nested at most " + std::to_string(kFormMaxDepth) + " deep", "");
        Object.ClassName = Name("a class name", "");
        if (!IsFormIdent(Object.ClassName))
            Fail("a class name", Object.ClassName, start);
        const std::size_t nameStart = m_Pos;
        Object.Name = Name("an object name", Object.ClassName);
        if (!Object.Name.empty() && !IsFormIdent(Object.Name))
            Fail("an object name", Object.Name, nameStart);
        const std::string& context = Object.Name.empty() ? Object.ClassName : Object.Name;
        while (Peek("a property name or the end of the properties", context) != vaNull) {
            const std::size_t propStart = m_Pos;
            TFormProperty prop;
            prop.Position.Offset = propStart;
            prop.Name = Name("a property name", context);
            if (!IsFormDottedIdent(prop.Name))
                Fail("a property name", prop.Name, propStart);
            prop.Value = ReadValue(Depth, prop.Name);
            Object.Properties.push_back(std::move(prop));
        }
        ++m_Pos;
        while (Peek("a child object or the end of the children", context) != vaNull) {
            Object.Children.emplace_back();
            ReadObject(Object.Children.back(), Depth + 1);
        }
        ++m_Pos;
    }

    TFormValue ReadValue(int Depth, const std::string& Context) {
        const std::size_t start = m_Pos;
        TFormValue value = ReadBareValue(Depth, Context);
        value.Position.Offset = start;
        return value;
    }

    TFormValue ReadBareValue(int Depth, const std::string& Context) {
        const std::size_t start = m_Pos;
        const std::uint8_t tag = Byte("a value", Context);
        switch (tag) {
        case vaList: {
            if (Depth + 1 > kFormMaxDepth)
                Fail("lists nested at most " + std::to_string(kFormMaxDepth) + " deep", Context,
                     start);
            TFormValue list = TFormValue::MakeList();
            while (Peek("a value or the end of the list", Context) != vaNull)
                list.Items.push_back(ReadValue(Depth + 1, Context));
            ++m_Pos;
            return list;
        }
        case vaInt8:
            return TFormValue::MakeInteger(
                static_cast<std::int8_t>(Unsigned(1, "an 8-bit integer", Context)));
        case vaInt16:
            return TFormValue::MakeInteger(
                static_cast<std::int16_t>(Unsigned(2, "a 16-bit integer", Context)));
        case vaInt32:
            return TFormValue::MakeInteger(
                static_cast<std::int32_t>(Unsigned(4, "a 32-bit integer", Context)));
        case vaInt64:
            return TFormValue::MakeInteger(
                static_cast<std::int64_t>(Unsigned(8, "a 64-bit integer", Context)));
        case vaString: {
            const std::uint8_t length = Byte("a string length", Context);
            return TFormValue::MakeString(Chars(length, "a string", Context));
        }
        case vaLString: {
            const std::uint64_t length = Unsigned(4, "a string length", Context);
            return TFormValue::MakeString(Chars(length, "a string", Context));
        }
        case vaBinary: {
            const std::uint64_t length = Unsigned(4, "a binary data length", Context);
            return TFormValue::MakeBinary(Chars(length, "binary data", Context));
        }
        case vaIdent: {
            std::string ident = Name("an identifier", Context);
            if (!IsFormDottedIdent(ident) || IsFormReservedWord(ident))
                Fail("an identifier", Context, start);
            return TFormValue::MakeIdent(std::move(ident));
        }
        case vaFalse:
            return TFormValue::MakeBoolean(false);
        case vaTrue:
            return TFormValue::MakeBoolean(true);
        case vaNil:
            return TFormValue::MakeNil();
        case vaSet: {
            TFormValue set = TFormValue::MakeSet({});
            while (true) {
                const std::size_t memberStart = m_Pos;
                std::string member = Name("a set member or the end of the set", Context);
                if (member.empty())
                    break;
                if (!IsFormIdent(member))
                    Fail("a set member", Context, memberStart);
                set.Names.push_back(std::move(member));
            }
            return set;
        }
        default:
            Fail("a value tag", Context, start);
        }
    }

    std::string_view m_Bytes;
    std::size_t m_Pos = 0;
};

class TBinaryWriter {
public:
    explicit TBinaryWriter(std::string& Out) : m_Out(Out) {}

    void WriteObject(const TFormObject& Object, int Depth) {
        if (Depth > kFormMaxDepth)
            Fail("objects nested at most " + std::to_string(kFormMaxDepth) + " deep", Object.Name);
        if (!IsFormIdent(Object.ClassName))
            Fail("a class name of 1 to 255 letters, digits or '_'", Object.ClassName);
        if (!Object.Name.empty() && !IsFormIdent(Object.Name))
            Fail("an object name of 1 to 255 letters, digits or '_'", Object.Name);
        Name(Object.ClassName);
        Name(Object.Name);
        for (const TFormProperty& prop : Object.Properties) {
            if (!IsFormDottedIdent(prop.Name))
                Fail("a property name of 1 to 255 letters, digits, '_' or '.'", prop.Name);
            Name(prop.Name);
            WriteValue(prop.Value, Depth, prop.Name);
        }
        Byte(vaNull);
        for (const TFormObject& child : Object.Children)
            WriteObject(child, Depth + 1);
        Byte(vaNull);
    }

    void WriteValue(const TFormValue& Value, int Depth, const std::string& Context) {
        switch (Value.Kind) {
        case TFormValueKind::Nil:
            Byte(vaNil);
            return;
        case TFormValueKind::Integer:
            Integer(Value.Integer);
            return;
        case TFormValueKind::Boolean:
            Byte(Value.Boolean ? vaTrue : vaFalse);
            return;
        case TFormValueKind::String:
            if (Value.Text.size() <= 255) {
                Byte(vaString);
                Byte(static_cast<std::uint8_t>(Value.Text.size()));
            } else {
                if (Value.Text.size() > std::numeric_limits<std::uint32_t>::max())
                    Fail("a string shorter than 4 GB", Context);
                Byte(vaLString);
                Unsigned(Value.Text.size(), 4);
            }
            m_Out += Value.Text;
            return;
        case TFormValueKind::Binary:
            if (Value.Text.size() > std::numeric_limits<std::uint32_t>::max())
                Fail("binary data shorter than 4 GB", Context);
            Byte(vaBinary);
            Unsigned(Value.Text.size(), 4);
            m_Out += Value.Text;
            return;
        case TFormValueKind::Ident:
            if (!IsFormDottedIdent(Value.Text) || IsFormReservedWord(Value.Text))
                Fail("an identifier of 1 to 255 letters, digits, '_' or '.'", Context);
            Byte(vaIdent);
            Name(Value.Text);
            return;
        case TFormValueKind::Set:
            Byte(vaSet);
            for (const std::string& member : Value.Names) {
                if (!IsFormIdent(member))
                    Fail("set members of 1 to 255 letters, digits or '_'", Context);
                Name(member);
            }
            Byte(vaNull);
            return;
        case TFormValueKind::List:
            if (Depth + 1 > kFormMaxDepth)
                Fail("lists nested at most " + std::to_string(kFormMaxDepth) + " deep", Context);
            Byte(vaList);
            for (const TFormValue& item : Value.Items)
                WriteValue(item, Depth + 1, Context);
            Byte(vaNull);
            return;
        }
        Fail("a value of a known kind", Context);
    }

private:
    [[noreturn]] void Fail(std::string Expected, std::string Name) {
        throw TFault{TFormError{m_Out.size(), 0, std::move(Expected), std::move(Name)}};
    }

    void Byte(std::uint8_t b) { m_Out.push_back(static_cast<char>(b)); }

    void Unsigned(std::uint64_t Value, std::size_t Count) {
        for (std::size_t i = 0; i < Count; ++i)
            Byte(static_cast<std::uint8_t>(Value >> (8 * i)));
    }

    void Integer(std::int64_t Value) {
        if (Value >= -128 && Value <= 127) {
            Byte(vaInt8);
            Unsigned(static_cast<std::uint64_t>(Value), 1);
        } else if (Value >= -32768 && Value <= 32767) {
            Byte(vaInt16);
            Unsigned(static_cast<std::uint64_t>(Value), 2);
        } else if (Value >= std::numeric_limits<std::int32_t>::min() &&
                   Value <= std::numeric_limits<std::int32_t>::max()) {
            Byte(vaInt32);
            Unsigned(static_cast<std::uint64_t>(Value), 4);
        } else {
            Byte(vaInt64);
            Unsigned(static_cast<std::uint64_t>(Value), 8);
        }
    }

    // Names are checked against the rules before they get here, so the length fits its byte.
    void Name(const std::string& Text) {
        Byte(static_cast<std::uint8_t>(Text.size()));
        m_Out += Text;
    }

    std::string& m_Out;
};

} // namespace

bool IsBinaryForm(std::string_view Bytes) {
    return Bytes.substr(0, kFormSignature.size()) == kFormSignature;
}

bool ReadFormBinary(std::string_view Bytes, TFormObject& Root, TFormError& Error) {
    try {
        TFormObject object;
        TBinaryReader(Bytes).ReadFile(object);
        Root = std::move(object);
        return true;
    } catch (const TFault& fault) {
        Error = fault.Error;
    } catch (const std::bad_alloc&) {
        Error = TFormError{0, 0, "a form that fits in memory", ""};
    }
    return false;
}

bool WriteFormBinary(const TFormObject& Root, std::string& Bytes, TFormError& Error) {
    std::string out(kFormSignature);
    try {
        TBinaryWriter(out).WriteObject(Root, 1);
    } catch (const TFault& fault) {
        Error = fault.Error;
        return false;
    }
    Bytes = std::move(out);
    return true;
}

bool EncodeFormValue(const TFormValue& Value, std::string& Bytes, TFormError& Error) {
    std::string out;
    try {
        TBinaryWriter(out).WriteValue(Value, 1, "");
    } catch (const TFault& fault) {
        Error = fault.Error;
        return false;
    }
    Bytes = std::move(out);
    return true;
}
