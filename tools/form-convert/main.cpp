// form-convert IN OUT: converts a form file between its text rendering (.vfm) and its binary one
// (.vff). What IN holds is told from its bytes; what OUT gets, from its extension. On failure the
// error goes to standard error, the exit code is not 0, and OUT is left as it was.

#include "components/FormBinary.h"
#include "components/FormText.h"
#include "identifiers/WideText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace {

int Fail(const std::string& Message) {
    std::fprintf(stderr, "form-convert: %s\n", Message.c_str());
    return 1;
}

bool ReadWhole(const std::filesystem::path& Path, std::string& Bytes) {
    std::ifstream in(Path, std::ios::binary);
    if (!in)
        return false;
    Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Written beside the target and moved over it once whole, so a failed write keeps the old file.
bool WriteWhole(const std::filesystem::path& Path, const std::string& Bytes) {
    std::filesystem::path temporary = Path;
    temporary += L".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size())))
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, Path, error);
    if (error)
        std::filesystem::remove(temporary, error);
    return !error;
}

bool SameExtension(const std::filesystem::path& Path, std::wstring_view Extension) {
    return SameFormName(WideToUtf8(Path.extension().wstring()), WideToUtf8(Extension));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: form-convert IN OUT   (OUT ending in .vfm: text, .vff: "
                             "binary)\n");
        return 2;
    }
    const std::filesystem::path in = argv[1];
    const std::filesystem::path out = argv[2];
    const std::string inName = WideToUtf8(argv[1]);
    const std::string outName = WideToUtf8(argv[2]);
    const bool toText = SameExtension(out, L".vfm");
    if (!toText && !SameExtension(out, L".vff"))
        return Fail(outName + ": expected an output name ending in .vfm (text) or .vff (binary)");

    std::string bytes;
    if (!ReadWhole(in, bytes))
        return Fail(inName + ": cannot be read");
    TFormObject form;
    TFormError error;
    const bool binary = IsBinaryForm(bytes);
    if (!binary && !IsTextForm(bytes))
        return Fail(inName + ": expected a form file (the signature \"VFF1\" or the word object)");
    if (!(binary ? ReadFormBinary(bytes, form, error) : ReadFormText(bytes, form, error)))
        return Fail(inName + ": " + error.Message());

    std::string converted;
    if (!(toText ? WriteFormText(form, converted, error) : WriteFormBinary(form, converted, error)))
        return Fail(outName + ": " + error.Message());
    if (!WriteWhole(out, converted))
        return Fail(outName + ": cannot be written");
    return 0;
}
