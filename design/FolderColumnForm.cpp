#include "design/FolderColumnForm.h"

#include "components/FormStreaming.h"
#include "design/FormFields.h"
#include "controls/Bevel.h"
#include "controls/BitBtn.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Dialogs.h"
#include "controls/Edit.h"
#include "controls/Label.h"
#include "controls/ListBox.h"
#include "controls/MaskEdit.h"
#include "controls/Menus.h"

#include <charconv>
#include <optional>

TFolderColumnForm* FolderColumnForm = nullptr;

namespace {

// The width typed: blanks around it removed, then a decimal number ("007" is 7); nothing when
// that is empty or not a number ("1 2").
std::optional<int> ParseWidth(const std::string& Text) {
    const std::size_t first = Text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t last = Text.find_last_not_of(' ');
    const char* begin = Text.data() + first;
    const char* end = Text.data() + last + 1;
    int value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

const TClassInfo& TFolderColumnForm::StaticClassInfo() {
    using T = TFolderColumnForm;
    static const TClassInfo info{
        .ClassName = "TFolderColumnForm",
        .Parent = &TForm::StaticClassInfo(),
        .Methods = {PublishedMethod<&T::ColumnListBoxClick>("ColumnListBoxClick"),
                    PublishedMethod<&T::OKButtonClick>("OKButtonClick")},
    };
    return info;
}

// The window is made before anyone binds a column set, so the reset of CreateWnd never undoes a
// binding.
TFolderColumnForm::TFolderColumnForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterFrameworkClasses();
    TFormError error;
    if (!ReadComponentResource(*this, "FOLDERCOLUMNFORM", error))
        m_sFormError = "FolderColumnForm: " + error.Message();
    BindControls();
    HandleNeeded();
}

TFolderColumnForm::~TFolderColumnForm() {
    if (FolderColumnForm == this)
        FolderColumnForm = nullptr;
}

void TFolderColumnForm::BindControls() {
    std::string missing;
    BindFormField(*this, ColumnListBox, "ColumnListBox", missing);
    BindFormField(*this, Label1, "Label1", missing);
    BindFormField(*this, Bevel1, "Bevel1", missing);
    BindFormField(*this, Label2, "Label2", missing);
    BindFormField(*this, Label3, "Label3", missing);
    BindFormField(*this, Label4, "Label4", missing);
    BindFormField(*this, Label5, "Label5", missing);
    BindFormField(*this, VisibleCheck, "VisibleCheck", missing);
    BindFormField(*this, CaptionEdit, "CaptionEdit", missing);
    BindFormField(*this, WidthEdit, "WidthEdit", missing);
    BindFormField(*this, AlignCombo, "AlignCombo", missing);
    BindFormField(*this, OKButton, "OKButton", missing);
    BindFormField(*this, Label6, "Label6", missing);
    if (m_sFormError.empty() && !missing.empty())
        m_sFormError = "FolderColumnForm: " + missing;
}

// A window made again shows the selected column afresh, so the next switch stores it.
void TFolderColumnForm::CreateWnd() {
    TForm::CreateWnd();
    m_iPrevIndex = -1;
    if (pFolderColumn && ColumnListBox && ColumnListBox->ItemIndex() >= 0) {
        LoadColumn(static_cast<TColumnName>(ColumnListBox->ItemIndex()));
        m_iPrevIndex = ColumnListBox->ItemIndex();
    }
}

void TFolderColumnForm::SetValues(TFolderColumn* Columns) {
    pFolderColumn = Columns;
    if (!pFolderColumn || !m_sFormError.empty())
        return;
    pFolderColumn->SetVisibleChange(true);
    m_iPrevIndex = -1;
    ColumnListBox->SetItemIndex(0);
    ColumnListBoxClick(ColumnListBox);
}

void TFolderColumnForm::ColumnListBoxClick(TObject*) {
    if (!pFolderColumn || !m_sFormError.empty())
        return;
    if (m_iPrevIndex >= 0 && m_iPrevIndex < kColumnNameCount &&
        !StoreColumn(static_cast<TColumnName>(m_iPrevIndex))) {
        RefuseWidth();
        return;
    }
    const int selected = ColumnListBox->ItemIndex();
    if (selected < 0 || selected >= kColumnNameCount)
        return;
    LoadColumn(static_cast<TColumnName>(selected));
    m_iPrevIndex = selected;
}

void TFolderColumnForm::OKButtonClick(TObject*) {
    m_bWidthRefused = false;
    ColumnListBoxClick(OKButton);
    // The width could not be stored: the dialog stays open on that column.
    if (m_bWidthRefused)
        SetModalResult(mrNone);
}

// Caption and alignment first, then the width; the visibility only once the width is stored.
// A field the user left as it was loaded stores the column's own value.
bool TFolderColumnForm::StoreColumn(TColumnName Column) {
    const std::string caption = CaptionEdit->Text();
    pFolderColumn->SetCaption(Column, caption == m_sShownCaption ? pFolderColumn->GetCaption(Column)
                                                                 : caption);
    const int align = AlignCombo->ItemIndex();
    if (align != m_iShownAlignment && align >= taLeftJustify && align <= taCenter)
        pFolderColumn->SetAlignment(Column, static_cast<TAlignment>(align));
    else
        pFolderColumn->SetAlignment(Column, pFolderColumn->GetAlignment(Column));
    const std::string widthText = WidthEdit->Text();
    if (widthText != m_sShownWidth) {
        const std::optional<int> width = ParseWidth(widthText);
        if (!width)
            return false;
        pFolderColumn->SetWidth(Column, *width);
    } else {
        pFolderColumn->SetWidth(Column, pFolderColumn->GetWidth(Column));
    }
    const bool visible = VisibleCheck->Checked();
    pFolderColumn->SetVisible(Column, visible == m_bShownVisible ? pFolderColumn->GetVisible(Column)
                                                                 : visible);
    return true;
}

void TFolderColumnForm::LoadColumn(TColumnName Column) {
    const bool name = Column == cnName;
    CaptionEdit->SetText(pFolderColumn->GetCaption(Column));
    const int align = name ? static_cast<int>(taLeftJustify)
                           : static_cast<int>(pFolderColumn->GetAlignment(Column));
    AlignCombo->SetItemIndex(align >= 0 && align < AlignCombo->Items().Count() ? align : -1);
    AlignCombo->SetEnabled(!name);
    WidthEdit->SetText(std::to_string(pFolderColumn->GetWidth(Column)));
    VisibleCheck->SetChecked(name || pFolderColumn->GetVisible(Column));
    VisibleCheck->SetEnabled(!name);
    m_sShownCaption = CaptionEdit->Text();
    m_iShownAlignment = AlignCombo->ItemIndex();
    m_sShownWidth = WidthEdit->Text();
    m_bShownVisible = VisibleCheck->Checked();
}

// The width is not a number: say so, and stay on the column shown with the width ready to mend.
void TFolderColumnForm::RefuseWidth() {
    m_bWidthRefused = true;
    ShowMessage("'" + WidthEdit->Text() + "' is not a valid width: type a whole number of pixels.");
    ColumnListBox->SetItemIndex(m_iPrevIndex);
    WidthEdit->SetFocus();
    WidthEdit->SelectAll();
}

bool EditFolderColumns(TFolderColumn& Columns, std::string* Error) {
    TFolderColumnForm form(nullptr);
    if (!form.FormError().empty()) {
        if (Error)
            *Error = form.FormError();
        return false;
    }
    FolderColumnForm = &form;
    form.SetValues(&Columns);
    form.ShowModal();
    return true;
}
