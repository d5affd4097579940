#include "list/NameStandIns.h"

#include "identifiers/WideText.h"
#include "list/ColumnTexts.h"
#include "shell/ShellRoutines.h"

TNameStandIns::TNameStandIns(IShellFolder* Folder, const TDirectoryScan& Scan)
    : m_Folder(Folder), m_bCustomised(Scan.Contains(L"desktop.ini")) {}

std::optional<std::string> TNameStandIns::CaptionOf(LPCITEMIDLIST Child, const TFoundEntry& Entry) {
    const bool directory = (Entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (m_bCustomised || !m_Folder || (Entry.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) ||
        (directory && (Entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) ||
        Entry.sName.find(L".{") != std::wstring::npos)
        return std::nullopt;
    const std::string name = WideToUtf8(Entry.sName);
    const std::string extension = ColumnTexts::ExtensionOf(Entry.sName);
    const std::string stem = name.substr(0, name.size() - extension.size());
    const std::string kind = (directory ? "d" : "f") + extension;
    auto rule = m_Rules.find(kind);
    if (rule == m_Rules.end()) {
        std::string shown;
        TRule found = TRule::AskShell;
        if (EnumGlobals::GetNiceName(m_Folder, Child, SHGDN_NORMAL, shown)) {
            if (shown == name)
                found = TRule::FileName;
            else if (!extension.empty() && shown == stem)
                found = TRule::WithoutExtension;
        }
        rule = m_Rules.emplace(kind, found).first;
        // The sample's own answer is its caption whatever the rule.
        if (!shown.empty())
            return shown;
    }
    switch (rule->second) {
    case TRule::FileName:
        return name;
    case TRule::WithoutExtension:
        return stem;
    case TRule::AskShell:
        break;
    }
    return std::nullopt;
}
