// File names of any path length kept in 80-character buffers by moving the working folder.
#include "app/config.h"
#include "lang/filenames.h"
#include "lang/runstate.h"
#include "tests/recording_ui.h"
#include "world/situation.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Lines = std::vector<std::string>;

class FileNamesTest : public CoreTest {
  protected:
    char startFolder[PATH_MAX];
    void SetUp() override {
        CoreTest::SetUp();
        ASSERT_NE(getcwd(startFolder, sizeof startFolder), nullptr);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(startFolder), 0);
        CoreTest::TearDown();
    }
    // A folder deep enough that its path does not fit 79 characters.
    std::string deepFolder(const std::string& last) {
        std::string folder = tempDir + "/" + std::string(50, 'd') + "/" + last;
        std::filesystem::create_directories(folder);
        return folder;
    }
    static std::string here() {
        char now[PATH_MAX];
        return getcwd(now, sizeof now) ? now : "";
    }
};

TEST_F(FileNamesTest, ALongPathMovesTheWorkingFolderAndEveryKeptNameFollows) {
    static char edited[80];
    static KeptFileName keptEdited(edited, "new");
    std::string a = deepFolder("Week 3 - Mazes"), b = deepFolder("Week 4 - Letters");
    ASSERT_EQ(chdir(tempDir.c_str()), 0);
    std::strcpy(progFile, "p.pnd");
    std::strcpy(edited, "new");
    ASSERT_TRUE(takeFileName(worldFile, (a + "/maze.sit").c_str()));
    EXPECT_STREQ(worldFile, "maze.sit");
    EXPECT_EQ(here(), a);
    EXPECT_EQ(progFile, tempDir + "/p.pnd") << "whole, as it fits";
    EXPECT_STREQ(edited, "new");
    EXPECT_TRUE(rec.boxes.empty());

    // From one deep folder to its neighbour: the world's whole path does not fit, its path
    // relative to the new folder does.
    ASSERT_TRUE(takeFileName(progFile, (b + "/letters.pnd").c_str()));
    EXPECT_STREQ(progFile, "letters.pnd");
    EXPECT_STREQ(worldFile, "../Week 3 - Mazes/maze.sit");
    EXPECT_EQ(here(), b);

    // A name whose own part is 80 characters does not fit even so: nothing changes.
    std::string tooLong = a + "/" + std::string(76, 'x') + ".sit";
    EXPECT_FALSE(takeFileName(worldFile, tooLong.c_str()));
    EXPECT_EQ(rec.boxLines(), Lines{tooLong + "|File name too long (max is 80)"});
    EXPECT_STREQ(worldFile, "../Week 3 - Mazes/maze.sit");
    EXPECT_EQ(here(), b);
}

TEST_F(FileNamesTest, CommandLineNamesAfterALongOneStayRelativeToTheStartFolder) {
    char* const world = w_f;
    char* const program = p_f;
    std::string maze = deepFolder("Week 3") + "/maze.sit";
    ASSERT_EQ(chdir(tempDir.c_str()), 0);
    std::string args[] = {"pindle", maze, "p.pnd"};
    char* argv[] = {&args[0][0], &args[1][0], &args[2][0]};
    chooseConfig(3, argv);
    EXPECT_STREQ(w_f, "maze.sit");
    EXPECT_EQ(p_f, tempDir + "/p.pnd");
    EXPECT_TRUE(rec.boxes.empty());
    w_f = world;
    p_f = program;
}

} // namespace
