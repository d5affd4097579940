// The one drop routine of tree and list, with real files.

#include "dragdrop/FileDrop.h"
#include "identifiers/StringList.h"
#include "shell/ShellRoutines.h"
#include "support/RealShellFixture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class FileDrop_ : public RealShellTest {
protected:
    void SetUp() override {
        RealShellTest::SetUp();
        MakeDir("src");
        MakeDir("dst");
        MakeDir("dst\\inner");
        WriteFile("src\\Report.txt", "r");
        WriteFile("src\\b.txt", "b");
    }
    TStringList Files(std::initializer_list<const char*> Names) {
        TStringList list;
        for (const char* name : Names)
            list.Add(PathOf(name));
        return list;
    }
    int Drop(int Operation, TStringList Files, const std::string& To, const std::string& From) {
        return FileDrop::DropFiles(nullptr, Operation, Files, PathOf(To), PathOf(From));
    }
};

TEST_F(FileDrop_, CopiesMovesAndLinksWithoutOverwritingAnyFile) {
    EXPECT_EQ(Drop(DROPEFFECT_COPY, Files({"src\\b.txt"}), "dst\\", "src\\"), DROPEFFECT_COPY);
    EXPECT_TRUE(Exists(PathOf("dst\\b.txt")) && Exists(PathOf("src\\b.txt")));
    EXPECT_EQ(Drop(DROPEFFECT_MOVE, Files({"src\\b.txt"}), "dst\\inner\\", "src\\"),
              DROPEFFECT_MOVE);
    EXPECT_TRUE(Exists(PathOf("dst\\inner\\b.txt")));
    EXPECT_FALSE(Exists(PathOf("src\\b.txt")));

    // A file already called as the shortcut would be stays as it is.
    WriteFile("dst\\Shortcut to Report.lnk", "not a link");
    EXPECT_EQ(Drop(DROPEFFECT_LINK, Files({"src\\Report.txt"}), "dst\\", "src\\"), DROPEFFECT_LINK);
    EXPECT_TRUE(Exists(PathOf("dst\\Shortcut (2) to Report.lnk")));
    char text[16] = {};
    FILE* kept = _wfopen(
        (std::wstring(Dir().begin(), Dir().end()) + L"dst\\Shortcut to Report.lnk").c_str(), L"rb");
    ASSERT_NE(kept, nullptr);
    fread(text, 1, sizeof text - 1, kept);
    fclose(kept);
    EXPECT_STREQ(text, "not a link");
}

// The shell would do nothing, or ask in a dialog of its own, while the cursor promised a drop.
TEST_F(FileDrop_, DropsHomeOrIntoADraggedFolderAreRefusedAndChangeNothing) {
    EXPECT_EQ(Drop(DROPEFFECT_COPY, Files({"src\\b.txt"}), "SRC\\", "src\\"), DROPEFFECT_NONE);
    EXPECT_EQ(Drop(DROPEFFECT_MOVE, Files({"dst"}), "dst\\", ""), DROPEFFECT_NONE);
    EXPECT_EQ(Drop(DROPEFFECT_LINK, Files({"dst"}), "DST\\inner\\", ""), DROPEFFECT_NONE);
    EXPECT_EQ(Drop(DROPEFFECT_NONE, Files({"src\\b.txt"}), "dst\\", "src\\"), DROPEFFECT_NONE);
    EXPECT_FALSE(Exists(PathOf("dst\\inner\\dst")));
    EXPECT_FALSE(Exists(PathOf("dst\\inner\\Shortcut to dst.lnk")));
    EXPECT_FALSE(Exists(PathOf("dst\\b.txt")));
}

} // namespace
