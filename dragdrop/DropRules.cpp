// The drop decisions that depend on paths alone.

#include "dragdrop/DropRules.h"

#include "identifiers/WideText.h"

#include <windows.h>
#include <ole2.h>

namespace DropRules {

namespace {

// The non-empty components between backslashes.
std::vector<std::wstring> Components(const std::string& Path) {
    std::vector<std::wstring> parts;
    const std::wstring wide = Utf8ToWide(Path);
    size_t start = 0;
    while (start <= wide.size()) {
        size_t end = wide.find(L'\\', start);
        if (end == std::wstring::npos)
            end = wide.size();
        if (end > start)
            parts.push_back(wide.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool SameComponent(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Whether the first Count components of both lists are the same.
bool SamePrefix(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b,
                size_t Count) {
    if (a.size() < Count || b.size() < Count)
        return false;
    for (size_t i = 0; i < Count; ++i)
        if (!SameComponent(a[i], b[i]))
            return false;
    return true;
}

} // namespace

bool SamePath(const std::string& Path1, const std::string& Path2) {
    const auto a = Components(Path1);
    const auto b = Components(Path2);
    return !a.empty() && a.size() == b.size() && SamePrefix(a, b, a.size());
}

bool IsSameOrBelow(const std::string& Path, const std::string& Folder) {
    const auto path = Components(Path);
    const auto folder = Components(Folder);
    return !folder.empty() && SamePrefix(path, folder, folder.size());
}

bool RefusesDrop(const std::string& Destination, const std::string& SourcePath,
                 const std::vector<std::string>& Sources, int Operation) {
    if (Destination.empty())
        return true;
    if (Operation != DROPEFFECT_LINK && SamePath(Destination, SourcePath))
        return true;
    for (const std::string& source : Sources)
        if (IsSameOrBelow(Destination, source))
            return true;
    return false;
}

std::string ShortcutBaseName(const std::string& Source) {
    std::string path = Source;
    // A drive's root has no name of its own: it is called after its letter.
    if (path.size() >= 2 && path[1] == ':' && path.find_first_not_of('\\', 2) == std::string::npos)
        return path.substr(0, 1);
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    const size_t slash = path.find_last_of("\\:");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot == 0)
        return name;
    return name.substr(0, dot);
}

std::string FreeShortcutPath(const std::string& Destination, const std::string& BaseName,
                             const std::function<bool(const std::string&)>& Exists) {
    // A folder holding that many shortcuts to one name gets no further one.
    constexpr int kMostShortcuts = 1000;
    for (int number = 1; number <= kMostShortcuts; ++number) {
        const std::string prefix =
            number == 1 ? "Shortcut to " : "Shortcut (" + std::to_string(number) + ") to ";
        const std::string path = Destination + prefix + BaseName + ".lnk";
        if (Utf8ToWide(path).size() >= MAX_PATH)
            return {};
        if (!Exists || !Exists(path))
            return path;
    }
    return {};
}

std::string ShortcutDescription(const std::string& BaseName) {
    return "Shortcut to " + BaseName;
}

} // namespace DropRules
