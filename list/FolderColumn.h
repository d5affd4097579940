#pragma once

#include "components/Persistent.h"
#include "controls/WinControl.h"

#include <array>
#include <string>

class TFiler;
class TReader;
class TWriter;

// The six detail columns of the folder list, in the order of the set's records, of the stored
// values and of the list's header.
enum TColumnName { cnName, cnExtension, cnSize, cnAttributes, cnType, cnModified };
constexpr int kColumnNameCount = 6;

// One column's settings.
struct TColumnRec {
    std::string sCaption;
    TAlignment Alignment = taLeftJustify;
    int iWidth = 0;
    bool bVisible = false;
};

// What the column set asks of the list that owns it: lay out the header columns again.
class IFolderColumnOwner {
public:
    virtual void SetupColumns() = 0;

protected:
    ~IFolderColumnOwner() = default;
};

// The folder list's column set: caption, alignment, width and visibility of each of the six
// columns. Every effective change through a setter asks the owner to set up its columns again;
// reading a stored set writes the records directly and asks nothing.
//
// The Name column is always shown: its visibility cannot be changed through the setter, reading
// forces it shown (and left-aligned), and nothing consults its flag, which holds False from
// construction until a stored set is read.
//
// Stored as one defined entry, "FolderColumn", always written: a list of 24 values, four per
// column in TColumnName order (caption, alignment ordinal, width, visible).
class TFolderColumn : public TPersistent {
public:
    // FolderEnumerator: the list that owns the set; it never changes.
    explicit TFolderColumn(IFolderColumnOwner* FolderEnumerator)
        : m_FolderEnumerator(FolderEnumerator) {}

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    const std::string& GetCaption(TColumnName cName) const { return Rec(cName).sCaption; }
    TAlignment GetAlignment(TColumnName cName) const { return Rec(cName).Alignment; }
    int GetWidth(TColumnName cName) const { return Rec(cName).iWidth; }
    bool GetVisible(TColumnName cName) const { return Rec(cName).bVisible; }
    // No setter checks its value: any caption and any width are stored as given.
    void SetCaption(TColumnName cName, const std::string& ACaption);
    void SetAlignment(TColumnName cName, TAlignment AAlignment);
    void SetWidth(TColumnName cName, int AWidth);
    // Does nothing for cnName. Showing or hiding another column sets VisibleChange first.
    void SetVisible(TColumnName cName, bool AVisible);

    // True when the set of shown columns changed, so the list rebuilds its header from scratch;
    // the list clears it after its next set-up.
    bool VisibleChange() const { return m_bVisibleChange; }
    void SetVisibleChange(bool Value) { m_bVisibleChange = Value; }

    void DefineProperties(TFiler& Filer) override;
    void ReadData(TReader& Reader);
    void WriteData(TWriter& Writer);

private:
    const TColumnRec& Rec(TColumnName cName) const;
    TColumnRec& Rec(TColumnName cName);

    std::array<TColumnRec, kColumnNameCount> m_aColumnRecs;
    bool m_bVisibleChange = false;
    IFolderColumnOwner* m_FolderEnumerator;
};
