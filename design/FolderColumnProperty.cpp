#include "design/FolderColumnProperty.h"

#include "design/FolderColumnForm.h"
#include "list/FolderEnumerator.h"

void TFolderColumnProperty::Edit() {
    // The property may be registered for every class: a component that is no folder list has no
    // column set to edit.
    auto* list = dynamic_cast<TFolderEnumerator*>(GetComponent(0));
    if (!list)
        return;
    EditFolderColumns(list->FolderColumns(), nullptr);
    Modified();
}

TPropertyAttributes TFolderColumnProperty::GetAttributes() {
    return paDialog | paReadOnly;
}

std::string TFolderColumnProperty::GetValue() {
    return "[TFolderColumns]";
}

// The set is edited in its dialog only.
bool TFolderColumnProperty::SetValue(const std::string&) {
    return false;
}
