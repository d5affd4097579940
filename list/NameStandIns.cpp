#include "list/NameStandIns.h"

#include "identifiers/WideText.h"
#include "shell/ShellRoutines.h"

namespace {

std::wstring ExtensionOf(const std::wstring& Name) {
    const size_t dot = Name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : Name.substr(dot);
}

} // namespace

TNameStandIns::TNameStandIns(IShellFolder* Folder, const TDirectoryScan& Scan)
    : m_Folder(Folder), m_bCustomised(Scan.Contains(L"desktop.ini")) {}

std::optional<std::string> TNameStandIns::CaptionOf(LPCITEMIDLIST Child, const TFoundEntry& Entry) {
    const bool directory = (Entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (m_bCustomised || !m_Folder || (Entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) ||
        (directory && (Entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) ||
        Entry.sName.find(L".{") != std::wstring::npos)
        return std::nullopt;
    const std::wstring extension = ExtensionOf(Entry.sName);
    const std::wstring kind = (directory ? L"d" : L"f") + extension;
    auto rule = m_Rules.find(kind);
    if (rule == m_Rules.end()) {
        std::string shown;
        TRule found = TRule::AskShell;
        if (EnumGlobals::GetNiceName(m_Folder, Child, SHGDN_NORMAL, shown)) {
            const std::wstring wide = Utf8ToWide(shown);
            if (wide == Entry.sName)
                found = TRule::FileName;
            else if (!extension.empty() &&
                     wide == Entry.sName.substr(0, Entry.sName.size() - extension.size()))
                found = TRule::WithoutExtension;
        }
        rule = m_Rules.emplace(kind, found).first;
        // The sample's own answer is its caption whatever the rule.
        if (!shown.empty())
            return shown;
    }
    switch (rule->second) {
    case TRule::FileName:
        return WideToUtf8(Entry.sName);
    case TRule::WithoutExtension:
        return WideToUtf8(Entry.sName.substr(0, Entry.sName.size() - extension.size()));
    case TRule::AskShell:
        break;
    }
    return std::nullopt;
}
