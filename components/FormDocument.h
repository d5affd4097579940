#pragma once

// Form files at the byte level: a neutral document tree that the binary encoding (FormBinary.h)
// and the text rendering (FormText.h) convert to and from. Nothing here knows components or the
// platform, so this layer also builds natively for unit tests and fuzzing; binding a document to
// components is the reader's and writer's business (FormReader.h, FormWriter.h).
//
// The binary container, all integers little-endian:
//
//   file     = "VFF1" object
//   object   = name(class) name(object, may be empty) { property } 00 { object } 00
//   property = name(property, parts joined with ".") value
//   name     = one length byte (1..255; 0 ends a property or object list) and the characters
//   value    = 01 { value } 00            list
//            | 02 i8 | 03 i16 | 04 i32    integer, in the smallest form that holds it
//            | 05 i64                     integer outside the 32-bit range
//            | 06 u8 bytes | 0C u32 bytes string: UTF-8, length in bytes; 0C when over 255
//            | 07 name                    identifier: an enumeration value, a colour or cursor
//                                         name, a component reference, an event handler name
//            | 08 | 09                    Boolean False | True
//            | 0A                         nil (no component, no handler)
//            | 0B { name } 00             set: its members' identifiers
//            | 0D u32 bytes               binary data (a picture's file), length in bytes
//
// Nested persistent values (a control's Font) are stored as properties named "Font.Height" and
// so on, and a persistent's own defined data under its path ("FolderColumns.FolderColumn").
// Names and identifiers are ASCII: a letter or "_", then letters, digits and "_"; property names
// and identifier values may join such parts with ".". An identifier value is never True, False
// or nil, which the text rendering reserves. Object and list nesting together is limited to
// kFormMaxDepth levels, so a hostile file cannot exhaust the stack.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kFormMaxDepth = 32;
constexpr std::size_t kFormMaxName = 255;

// Where an item of a document was read from (a byte offset, or a line of text, from 1), so that
// errors found later, while binding it to objects, can say where. Not part of the item's value:
// positions always compare equal.
struct TFormPosition {
    std::size_t Offset = 0;
    int Line = 0;
    bool operator==(const TFormPosition&) const { return true; }
};

enum class TFormValueKind : std::uint8_t {
    Nil,
    Integer,
    Boolean,
    String,
    Ident,
    Set,
    List,
    Binary
};

struct TFormValue {
    TFormValueKind Kind = TFormValueKind::Nil;
    std::int64_t Integer = 0;
    bool Boolean = false;
    // String: the stored bytes; Ident: the identifier; Binary: the data.
    std::string Text;
    // Set: the members' identifiers.
    std::vector<std::string> Names;
    // List: the values.
    std::vector<TFormValue> Items;
    TFormPosition Position{};

    static TFormValue MakeNil() { return {}; }
    static TFormValue MakeInteger(std::int64_t Value);
    static TFormValue MakeBoolean(bool Value);
    static TFormValue MakeString(std::string Value);
    static TFormValue MakeIdent(std::string Value);
    static TFormValue MakeSet(std::vector<std::string> Members);
    static TFormValue MakeList(std::vector<TFormValue> Values = {});
    static TFormValue MakeBinary(std::string Bytes);

    bool operator==(const TFormValue&) const = default;
};

struct TFormProperty {
    std::string Name;
    TFormValue Value;
    TFormPosition Position{};
    bool operator==(const TFormProperty&) const = default;
};

struct TFormObject {
    std::string ClassName;
    std::string Name;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
    TFormPosition Position{};
    bool operator==(const TFormObject&) const = default;
};

// Why a form could not be read or written: where (a byte offset into a binary file, or a line of
// a text file), what was expected there, and the name involved (a property, component or class).
struct TFormError {
    std::size_t Offset = 0;
    int Line = 0; // text files: the line, from 1; 0 for binary files
    std::string Expected;
    std::string Name;

    static TFormError At(const TFormPosition& Where, std::string Expected, std::string Name) {
        return {Where.Offset, Where.Line, std::move(Expected), std::move(Name)};
    }
    // For instance "line 4: expected a value after '=' (Caption)".
    std::string Message() const;
};

// The naming rules above.
bool IsFormIdent(std::string_view Name);        // one part
bool IsFormDottedIdent(std::string_view Name);  // parts joined with "."
bool IsFormReservedWord(std::string_view Name); // True, False, nil (any ASCII case)
// ASCII case-insensitive comparison, as names are matched on reading.
bool SameFormName(std::string_view A, std::string_view B);
// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view Bytes);
// The length of the well-formed UTF-8 sequence starting at Bytes[Index], or 0.
std::size_t Utf8SequenceLength(std::string_view Bytes, std::size_t Index);
