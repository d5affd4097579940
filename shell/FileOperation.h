#pragma once

// One run of the platform's file operation, with the buffers its record points into. The record
// reads both its source and its destination as lists of names, each ended by a zero and the whole
// by one more zero, so both buffers are built that way.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

class TStringList;

class TFileOperation {
public:
    // The codes the package runs: 1 move, 2 copy, 3 delete.
    static bool IsKnownOperation(UINT Operation);

    TFileOperation(HWND hWnd, UINT Operation, const TStringList& SourceFiles,
                   const std::string& szDestPath);
    TFileOperation(const TFileOperation&) = delete;
    TFileOperation& operator=(const TFileOperation&) = delete;

    // The record as it is handed to the platform.
    const SHFILEOPSTRUCTW& Record() const { return m_Record; }
    // Runs the operation; the shell shows its own progress, confirmation and error dialogs.
    // Its answer, and whether the user cancelled, are of no interest to the callers.
    void Run();

private:
    std::vector<wchar_t> m_From;
    std::wstring m_To;
    SHFILEOPSTRUCTW m_Record{};
};
