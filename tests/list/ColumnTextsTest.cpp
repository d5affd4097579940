// The column texts and the directory scan, on their own.

#include "list/ColumnTexts.h"
#include "list/DirectoryScan.h"

#include "identifiers/WideText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace ColumnTexts;

TEST(ColumnTexts, SizesAreWholeKilobytesWithTheSmallestShownAsOne) {
    EXPECT_EQ(SizeText(0), "0KB");
    EXPECT_EQ(SizeText(-5), "0KB");
    EXPECT_EQ(SizeText(1), "1KB");
    EXPECT_EQ(SizeText(1023), "1KB");
    EXPECT_EQ(SizeText(1024), "1KB");
    EXPECT_EQ(SizeText(2047), "1KB");
    EXPECT_EQ(SizeText(2048), "2KB");
    EXPECT_EQ(SizeText(3000), "2KB");
    EXPECT_EQ(SizeText(int64_t{5} << 30), "5242880KB") << "sizes beyond 32 bits";

    TItemData data;
    EXPECT_EQ(SizeText(data), "") << "no details found";
    data.bHasDetails = true;
    data.EntryDetails.iSize = 4096;
    EXPECT_EQ(SizeText(data), "4KB");
    data.EntryDetails.uAttrib = SFGAO_FOLDER;
    EXPECT_EQ(SizeText(data), "");
}

TEST(ColumnTexts, AttributesShowOneLetterPerFlagInTheirPlaces) {
    TItemData data;
    EXPECT_EQ(AttributesText(data), ".....");
    data.bHasFile = true;
    data.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(AttributesText(data), "...A.");
    data.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
    EXPECT_EQ(AttributesText(data), "....D");
    data.dwFileAttributes =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(AttributesText(data), "H.RA.");
    data.dwFileAttributes = 0x3F;
    EXPECT_EQ(AttributesText(data), "HSRAD");
}

TEST(ColumnTexts, ExtensionsRunFromTheLastDot) {
    EXPECT_EQ(ExtensionOf(L"a.tar.gz"), ".gz");
    EXPECT_EQ(ExtensionOf(L".profile"), ".profile");
    EXPECT_EQ(ExtensionOf(L"noext"), "");
    EXPECT_EQ(ExtensionOf(L"trailing."), ".");
}

TEST(ColumnTexts, OnlyACaptionRecycledInAnyCaseIsTheBin) {
    EXPECT_EQ(VirtualTypeText("Recycled"), "Recycle Bin");
    EXPECT_EQ(VirtualTypeText("rEcYcLeD"), "Recycle Bin");
    EXPECT_EQ(VirtualTypeText("Recycle Bin"), "System Folder");
    EXPECT_EQ(VirtualTypeText("Recycled "), "System Folder");
}

TEST(ColumnTexts, ModifiedIsTheShortDateAndTheTimeWithoutSeconds) {
    SYSTEMTIME date{2024, 2, 0, 29, 13, 7, 59, 0};
    wchar_t day[64];
    wchar_t time[64];
    GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &date, nullptr, day, 64);
    GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, TIME_NOSECONDS, &date, nullptr, time, 64);
    EXPECT_EQ(ModifiedText(date), WideToUtf8(day) + " " + WideToUtf8(time));
    SYSTEMTIME later = date;
    later.wSecond = 3;
    EXPECT_EQ(ModifiedText(later), ModifiedText(date)) << "seconds are not shown";
    later.wMinute = 8;
    EXPECT_NE(ModifiedText(later), ModifiedText(date));
    TItemData data;
    EXPECT_EQ(ModifiedText(data), "");
}

TEST(DirectoryScan, AnswersForEntriesDirectlyInTheDirectoryOnly) {
    TempFolder folder("varnel-scan");
    folder.MakeFile("a.txt", "12345");
    folder.MakeFolder("sub");
    folder.MakeFile("sub\\deep.txt");
    const std::wstring dir = Utf8ToWide(folder.Path());
    TDirectoryScan scan(dir);
    EXPECT_EQ(scan.Count(), 2);
    const TFoundEntry* a = scan.Find(dir + L"\\a.txt");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->sName, L"a.txt");
    EXPECT_EQ(a->iSize, 5);
    ASSERT_NE(scan.Find(dir + L"\\sub"), nullptr);
    EXPECT_TRUE(scan.Find(dir + L"\\sub")->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(scan.Find(dir + L"\\sub\\deep.txt"), nullptr) << "deeper entries are searched alone";
    EXPECT_EQ(scan.Find(dir + L"\\missing.txt"), nullptr);
    EXPECT_EQ(scan.Find(L"C:\\elsewhere\\a.txt"), nullptr);

    // The single search agrees with the scan, and never cuts a path too long.
    TFoundEntry entry;
    ASSERT_TRUE(FindEntry(dir + L"\\a.txt", entry));
    EXPECT_EQ(entry.sName, a->sName);
    EXPECT_EQ(entry.iSize, a->iSize);
    EXPECT_FALSE(FindEntry(dir + L"\\" + std::wstring(300, L'a'), entry));
    EXPECT_FALSE(FindEntry(dir + L"\\*.txt", entry)) << "a pattern names no entry";
    EXPECT_EQ(TDirectoryScan(L"").Count(), 0);
}
