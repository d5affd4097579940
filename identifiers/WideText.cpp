#include "identifiers/WideText.h"

#include <windows.h>

namespace {

std::wstring ToWide(UINT codePage, std::string_view s) {
    if (s.empty())
        return {};
    const int n =
        MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

} // namespace

std::wstring Utf8ToWide(std::string_view s) {
    return ToWide(CP_UTF8, s);
}

std::string WideToUtf8(std::wstring_view s) {
    if (s.empty())
        return {};
    const int size = static_cast<int>(s.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string AnsiToUtf8(std::string_view s) {
    return WideToUtf8(ToWide(CP_ACP, s));
}

bool WidePath(std::string_view Path, std::wstring& Result) {
    Result = Utf8ToWide(Path);
    return Result.size() < MAX_PATH;
}

bool WideNewName(std::string_view FolderPath, std::string_view Name, std::wstring& Result) {
    Result = Utf8ToWide(Name);
    const std::wstring folder = Utf8ToWide(FolderPath);
    // A drive's root ends in its backslash already.
    const size_t separator = folder.empty() || folder.back() == L'\\' ? 0 : 1;
    return folder.size() + separator + Result.size() < MAX_PATH;
}
