#pragma once

#include "controls/PropertyEditor.h"

// The editor of each component's About pseudo-property: a fixed text that cannot be typed into,
// and a button that shows the About box. Showing it changes nothing on the form.
class TAboutProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Edit() override;
    TPropertyAttributes GetAttributes() override;
    std::string GetValue() override;
};
