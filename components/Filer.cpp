#include "components/Filer.h"

#include "identifiers/WideText.h"

std::string StoredFormText(const std::string& Bytes) {
    return IsValidUtf8(Bytes) ? Bytes : AnsiToUtf8(Bytes);
}

TReader::TReader(TComponent* Root, std::string_view Wanted, const TFormValue& Value,
                 std::string Context)
    : TFiler(Root), m_Wanted(Wanted), m_Value(Value), m_Context(std::move(Context)) {}

void TReader::DefineProperty(const std::string& Name, TReaderProc ReadData, TWriterProc, bool) {
    if (m_bFound || !SameFormName(Name, m_Wanted) || !ReadData)
        return;
    m_bFound = true;
    ReadData(*this);
    if (!m_Lists.empty())
        Fail(m_Value.Position, "the list to be read to its end");
    if (!m_bTaken)
        Fail(m_Value.Position, "the value to be read");
}

void TReader::Fail(const TFormPosition& Where, std::string Expected) const {
    throw EReadError{TFormError::At(Where, std::move(Expected), m_Context)};
}

const TFormValue& TReader::Next(const char* Expected) {
    if (m_Lists.empty()) {
        if (m_bTaken)
            Fail(m_Value.Position, std::string(Expected) + ", but the entry has no more values");
        m_bTaken = true;
        return m_Value;
    }
    auto& [list, next] = m_Lists.back();
    if (next >= list->Items.size())
        Fail(list->Position, std::string(Expected) + ", but the list ends (too few values)");
    return list->Items[next++];
}

void TReader::ReadListBegin() {
    const TFormValue& value = Next("a list");
    if (value.Kind != TFormValueKind::List)
        Fail(value.Position, "a list");
    m_Lists.emplace_back(&value, 0);
}

bool TReader::EndOfList() const {
    return m_Lists.empty() || m_Lists.back().second >= m_Lists.back().first->Items.size();
}

void TReader::ReadListEnd() {
    if (m_Lists.empty())
        Fail(m_Value.Position, "the end of a list, but no list is open");
    const auto& [list, next] = m_Lists.back();
    if (next < list->Items.size())
        Fail(list->Items[next].Position, "the end of the list (too many values)");
    m_Lists.pop_back();
}

std::string TReader::ReadString() {
    const TFormValue& value = Next("a string");
    if (value.Kind != TFormValueKind::String)
        Fail(value.Position, "a string");
    return StoredFormText(value.Text);
}

std::int32_t TReader::ReadInteger() {
    const TFormValue& value = Next("an integer");
    if (value.Kind != TFormValueKind::Integer)
        Fail(value.Position, "an integer");
    if (value.Integer < INT32_MIN || value.Integer > INT32_MAX)
        Fail(value.Position, "an integer within 32 bits");
    return static_cast<std::int32_t>(value.Integer);
}

std::int64_t TReader::ReadInt64() {
    const TFormValue& value = Next("an integer");
    if (value.Kind != TFormValueKind::Integer)
        Fail(value.Position, "an integer");
    return value.Integer;
}

bool TReader::ReadBoolean() {
    const TFormValue& value = Next("a Boolean");
    if (value.Kind != TFormValueKind::Boolean)
        Fail(value.Position, "a Boolean");
    return value.Boolean;
}

std::string TReader::ReadIdent() {
    const TFormValue& value = Next("an identifier");
    if (value.Kind != TFormValueKind::Ident)
        Fail(value.Position, "an identifier");
    return value.Text;
}

std::string TReader::ReadBinary() {
    const TFormValue& value = Next("binary data");
    if (value.Kind != TFormValueKind::Binary)
        Fail(value.Position, "binary data");
    return value.Text;
}

void TReader::BadData(std::string Expected) const {
    Fail(m_Value.Position, std::move(Expected));
}

TWriter::TWriter(TComponent* Root, std::string Prefix, std::vector<TFormProperty>& Out)
    : TFiler(Root), m_Prefix(std::move(Prefix)), m_Out(Out) {}

void TWriter::DefineProperty(const std::string& Name, TReaderProc, TWriterProc WriteData,
                             bool HasData) {
    if (!HasData || !WriteData || !m_FailedEntry.empty())
        return;
    m_Values.clear();
    m_Lists.clear();
    WriteData(*this);
    if (!m_Lists.empty() || m_Values.size() != 1) {
        m_FailedEntry = m_Prefix + Name;
        return;
    }
    m_Out.push_back({m_Prefix + Name, std::move(m_Values.front()), {}});
}

void TWriter::Add(TFormValue Value) {
    if (m_Lists.empty())
        m_Values.push_back(std::move(Value));
    else
        m_Lists.back().Items.push_back(std::move(Value));
}

void TWriter::WriteListBegin() {
    m_Lists.push_back(TFormValue::MakeList());
}

void TWriter::WriteListEnd() {
    if (m_Lists.empty()) {
        m_Values.resize(2); // unbalanced: fails the entry
        return;
    }
    TFormValue list = std::move(m_Lists.back());
    m_Lists.pop_back();
    Add(std::move(list));
}

void TWriter::WriteString(const std::string& Value) {
    Add(TFormValue::MakeString(Value));
}

void TWriter::WriteInteger(std::int64_t Value) {
    Add(TFormValue::MakeInteger(Value));
}

void TWriter::WriteBoolean(bool Value) {
    Add(TFormValue::MakeBoolean(Value));
}

void TWriter::WriteIdent(const std::string& Value) {
    Add(TFormValue::MakeIdent(Value));
}

void TWriter::WriteBinary(const std::string& Bytes) {
    Add(TFormValue::MakeBinary(Bytes));
}

void DefineStrings(TFiler& Filer, const std::string& Name, const std::vector<std::string>& Strings,
                   std::function<void(std::vector<std::string>)> Assign) {
    Filer.DefineProperty(
        Name,
        [&Assign](TReader& Reader) {
            std::vector<std::string> read;
            Reader.ReadListBegin();
            while (!Reader.EndOfList())
                read.push_back(Reader.ReadString());
            Reader.ReadListEnd();
            Assign(std::move(read));
        },
        [&Strings](TWriter& Writer) {
            Writer.WriteListBegin();
            for (const std::string& s : Strings)
                Writer.WriteString(s);
            Writer.WriteListEnd();
        },
        !Strings.empty());
}
