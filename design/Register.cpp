#include "design/Register.h"

#include "combo/NameSpaceCombo.h"
#include "controls/DesignRegistry.h"
#include "design/AboutProperty.h"
#include "design/FolderColumnProperty.h"
#include "list/FolderEnumerator.h"
#include "tree/NameSpaceEnumerator.h"

void Register() {
    RegisterComponents("Dovek's Components", {&TFolderEnumerator::StaticClassInfo(),
                                              &TNameSpaceEnumerator::StaticClassInfo(),
                                              &TNameSpaceCombo::StaticClassInfo()});
    RegisterPropertyEditor("TAbout", nullptr, "About", NewPropertyEditor<TAboutProperty>);
    RegisterPropertyEditor("TFolderColumn", nullptr, "FolderColumns",
                           NewPropertyEditor<TFolderColumnProperty>);
}
