// The drop decisions made from paths alone.

#include "dragdrop/DropRules.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <set>
#include <string>

using namespace DropRules;

TEST(DropRules, PathsCompareByWholeComponentsIgnoringCase) {
    EXPECT_TRUE(SamePath("C:\\Data\\", "c:\\data"));
    EXPECT_TRUE(SamePath("C:\\", "C:"));
    EXPECT_FALSE(SamePath("C:\\Data", "C:\\Database"));
    EXPECT_FALSE(SamePath("", ""));

    EXPECT_TRUE(IsSameOrBelow("C:\\Data", "c:\\DATA\\"));
    EXPECT_TRUE(IsSameOrBelow("C:\\Data\\x\\y\\", "C:\\data"));
    EXPECT_FALSE(IsSameOrBelow("C:\\Database\\x", "C:\\Data"));
    EXPECT_FALSE(IsSameOrBelow("C:\\", "C:\\Data"));
}

TEST(DropRules, ADropIntoTheSourceFolderOrIntoADraggedFolderIsRefused) {
    const std::vector<std::string> sources{"C:\\Data\\a.txt", "C:\\Data\\Folder"};
    EXPECT_FALSE(RefusesDrop("C:\\Other\\", "C:\\Data\\", sources));
    EXPECT_TRUE(RefusesDrop("c:\\data\\", "C:\\Data\\", sources)) << "back where they come from";
    EXPECT_TRUE(RefusesDrop("C:\\Data\\Folder\\", "C:\\Data\\", sources)) << "into itself";
    EXPECT_TRUE(RefusesDrop("C:\\DATA\\folder\\deep\\", "C:\\Data\\", sources)) << "below itself";
    EXPECT_FALSE(RefusesDrop("C:\\Data\\Folder2\\", "C:\\Data\\", sources)) << "a sibling";
    EXPECT_TRUE(RefusesDrop("", "C:\\Data\\", sources)) << "no file-system folder";

    // A shortcut may go beside what it leads to, never into a dragged folder.
    EXPECT_FALSE(RefusesDrop("c:\\data\\", "C:\\Data\\", sources, DROPEFFECT_LINK));
    EXPECT_TRUE(RefusesDrop("C:\\Data\\Folder\\", "C:\\Data\\", sources, DROPEFFECT_LINK));
}

TEST(DropRules, AShortcutIsNamedAfterTheNameWithoutItsExtension) {
    EXPECT_EQ(ShortcutBaseName("C:\\Data\\Report.txt"), "Report");
    EXPECT_EQ(ShortcutBaseName("C:\\Data\\archive.tar.gz"), "archive.tar");
    EXPECT_EQ(ShortcutBaseName("C:\\Data\\README"), "README");
    EXPECT_EQ(ShortcutBaseName("C:\\Data\\Folder\\"), "Folder");
    EXPECT_EQ(ShortcutBaseName("C:\\Data\\.profile"), ".profile");
    EXPECT_EQ(ShortcutBaseName("C:\\"), "C") << "a drive's root, after its letter";
    EXPECT_EQ(ShortcutDescription("Report"), "Shortcut to Report");
}

TEST(DropRules, AShortcutNeverTakesTheNameOfAnExistingFile) {
    std::set<std::string> existing;
    const auto exists = [&](const std::string& Path) { return existing.count(Path) > 0; };
    EXPECT_EQ(FreeShortcutPath("C:\\T\\", "Report", exists), "C:\\T\\Shortcut to Report.lnk");
    existing.insert("C:\\T\\Shortcut to Report.lnk");
    EXPECT_EQ(FreeShortcutPath("C:\\T\\", "Report", exists), "C:\\T\\Shortcut (2) to Report.lnk");
    existing.insert("C:\\T\\Shortcut (2) to Report.lnk");
    EXPECT_EQ(FreeShortcutPath("C:\\T\\", "Report", exists), "C:\\T\\Shortcut (3) to Report.lnk");

    // A name the platform cannot take is none at all, never a shortened one.
    const std::string folder = "C:\\" + std::string(230, 'f') + "\\";
    EXPECT_EQ(FreeShortcutPath(folder, std::string(20, 'r'), exists), "");
    EXPECT_EQ(FreeShortcutPath("C:\\T\\", "x", [](const std::string&) { return true; }), "")
        << "a folder full of them gets no further one";
}
