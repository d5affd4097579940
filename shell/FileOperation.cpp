#include "shell/FileOperation.h"

#include "controls/StringList.h"
#include "identifiers/EnumGlobals.h"
#include "identifiers/WideText.h"

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

void TFileOperation::Run() {
    SHFILEOPSTRUCTW record = m_Record;
    SHFileOperationW(&record);
}
