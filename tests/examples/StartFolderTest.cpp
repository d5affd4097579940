#include "examples/explorer/StartFolder.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(StartFolder, AFolderThatIsThereOpensAnythingElseSaysSoAndOpensTheFallback) {
    TempFolder temp("varnel-start");
    const std::string file = temp.MakeFile("plain.txt", "x");
    const std::string fallback = "C:\\windows";
    std::string problem = "stale";

    EXPECT_EQ(ChooseStartFolder(temp.Path(), fallback, problem), temp.Path());
    EXPECT_EQ(problem, "");
    EXPECT_EQ(ChooseStartFolder("", fallback, problem), fallback);
    EXPECT_EQ(problem, "") << "no folder asked for is no problem";
    // My Computer by its parsing name: a folder with no path on the disk.
    EXPECT_EQ(ChooseStartFolder("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", fallback, problem),
              "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_EQ(problem, "");

    // The shell parses a path on a drive that does not exist as a folder; it is none.
    for (const std::string& missing : {temp.Path() + "\\gone\\deeper", std::string("Q:\\"), file}) {
        EXPECT_EQ(ChooseStartFolder(missing, fallback, problem), fallback) << missing;
        EXPECT_NE(problem.find("\"" + missing + "\""), std::string::npos) << problem;
        EXPECT_NE(problem.find(fallback), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << "one line";
    }
}
