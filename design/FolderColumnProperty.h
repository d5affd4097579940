#pragma once

#include "controls/PropertyEditor.h"

// The editor of the folder list's column set: a fixed text that cannot be typed into, and a
// button that opens the column editor on the first selected list's live set. The form is marked
// as changed whenever the editor has been open, changed or not.
class TFolderColumnProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Edit() override;
    TPropertyAttributes GetAttributes() override;
    std::string GetValue() override;
    bool SetValue(const std::string& Value) override;
};
