// Goals: read by the situation loader into a model of their own, and compared with the world.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/interp.h"
#include "lang/runstate.h"
#include "world/goal.h"
#include "world/keypress.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class GoalTest : public CoreTest {
  protected:
    Goal goal;
    void TearDown() override {
        taskGoal.clear();
        CoreTest::TearDown();
    }
    // Loads text as the world, by its name.
    void loadWorld(const std::string& text) {
        std::strcpy(worldFile, writeFile("w.sit", text).c_str());
        LoadWorldFile(worldFile);
    }
    bool loadGoal(const std::string& text, Goal& into) {
        return LoadGoalFile(writeFile("g.goal.sit", text).c_str(), into);
    }
    // The differences in the runner's order as "kind x y": end, robot, things.
    static std::vector<std::string> kinds(const std::vector<GoalDifference>& ds) {
        std::vector<std::string> out;
        for (const GoalDifference& d : ds) {
            static const char* const names[] = {"end", "robot", "thing"};
            out.push_back(std::string(names[d.kind]) + " " + std::to_string(d.x) + " " +
                          std::to_string(d.y));
        }
        return out;
    }
};

TEST_F(GoalTest, LoadingAGoalLeavesTheWorldTheRobotAndTheLoaderAsTheyWere) {
    loadWorld("wall 2,2 2,5\nthing 4,4 a\npindle 6,6\n");
    position = 3;
    FILE* stream = sitFp;
    std::string world = worldFile;
    long generation = worldGeneration;
    rec.events.clear();

    ASSERT_TRUE(loadGoal("thing 9,3 Z wall 8,1 8,3 thing 20,20 q pindle 3,2 west thing 1,1 b\n"
                         "pindle 7,7 south\n",
                         goal));
    EXPECT_TRUE(goal.loaded);
    EXPECT_EQ(goal.things.get(3, 9), 'Z');
    EXPECT_EQ(goal.things.get(2, 8), '\0') << "wall marks are stored, walls are not kept";
    EXPECT_EQ(goal.things.get(1, 1), 'b') << "a keyword after the heading is still an item";
    RobotPlace robot = goal.robot();
    EXPECT_TRUE(robot.placed);
    EXPECT_EQ(robot.x, 2);
    EXPECT_EQ(robot.y, 3);
    EXPECT_EQ(robot.heading, 1) << "the heading after the placing item, not the later one";

    EXPECT_TRUE(rec.events.empty()) << "a goal is not drawn";
    EXPECT_EQ(rec.boxLines().size(), 1u); // 20,20 is out of bounds
    EXPECT_EQ(storedCorners(), 5);
    EXPECT_EQ(PindlesWorld.get(4, 4), 'a');
    EXPECT_EQ(icon_x, 180);
    EXPECT_EQ(position, 3);
    EXPECT_EQ(sitFp, stream);
    EXPECT_EQ(worldFile, world);
    EXPECT_EQ(ifinited, 1);
    EXPECT_EQ(worldGeneration, generation);
}

TEST_F(GoalTest, BoxesNameTheGoalFileAndAFileThatCannotBeOpenedKeepsTheGoal) {
    ASSERT_TRUE(loadGoal("thing 16,2 x pindle 1,1 northward", goal));
    std::string name = tempDir + "/g.goal.sit";
    EXPECT_EQ(rec.boxLines(), (std::vector<std::string>{"16 > 15|A 'thing' coordinate in " + name +
                                                        " is out of bounds"}));
    EXPECT_EQ(goal.heading, -1) << "only the four heading words name a heading";

    EXPECT_FALSE(LoadGoalFile(tempDir.c_str(), goal));
    EXPECT_EQ(rec.boxLines().back(), tempDir + "|Cannot open world situation file\n");
    EXPECT_TRUE(goal.loaded);
    EXPECT_EQ(goal.things.get(2, 16), 'x');
}

TEST_F(GoalTest, DifferencesComeEndRobotThenThingsByRowThenColumn) {
    loadWorld("thing 5,2 a thing 5,1 b thing 3,9 c thing 4,4 d thing -2,30 e wall 0,0 0,3\n"
              "pindle 6,6\n");
    ASSERT_TRUE(loadGoal("thing 5,2 a thing 5,1 B thing 3,3 x thing 4,4 d thing 7,0 f\n"
                         "pindle 6,6 east\n",
                         goal));
    PindlesWorld.set(4, 4, ' '); // a space holds nothing, as a wall mark does
    std::vector<GoalDifference> ds = compareWithGoal(goal, RunEnd::STOPPED);
    EXPECT_EQ(kinds(ds),
              (std::vector<std::string>{"end 0 0", "robot 0 0", "thing 30 -2", "thing 3 3",
                                        "thing 9 3", "thing 4 4", "thing 1 5", "thing 0 7"}));
    EXPECT_EQ(ds[0].end, RunEnd::STOPPED);
    EXPECT_EQ(ds[1].want.heading, 3);
    EXPECT_EQ(ds[1].got.heading, 0);
    EXPECT_EQ(ds[6].wantThing, 'B');
    EXPECT_EQ(ds[6].gotThing, 'b');
    EXPECT_EQ(ds[7].gotThing, '\0');

    position = 3;
    EXPECT_EQ(kinds(compareWithGoal(goal, RunEnd::FINISHED)).size(), 6u);
    icon_x = icon_y = -1;
    ds = compareWithGoal(goal, RunEnd::FINISHED);
    ASSERT_EQ(ds[0].kind, GoalDifference::ROBOT);
    EXPECT_FALSE(ds[0].got.placed);

    Goal anyHeading;
    ASSERT_TRUE(loadGoal("pindle 6,6", anyHeading));
    place(6, 6, 2);
    PindlesWorld.erase();
    EXPECT_TRUE(compareWithGoal(anyHeading, RunEnd::FINISHED).empty());
}

TEST_F(GoalTest, TheVerdictNamesTheFirstDifferencesInPlainWords) {
    EXPECT_EQ(goalVerdict({}), "Well done: the world is as the goal asks.");
    GoalDifference end, robot, want, extra;
    end.end = RunEnd::STOPPED;
    robot.kind = GoalDifference::ROBOT;
    robot.want = {true, 5, 5, 3};
    robot.got = {true, 5, 6, 0};
    want.kind = extra.kind = GoalDifference::THING;
    want.x = 4;
    want.y = 3;
    want.wantThing = 'X';
    extra.gotThing = 'a';
    EXPECT_EQ(goalVerdict({end, robot, want, extra, extra}),
              "Not yet:\nThe run was stopped before the program finished.\n"
              "Pindle should stand on row 5, column 5, facing east (it is on row 6, column 5, "
              "facing north).\n"
              "Row 3, column 4 should hold 'X' (it holds nothing).\n...and 2 more.");
    EXPECT_EQ(goalVerdict({extra}), "Not yet:\nRow 0, column 0 should be empty (it holds 'a').");
}

TEST_F(GoalTest, AnExecutedInstructionTellsTheGoalOnlyWhenOneIsLoaded) {
    loadWorld("pindle 5,5\n");
    std::string program = writeFile("p.pnd", "define hop as { move }\ndefine main as { hop }\n");
    std::strcpy(progFile, program.c_str());
    rec.answers = {"hop", "hop"};
    runInstruction();
    EXPECT_TRUE(rec.boxes.empty());

    ASSERT_TRUE(loadGoal("pindle 3,5 north", taskGoal));
    runInstruction();
    EXPECT_EQ(rec.boxLines(), (std::vector<std::string>{"Goal reached|Well done: the world is as "
                                                        "the goal asks."}));
}

} // namespace
