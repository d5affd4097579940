#include "shell/FileOperation.h"

#include "identifiers/StringList.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"

#include <cwchar>

bool TFileOperation::IsKnownOperation(UINT Operation) {
    return Operation == FO_MOVE || Operation == FO_COPY || Operation == FO_DELETE;
}

TFileOperation::TFileOperation(HWND hWnd, UINT Operation, const TStringList& SourceFiles,
                               const std::string& szDestPath)
    : m_From(EnumGlobals::BreakUpStringListW(SourceFiles)), m_To(Utf8ToWide(szDestPath)) {
    // The string's own terminator is the second zero.
    m_To.push_back(L'\0');
    m_Record.hwnd = hWnd;
    m_Record.wFunc = Operation;
    m_Record.pFrom = m_From.data();
    m_Record.pTo = m_To.c_str();
    // The deleted or moved files can be brought back by the platform's undo.
    m_Record.fFlags = FOF_ALLOWUNDO;
    m_Record.lpszProgressTitle = L"";
}

namespace {

bool RunningOnWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace

void TFileOperation::Run() {
    SHFILEOPSTRUCTW record = m_Record;
    const bool severalSources = m_From.size() > 1 && std::wcslen(m_From.data()) + 2 < m_From.size();
    if (record.wFunc != FO_MOVE || !severalSources || !RunningOnWine()) {
        SHFileOperationW(&record);
        return;
    }
    // Wine's file operation refuses to move more than one file into a folder (it answers
    // "cancelled" without asking anyone), where Windows moves them all. There the files are moved
    // one at a time, each with the same destination and flags; a cancel by the user ends the rest.
    for (const wchar_t* source = m_From.data(); *source; source += std::wcslen(source) + 1) {
        std::wstring single(source);
        single.push_back(L'\0');
        record = m_Record;
        record.pFrom = single.c_str();
        if (SHFileOperationW(&record) == ERROR_CANCELLED && record.fAnyOperationsAborted)
            return;
    }
}
