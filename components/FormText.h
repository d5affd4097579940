#pragma once

// The text rendering of form documents, for reading and editing by hand:
//
//   object ExplorerWindow: TExplorerWindow
//     Caption = 'Explorer'
//     Font.Style = [fsBold]
//     OnClick = WindowClick
//     FolderColumns.FolderColumn = (
//       'Name'
//       0)
//     object Logo: TImage
//       Picture.Data = {
//         424D7E0000000000...
//         FFFF}
//     end
//   end
//
// Values: integers in decimal; strings in single quotes ('' for a quote), with #n for a byte that
// is not printable ASCII nor part of a well-formed UTF-8 character ('a'#10'b'); True and False;
// nil; identifiers; sets in brackets; lists in parentheses; binary data in braces, two hex digits
// a byte, blanks and line breaks allowed between the bytes. Text written from a document reads
// back as the same document, so binary -> text -> binary gives the same bytes.

#include "components/FormDocument.h"

#include <string>
#include <string_view>

// Whether the text begins like a form (after blanks, the word "object").
bool IsTextForm(std::string_view Text);

// Reads one object and nothing after it. Errors name their line.
bool ReadFormText(std::string_view Text, TFormObject& Root, TFormError& Error);
// Lines end in "\n" (the reader takes "\r\n" too), two blanks indent each level. Fails on a
// document that breaks the naming rules of FormDocument.h (which the binary writer would refuse as
// well).
bool WriteFormText(const TFormObject& Root, std::string& Text, TFormError& Error);
