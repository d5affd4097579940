#pragma once

#include "components/Component.h"

#include <string>

// Binds a dialog's field to the control of that name its stored form made. Missing collects the
// first control not found (or not of the field's class), for the dialog to report.
template <class T>
void BindFormField(TComponent& Form, T*& Field, const char* Name, std::string& Missing) {
    Field = dynamic_cast<T*>(Form.FindComponent(Name));
    if (!Field && Missing.empty())
        Missing = std::string("the stored form has no control ") + Name + " of the right kind";
}
