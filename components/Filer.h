#pragma once

// What a persistent sees of a form file while it defines its own stored data
// (TPersistent::DefineProperties): the filer, which is a TReader while the form is read and a
// TWriter while it is written.

#include "components/FormDocument.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TComponent;
class TFiler;
class TReader;
class TWriter;

// Stored text is UTF-8; bytes that are not were stored by something that wrote the ANSI code page,
// and are read as that.
std::string StoredFormText(const std::string& Bytes);

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;

// A list of strings (a list box's or a combo box's items) defined as the entry Name of the
// persistent holding them: a list of strings, left out while it is empty. Reading hands the whole
// list to Assign.
void DefineStrings(TFiler& Filer, const std::string& Name, const std::vector<std::string>& Strings,
                   std::function<void(std::vector<std::string>)> Assign);

class TFiler {
public:
    virtual ~TFiler() = default;
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // An entry Name under the object's path. ReadData reads its stored value, WriteData writes
    // it; HasData false leaves the entry out of the file this time.
    virtual void DefineProperty(const std::string& Name, TReaderProc ReadData,
                                TWriterProc WriteData, bool HasData) = 0;

    // The component the whole form file belongs to.
    TComponent* Root() const { return m_Root; }

protected:
    explicit TFiler(TComponent* Root) : m_Root(Root) {}

private:
    TComponent* m_Root;
};

// Thrown by a TReader when the stored value is not what the reading code asks for. Only the form
// reader calls code that reads through a TReader, and it turns this into its read error: it never
// leaves the form reader.
struct EReadError {
    TFormError Error;
};

// Reads one defined entry: DefineProperty runs the ReadData of the entry named as wanted on the
// stored value; the others are ignored. ReadData takes the value apart with the Read calls, in
// the order it was written.
class TReader : public TFiler {
public:
    TReader(TComponent* Root, std::string_view Wanted, const TFormValue& Value,
            std::string Context);

    void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    // Whether the wanted entry was defined (and read).
    bool Found() const { return m_bFound; }

    void ReadListBegin();
    // True when the open list has no more values.
    bool EndOfList() const;
    void ReadListEnd();
    std::string ReadString();
    std::int32_t ReadInteger();
    std::int64_t ReadInt64();
    bool ReadBoolean();
    std::string ReadIdent();
    std::string ReadBinary();
    // For data that reads as the right kind but that the reading code cannot use (a picture
    // file that is not one): throws the reader's error at the entry's value.
    [[noreturn]] void BadData(std::string Expected) const;

private:
    const TFormValue& Next(const char* Expected);
    [[noreturn]] void Fail(const TFormPosition& Where, std::string Expected) const;

    std::string m_Wanted;
    const TFormValue& m_Value;
    std::string m_Context;
    bool m_bFound = false;
    bool m_bTaken = false; // the entry's value itself has been read
    // The open lists, each with the index of its next value.
    std::vector<std::pair<const TFormValue*, std::size_t>> m_Lists;
};

// Collects the defined entries of one object, under the object's path ("FolderColumns."), into
// the properties of its form object. WriteData builds the value with the Write calls.
class TWriter : public TFiler {
public:
    TWriter(TComponent* Root, std::string Prefix, std::vector<TFormProperty>& Out);

    void DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc WriteData,
                        bool HasData) override;
    // False when a WriteData left a list open or wrote other than one value; the entry named
    // then is in FailedEntry.
    bool Ok() const { return m_FailedEntry.empty(); }
    const std::string& FailedEntry() const { return m_FailedEntry; }

    void WriteListBegin();
    void WriteListEnd();
    void WriteString(const std::string& Value);
    void WriteInteger(std::int64_t Value);
    void WriteBoolean(bool Value);
    void WriteIdent(const std::string& Value);
    void WriteBinary(const std::string& Bytes);

private:
    void Add(TFormValue Value);

    std::string m_Prefix;
    std::vector<TFormProperty>& m_Out;
    std::string m_FailedEntry;
    // The value being written, and the open lists inside it.
    std::vector<TFormValue> m_Values;
    std::vector<TFormValue> m_Lists;
};
