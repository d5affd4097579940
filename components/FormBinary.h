#pragma once

// The binary encoding of form documents (the container is described in FormDocument.h). Both
// directions report failure through their result; the reader never reads past its input and never
// allocates more than the input it has left can fill.

#include "components/FormDocument.h"

#include <string>
#include <string_view>

// The four bytes a binary form file begins with.
constexpr std::string_view kFormSignature = "VFF1";

bool IsBinaryForm(std::string_view Bytes);

// Reads a whole file: the signature, one object, nothing after it.
bool ReadFormBinary(std::string_view Bytes, TFormObject& Root, TFormError& Error);
// Writes a whole file. Fails, writing nothing, on a name or identifier that breaks the naming
// rules (a name longer than 255 bytes among them) or on nesting deeper than kFormMaxDepth.
bool WriteFormBinary(const TFormObject& Root, std::string& Bytes, TFormError& Error);

// One value as it is stored after its property's name.
bool EncodeFormValue(const TFormValue& Value, std::string& Bytes, TFormError& Error);
