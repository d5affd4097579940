// libFuzzer target for the form-file core: any input either fails to read with an error, or reads
// into a document that every writer accepts and that reads back unchanged through both encodings.
// Built natively by run.sh, never part of the Windows build.

#include "components/FormBinary.h"
#include "components/FormText.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Broken(const char* What, const TFormError& Error) {
    std::fprintf(stderr, "form fuzz: %s: %s\n", What, Error.Message().c_str());
    std::abort();
}

// A document that was read must survive binary -> document -> text -> document -> binary.
void CheckRoundTrips(const TFormObject& Form) {
    TFormError error;
    std::string binary;
    if (!WriteFormBinary(Form, binary, error))
        Broken("a read document did not write as binary", error);
    TFormObject fromBinary;
    if (!ReadFormBinary(binary, fromBinary, error))
        Broken("written binary did not read back", error);
    if (!(fromBinary == Form))
        Broken("binary round trip changed the document", error);
    std::string text;
    if (!WriteFormText(Form, text, error))
        Broken("a read document did not write as text", error);
    TFormObject fromText;
    if (!ReadFormText(text, fromText, error))
        Broken("written text did not read back", error);
    if (!(fromText == Form))
        Broken("text round trip changed the document", error);
    std::string again;
    if (!WriteFormBinary(fromText, again, error) || again != binary)
        Broken("binary -> text -> binary changed the bytes", error);
}

void CheckError(const TFormError& Error, std::size_t Size, bool Text) {
    if (Error.Expected.empty())
        Broken("a read error without what was expected", Error);
    if (!Text && Error.Offset > Size)
        Broken("a read error past the end of the input", Error);
    if (Text && Error.Line < 1)
        Broken("a text error without a line", Error);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string_view input(reinterpret_cast<const char*>(Data), Size);
    TFormObject form;
    TFormError error;
    if (ReadFormBinary(input, form, error))
        CheckRoundTrips(form);
    else
        CheckError(error, Size, false);
    form = {};
    error = {};
    if (ReadFormText(input, form, error))
        CheckRoundTrips(form);
    else
        CheckError(error, Size, true);
    return 0;
}
