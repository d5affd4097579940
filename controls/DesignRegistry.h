#pragma once

// What a package registers for the form designer: its components on pages of the palette, and
// the property editors of its own types. Registration is process-wide and kept until the end.

#include "controls/PropertyEditor.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TClassInfo;

// A page of the component palette: its classes in the order registered.
struct TPalettePage {
    std::string Name;
    std::vector<const TClassInfo*> Classes;
};

// Puts the classes on the palette page of that name (made when new, after the pages there are),
// and registers each for creation by name (form files name a component's class). A class already
// on the palette, on any page, is left where it is.
void RegisterComponents(std::string_view Page, std::initializer_list<const TClassInfo*> Classes);
// The palette's pages in the order they were made.
const std::vector<TPalettePage>& PalettePages();

// Registers Factory as the editor of properties of the type named PropertyType: for components
// of ComponentClass and its descendants (nullptr: of every class), and of those only the
// properties named PropertyName (empty: every name). Registering the same type, class and name
// again replaces the factory.
void RegisterPropertyEditor(std::string_view PropertyType, const TClassInfo* ComponentClass,
                            std::string_view PropertyName, TPropertyEditorFactory Factory);

// The editor of Prop for the selected Components: of the registered ones matching the type,
// the name and the class of every selected component, the most specific (a class below
// another's, a class over none, a name over none; among equals the latest registered), else
// the default editor of the property's kind. nullptr for an event, or when nothing is selected.
std::unique_ptr<TPropertyEditor>
GetPropertyEditor(IDesigner* Designer, std::vector<TPersistent*> Components, const TPropInfo& Prop);
