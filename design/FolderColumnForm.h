#pragma once

#include "controls/Form.h"
#include "list/FolderColumn.h"

#include <string>

class TBevel;
class TBitBtn;
class TCheckBox;
class TCustomComboBox;
class TEdit;
class TLabel;
class TListBox;
class TMaskEdit;

// The column editor: a modal dialog that edits a folder list's column set one column at a time
// (caption, alignment, width, visibility), storing each column through the set's setters when
// another column is chosen or Close is pressed, so the list's header follows at once. The close
// box (and Escape) leaves the shown column's edits unstored.
//
// Its controls come from its stored form, built into the program; the fields below are bound to
// them by name once the form has been read (each is nullptr when the form lacks it, and FormError
// then says why).
class TFolderColumnForm : public TForm {
public:
    explicit TFolderColumnForm(TComponent* AOwner);
    ~TFolderColumnForm() override;

    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TListBox* ColumnListBox = nullptr;
    TLabel* Label1 = nullptr;
    TBevel* Bevel1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TCheckBox* VisibleCheck = nullptr;
    TEdit* CaptionEdit = nullptr;
    TMaskEdit* WidthEdit = nullptr;
    TCustomComboBox* AlignCombo = nullptr;
    TBitBtn* OKButton = nullptr;
    TLabel* Label6 = nullptr;

    // Binds the dialog to a column set and shows its Name column.
    void SetValues(TFolderColumn* pFolderColumn);
    // The selected column changed (mouse or keys): stores the column shown, then shows the
    // selected one.
    void ColumnListBoxClick(TObject* Sender);
    // Close: stores the column shown; the button's OK result then ends the dialog, unless the
    // width could not be stored.
    void OKButtonClick(TObject* Sender);

    // Empty when the stored form was read and every control found.
    const std::string& FormError() const { return m_sFormError; }
    int PrevIndex() const { return m_iPrevIndex; }

protected:
    void CreateWnd() override;

private:
    void BindControls();
    bool StoreColumn(TColumnName Column);
    void LoadColumn(TColumnName Column);
    void RefuseWidth();

    int m_iPrevIndex = -1;
    TFolderColumn* pFolderColumn = nullptr;
    // What the controls showed when the column was loaded: a field left as it was stores the
    // column's own value, which the controls may not be able to show (a width of 1234 or -1).
    std::string m_sShownCaption;
    std::string m_sShownWidth;
    int m_iShownAlignment = -1;
    bool m_bShownVisible = false;
    bool m_bWidthRefused = false;
    std::string m_sFormError;
};

// The dialog while it is shown by EditFolderColumns; nullptr otherwise.
extern TFolderColumnForm* FolderColumnForm;

// Makes the column editor, binds it to Columns, shows it modally and frees it. False when its
// stored form could not be read (Error then says why).
bool EditFolderColumns(TFolderColumn& Columns, std::string* Error = nullptr);
