// The folder list: the texts of the detail columns.
#include "list/ColumnTexts.h"

#include "identifiers/WideText.h"

namespace ColumnTexts {

std::string SizeText(int64_t iSize) {
    if (iSize <= 0)
        return "0KB";
    if (iSize < 1024)
        return "1KB";
    return std::to_string(iSize / 1024) + "KB";
}

std::string SizeText(const TItemData& Data) {
    if ((Data.EntryDetails.uAttrib & SFGAO_FOLDER) || !Data.bHasDetails)
        return {};
    return SizeText(Data.EntryDetails.iSize);
}

std::string AttributesText(const TItemData& Data) {
    if (!Data.bHasFile)
        return ".....";
    const DWORD a = Data.dwFileAttributes;
    std::string text = ".....";
    if (a & FILE_ATTRIBUTE_HIDDEN)
        text[0] = 'H';
    if (a & FILE_ATTRIBUTE_SYSTEM)
        text[1] = 'S';
    if (a & FILE_ATTRIBUTE_READONLY)
        text[2] = 'R';
    if (a & FILE_ATTRIBUTE_ARCHIVE)
        text[3] = 'A';
    if (a & FILE_ATTRIBUTE_DIRECTORY)
        text[4] = 'D';
    return text;
}

std::string ExtensionOf(const std::wstring& FileName) {
    const size_t dot = FileName.rfind(L'.');
    if (dot == std::wstring::npos)
        return {};
    return WideToUtf8(FileName.substr(dot));
}

std::string ModifiedText(const SYSTEMTIME& Date) {
    // Rows of one folder often share their minute; the locale is asked once for each.
    static SYSTEMTIME lastMinute{};
    static std::string lastText;
    const bool sameMinute = !lastText.empty() && lastMinute.wYear == Date.wYear &&
                            lastMinute.wMonth == Date.wMonth && lastMinute.wDay == Date.wDay &&
                            lastMinute.wHour == Date.wHour && lastMinute.wMinute == Date.wMinute;
    if (sameMinute)
        return lastText;
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    if (!GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &Date, nullptr, date, 128))
        date[0] = L'\0';
    if (!GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, &Date, nullptr, time, 128))
        time[0] = L'\0';
    lastMinute = Date;
    lastText = WideToUtf8(date) + " " + WideToUtf8(time);
    return lastText;
}

std::string ModifiedText(const TItemData& Data) {
    if (!Data.bHasDetails)
        return {};
    return ModifiedText(Data.EntryDetails.Date);
}

std::string VirtualTypeText(const std::string& Caption) {
    // Compared as the framework compares captions: only a to z fold.
    static const char kRecycled[] = "RECYCLED";
    bool recycled = Caption.size() == sizeof kRecycled - 1;
    for (size_t i = 0; recycled && i < Caption.size(); ++i) {
        char c = Caption[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        recycled = c == kRecycled[i];
    }
    return recycled ? "Recycle Bin" : "System Folder";
}

} // namespace ColumnTexts
