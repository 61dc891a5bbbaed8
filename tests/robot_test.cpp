// The robot's actions and tests, their message boxes, and the letters they record.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "world/robot.h"
#include "world/world.h"

#include <cstring>
#include <string>

namespace {

class RobotTest : public CoreTest {
  protected:
    WorldRobot& r = worldRobot;

    static void addWall(int x1, int y1, int x2, int y2) {
        walls = new line_struct(30 * x1, 30 * y1, 30 * x2, 30 * y2, walls);
    }
    static void startRecording(const char* name) {
        std::strcpy(macroName, name);
        byteI = 0;
    }
    static std::string recorded() { return std::string(macroCode, byteI); }
};

TEST_F(RobotTest, MoveStepsOneCornerAheadAndLeftTurnsCounterClockwise) {
    place(5, 5, 0);
    r.move(); // north
    EXPECT_EQ(icon_x, 150);
    EXPECT_EQ(icon_y, 120);
    r.left();
    EXPECT_EQ(position, 1);
    r.move(); // west
    EXPECT_EQ(icon_x, 120);
    EXPECT_EQ(icon_y, 120);
    r.left();
    r.move(); // south
    EXPECT_EQ(icon_x, 120);
    EXPECT_EQ(icon_y, 150);
    r.left();
    EXPECT_EQ(position, 3);
    r.move(); // east
    EXPECT_EQ(icon_x, 150);
    EXPECT_EQ(icon_y, 150);
    r.left();
    EXPECT_EQ(position, 0);
    EXPECT_TRUE(rec.boxes.empty());
    EXPECT_FALSE(STOPPED);
    EXPECT_EQ(rec.redraws, 8);       // every action redraws the world...
    EXPECT_EQ(rec.statusUpdates, 0); // ...and leaves the status panel to its caller
}

TEST_F(RobotTest, BlockedMoveShowsPathBlockedStopsAndStays) {
    struct Case {
        int x, y, heading;
    } cases[] = {{1, 1, 0}, {1, 1, 1}, {13, 4, 3}, {4, 13, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " heading " +
                     std::to_string(c.heading));
        rec.boxes.clear();
        rec.redraws = 0;
        STOPPED = false;
        place(c.x, c.y, c.heading);
        EXPECT_EQ(r.frontClear(), 0);
        r.move();
        EXPECT_EQ(rec.boxLines(), std::vector<std::string>{"Error|Path blocked"});
        EXPECT_TRUE(STOPPED);
        EXPECT_EQ(icon_x, 30 * c.x);
        EXPECT_EQ(icon_y, 30 * c.y);
        EXPECT_EQ(rec.redraws, 1); // the view is redrawn after the error too
    }
}

TEST_F(RobotTest, WallCornersBlockAtEndsAndMiddleButNotBeside) {
    addWall(4, 6, 8, 6); // row 6, columns 4 to 8
    place(4, 7, 0);      // below the wall's end
    EXPECT_EQ(r.frontClear(), 0);
    place(6, 7, 0); // below its middle
    EXPECT_EQ(r.frontClear(), 0);
    r.move();
    EXPECT_EQ(icon_y, 210);
    place(9, 7, 0); // beside it
    EXPECT_EQ(r.frontClear(), 1);
    r.move();
    EXPECT_EQ(icon_y, 180);
    place(3, 6, 3); // facing its end along the row
    EXPECT_EQ(r.frontClear(), 0);
}

TEST_F(RobotTest, MarkedCornerOfAWallThatBlocksNothingCanBeEnteredAndReadsNul) {
    PindlesWorld.set(5, 5, '\0'); // the mark of a wall with both ends on (5, 5)
    addWall(5, 5, 5, 5);
    place(5, 6, 0);
    EXPECT_EQ(r.frontClear(), 1);
    r.move();
    EXPECT_EQ(icon_y, 150);
    EXPECT_EQ(r.cornerHasSomething(), 1);
    b1 = 'x';
    r.input();
    EXPECT_EQ(b1, '\0');
}

TEST_F(RobotTest, ReadCopiesAndWriteReplacesTheCornersItem) {
    place(3, 3, 0);
    EXPECT_EQ(r.cornerHasSomething(), 0);
    r.input(); // an empty corner gives a space, not an empty board
    EXPECT_EQ(b1, ' ');
    EXPECT_EQ(bbstate, 1);

    PindlesWorld.set(3, 3, 'k');
    EXPECT_EQ(r.cornerHasSomething(), 1);
    r.input();
    EXPECT_EQ(b1, 'k');
    EXPECT_EQ(PindlesWorld.get(3, 3), 'k'); // reading does not pick up

    b1 = 'z';
    bbstate = 0;
    r.output();
    EXPECT_EQ(PindlesWorld.get(3, 3), 'z');
    EXPECT_EQ(b1, 'z');
    EXPECT_EQ(bbstate, 2);

    b1 = ' '; // writing a space empties the corner
    r.output();
    EXPECT_EQ(PindlesWorld.get(3, 3), ' ');
    EXPECT_EQ(r.cornerHasSomething(), 0);
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(RobotTest, BoardErrorsShowTheirBoxesAndSetTheMovementIndicator) {
    place(3, 3, 0);
    PindlesWorld.set(3, 3, 'k');
    bbstate = 1;
    r.output();
    EXPECT_EQ(PindlesWorld.get(3, 3), 'k');
    EXPECT_EQ(bbstate, 1); // no movement reported

    b1 = 'a';
    r.copy1(); // b2 is empty
    EXPECT_EQ(b1, 'a');
    EXPECT_EQ(bbstate, 3);

    b1 = '\0';
    b2 = 'c';
    bbstate = 0;
    r.copy2(); // b1 is empty
    EXPECT_EQ(b2, 'c');
    EXPECT_EQ(bbstate, 4);

    EXPECT_EQ(rec.boxLines(), (std::vector<std::string>{
                                  "Nothing to output!|Board b1 is uninitialized",
                                  "Nothing to copy!|Board b2 is uninitialized",
                                  "Nothing to copy!|Board b1 uninitialized",
                              }));
    EXPECT_FALSE(STOPPED); // board errors never stop a run
    EXPECT_EQ(rec.redraws, 3);

    rec.boxes.clear();
    r.copy1(); // b1 = b2
    EXPECT_EQ(b1, 'c');
    EXPECT_EQ(bbstate, 3);
    b1 = 'd';
    r.copy2(); // b2 = b1
    EXPECT_EQ(b2, 'd');
    EXPECT_EQ(bbstate, 4);
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(RobotTest, UnplacedRobotIsBlockedAndStandsOnCornerZero) {
    ASSERT_EQ(icon_x, -1);
    EXPECT_EQ(r.frontClear(), 0);
    EXPECT_EQ(r.cornerHasSomething(), 1);
    b1 = 'x';
    r.input();
    EXPECT_EQ(b1, '\0');
    r.move();
    EXPECT_TRUE(STOPPED);
    EXPECT_EQ(icon_x, -1);
    EXPECT_EQ(icon_y, -1);
}

TEST_F(RobotTest, FacingNorthOnlyForHeadingZero) {
    for (int heading = 0; heading < 4; ++heading) {
        position = heading;
        EXPECT_EQ(r.facingNorth(), heading == 0 ? 1 : 0) << heading;
    }
}

TEST_F(RobotTest, PauseStopsOutsideARecordingAndIsOnlyRecordedInside) {
    r.pause();
    EXPECT_TRUE(STOPPED);
    EXPECT_EQ(rec.redraws, 0);

    STOPPED = false;
    startRecording("p");
    r.pause();
    EXPECT_FALSE(STOPPED);
    EXPECT_EQ(recorded(), "p");
}

TEST_F(RobotTest, RecordingTakesEveryActionsLetterAlsoWhenItFails) {
    place(1, 1, 0);
    startRecording("all");
    r.move(); // blocked
    r.left();
    r.output(); // b1 empty
    r.input();
    r.copy1(); // b2 empty
    r.copy2();
    r.pause();
    r.frontClear();
    r.facingNorth();
    r.cornerHasSomething();
    r.move();
    EXPECT_EQ(recorded(), "MLWR12pM");
    EXPECT_EQ(rec.boxes.size(), 4u); // two blocked moves, two empty boards

    macroName[0] = '\0';
    r.left(); // nothing is recorded outside a recording
    EXPECT_EQ(byteI, 8);
}

TEST_F(RobotTest, RecordingStopsTakingLettersAfterSeventyNine) {
    std::memset(macroCode, '#', sizeof macroCode);
    place(5, 5, 0);
    startRecording("long");
    for (int n = 0; n < 100; ++n)
        r.left();
    EXPECT_EQ(byteI, 79);
    EXPECT_EQ(recorded(), std::string(79, 'L'));
    EXPECT_EQ(macroCode[79], '#');
    EXPECT_EQ(position, 0); // the actions themselves still happen
}

} // namespace
