#include "list/FolderColumn.h"

#include "components/Filer.h"

namespace {

// A stored alignment counts by its low byte (257 reads as right-aligned); a low byte that names
// no alignment reads as left-aligned rather than putting an invalid value in the record.
TAlignment StoredAlignment(std::int32_t Value) {
    switch (Value & 0xFF) {
    case taRightJustify:
        return taRightJustify;
    case taCenter:
        return taCenter;
    default:
        return taLeftJustify;
    }
}

// An index out of the enumeration reads and writes the Name column's record rather than memory
// outside the set.
int Index(TColumnName cName) {
    return cName >= cnName && cName <= cnModified ? static_cast<int>(cName) : 0;
}

} // namespace

const TClassInfo& TFolderColumn::StaticClassInfo() {
    static const TClassInfo info{
        .ClassName = "TFolderColumn",
        .Parent = &TPersistent::StaticClassInfo(),
    };
    return info;
}

const TColumnRec& TFolderColumn::Rec(TColumnName cName) const {
    return m_aColumnRecs[Index(cName)];
}

TColumnRec& TFolderColumn::Rec(TColumnName cName) {
    return m_aColumnRecs[Index(cName)];
}

void TFolderColumn::SetCaption(TColumnName cName, const std::string& ACaption) {
    if (Rec(cName).sCaption == ACaption)
        return;
    Rec(cName).sCaption = ACaption;
    m_FolderEnumerator->SetupColumns();
}

void TFolderColumn::SetAlignment(TColumnName cName, TAlignment AAlignment) {
    if (Rec(cName).Alignment == AAlignment)
        return;
    Rec(cName).Alignment = AAlignment;
    m_FolderEnumerator->SetupColumns();
}

void TFolderColumn::SetWidth(TColumnName cName, int AWidth) {
    if (Rec(cName).iWidth == AWidth)
        return;
    Rec(cName).iWidth = AWidth;
    m_FolderEnumerator->SetupColumns();
}

void TFolderColumn::SetVisible(TColumnName cName, bool AVisible) {
    if (cName == cnName || Rec(cName).bVisible == AVisible)
        return;
    m_bVisibleChange = true;
    Rec(cName).bVisible = AVisible;
    m_FolderEnumerator->SetupColumns();
}

void TFolderColumn::DefineProperties(TFiler& Filer) {
    TPersistent::DefineProperties(Filer);
    // Always written, whether or not the set differs from the defaults.
    Filer.DefineProperty(
        "FolderColumn", [this](TReader& Reader) { ReadData(Reader); },
        [this](TWriter& Writer) { WriteData(Writer); }, true);
}

void TFolderColumn::ReadData(TReader& Reader) {
    Reader.ReadListBegin();
    // Straight into the records: a fault part-way leaves the records read before it changed.
    for (TColumnRec& rec : m_aColumnRecs) {
        rec.sCaption = Reader.ReadString();
        rec.Alignment = StoredAlignment(Reader.ReadInteger());
        rec.iWidth = Reader.ReadInteger();
        rec.bVisible = Reader.ReadBoolean();
    }
    Reader.ReadListEnd();
    m_aColumnRecs[cnName].bVisible = true;
    m_aColumnRecs[cnName].Alignment = taLeftJustify;
}

void TFolderColumn::WriteData(TWriter& Writer) {
    Writer.WriteListBegin();
    for (const TColumnRec& rec : m_aColumnRecs) {
        Writer.WriteString(rec.sCaption);
        Writer.WriteInteger(rec.Alignment);
        Writer.WriteInteger(rec.iWidth);
        Writer.WriteBoolean(rec.bVisible);
    }
    Writer.WriteListEnd();
}
