#pragma once

// Form files bound to components. Writing stores a root component and every component it owns:
// each one's class and name, its published properties in stored order (those holding their
// defaults left out; nested persistents as "Font.Height" entries; defined data under its path),
// then the components nested in it (a control's child controls, a menu's items).
//
// Reading runs the other way into an existing root: it makes each nested component from its
// class name, owned by the root and marked csLoading from its construction, puts it in its
// parent before any property, and sets the properties in file order; names match without regard
// to ASCII case, and an unknown class or property is an error, never skipped. Component
// references are resolved by name once the whole form is read; event handlers are bound at once
// to the root class's published methods. Then Loaded runs once per component, the root first,
// then the others in the order they were read.
//
// A read that fails reports where (offset or line), what was expected and the name involved, and
// destroys every component it made, without Loaded. Values it had already set on the root (and
// on what the root owned before) stay; the root still gets its Loaded. No exception leaves these
// functions.

#include "components/FormDocument.h"

#include <string>
#include <string_view>

class TComponent;

enum class TFormFormat { Binary, Text };

bool ReadComponent(TComponent& Root, const TFormObject& Form, TFormError& Error);
// Fails on a value the form file cannot hold: a reference to a component outside the form or
// without a name, an ordinal outside its enumeration, a name longer than 255 bytes.
bool WriteComponent(TComponent& Root, TFormObject& Form, TFormError& Error);

// A binary or text form, told apart by the binary signature.
bool ReadComponentBytes(TComponent& Root, std::string_view Bytes, TFormError& Error);
bool WriteComponentBytes(TComponent& Root, TFormFormat Format, std::string& Bytes,
                         TFormError& Error);

// A form built into the program as an RCDATA resource of that name (a binary or text form);
// the bytes are empty when there is no such resource.
std::string ComponentResourceBytes(const std::string& ResourceName);
bool ReadComponentResource(TComponent& Root, const std::string& ResourceName, TFormError& Error);

// Path is UTF-8. Saving writes a temporary file beside the target and puts it in the target's
// place only once the whole form is written, so a failed save leaves the old file whole.
bool LoadComponentFile(TComponent& Root, const std::string& Path, TFormError& Error);
bool SaveComponentFile(TComponent& Root, const std::string& Path, TFormFormat Format,
                       TFormError& Error);
