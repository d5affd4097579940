// Form files in memory and on disk.

#include "components/FormBinary.h"
#include "components/FormStreaming.h"
#include "components/FormText.h"

#include "identifiers/Holders.h"
#include "identifiers/WideText.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

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
    // Read through the platform's own file calls, which take every form of path it knows.
    const OwnedHandle file(CreateFileW(Utf8ToWide(Path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) {
        Error = TFormError{0, 0, "a readable form file", Path};
        return false;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        Error = TFormError{0, 0, "a readable form file", Path};
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

std::string ComponentResourceBytes(const std::string& ResourceName) {
    const std::wstring name = Utf8ToWide(ResourceName);
    HRSRC found = FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

bool ReadComponentResource(TComponent& Root, const std::string& ResourceName, TFormError& Error) {
    const std::string bytes = ComponentResourceBytes(ResourceName);
    if (bytes.empty()) {
        Error = TFormError{0, 0, "a form resource built into the program", ResourceName};
        return false;
    }
    return ReadComponentBytes(Root, bytes, Error);
}
