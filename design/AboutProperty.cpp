#include "design/AboutProperty.h"

#include "design/AboutVarnel.h"

void TAboutProperty::Edit() {
    // A box that cannot be read from its stored form shows nothing; there is nothing to report
    // to the inspector either way.
    ShowAboutVarnel(nullptr);
}

TPropertyAttributes TAboutProperty::GetAttributes() {
    return paDialog | paReadOnly;
}

std::string TAboutProperty::GetValue() {
    return "[About]";
}
