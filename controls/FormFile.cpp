// Form files in memory and on disk.

#include "controls/FormBinary.h"
#include "controls/FormStreaming.h"
#include "controls/FormText.h"

#include "identifiers/WideText.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

bool ReadComponentBytes(TComponent& Root, std::string_view Bytes, TFormError& Error) {
    TFormObject form;
    const bool parsed =
        IsBinaryForm(Bytes) ? ReadFormBinary(Bytes, form, Error) : ReadFormText(Bytes, form, Error);
    return parsed && ReadComponent(Root, form, Error);
}

bool WriteComponentBytes(TComponent& Root, TFormFormat Format, std::string& Bytes,
                         TFormError& Error) {
    TFormObject form;
    if (!WriteComponent(Root, form, Error))
        return false;
    return Format == TFormFormat::Binary ? WriteFormBinary(form, Bytes, Error)
                                         : WriteFormText(form, Bytes, Error);
}

bool LoadComponentFile(TComponent& Root, const std::string& Path, TFormError& Error) {
    std::ifstream in(std::filesystem::path(Utf8ToWide(Path)), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        Error = TFormError{0, 0, "a readable file", Path};
        return false;
    }
    if (!in.is_open()) {
        Error = TFormError{0, 0, "a readable file", Path};
        return false;
    }
    return ReadComponentBytes(Root, bytes, Error);
}

bool SaveComponentFile(TComponent& Root, const std::string& Path, TFormFormat Format,
                       TFormError& Error) {
    std::string bytes;
    if (!WriteComponentBytes(Root, Format, bytes, Error))
        return false;
    const std::wstring target = Utf8ToWide(Path);
    const std::wstring temporary = target + L".~saving";
    {
        std::ofstream out(std::filesystem::path(temporary), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            DeleteFileW(temporary.c_str());
            Error = TFormError{0, 0, "a writable file beside the form", Path};
            return false;
        }
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        Error = TFormError{0, 0, "a form file that can be replaced", Path};
        return false;
    }
    return true;
}
