// The world grid, the walls' blocking test and the emptying of the world.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "world/situation.h"
#include "world/world.h"

#include <string>

namespace {

class WorldTest : public CoreTest {
  protected:
    static void addWall(int x1, int y1, int x2, int y2) {
        walls = new line_struct(x1, y1, x2, y2, walls);
    }
};

TEST_F(WorldTest, GetAnswersSpaceForUnsetCornersAndTheStoredItemOtherwise) {
    EXPECT_EQ(PindlesWorld.get(3, 4), ' ');
    PindlesWorld.set(3, 4, 'x');
    PindlesWorld.set(4, 3, '\0');
    EXPECT_EQ(PindlesWorld.get(3, 4), 'x');
    EXPECT_EQ(PindlesWorld.get(4, 3), '\0');
    EXPECT_EQ(PindlesWorld.get(4, 4), ' ');
    EXPECT_EQ(PindlesWorld.get(3, 3), ' ');
    // No bounds check: any corner can be stored and read back.
    PindlesWorld.set(-2, 40, 'q');
    EXPECT_EQ(PindlesWorld.get(-2, 40), 'q');
}

TEST_F(WorldTest, RowAndColumnZeroReadAsWallEvenWhenStored) {
    EXPECT_EQ(PindlesWorld.get(0, 5), '\0');
    EXPECT_EQ(PindlesWorld.get(5, 0), '\0');
    EXPECT_EQ(PindlesWorld.get(0, 0), '\0');
    PindlesWorld.set(0, 5, 'a');
    PindlesWorld.set(5, 0, 'b');
    EXPECT_EQ(PindlesWorld.get(0, 5), '\0');
    EXPECT_EQ(PindlesWorld.get(5, 0), '\0');
    // The corners are stored all the same, for the view and the report to find.
    ASSERT_EQ(storedCorners(), 2);
}

TEST_F(WorldTest, SetOnOneCornerTwiceKeepsOneNodeWithTheLastItem) {
    PindlesWorld.set(2, 2, 'a');
    PindlesWorld.set(2, 7, 'c');
    PindlesWorld.set(2, 2, 'b');
    EXPECT_EQ(storedCorners(), 2);
    EXPECT_EQ(PindlesWorld.get(2, 2), 'b');
    EXPECT_EQ(PindlesWorld.get(2, 7), 'c');

    PindlesWorld.clear(2, 2);
    EXPECT_EQ(PindlesWorld.get(2, 2), ' ');
    EXPECT_EQ(storedCorners(), 2); // clear keeps the node
}

TEST_F(WorldTest, EraseFreesEverythingAndIsHarmlessOnAnEmptyWorld) {
    PindlesWorld.erase();
    EXPECT_EQ(PindlesWorld.world, nullptr);
    for (int y = 1; y < 16; ++y)
        for (int x = 1; x < 16; ++x)
            PindlesWorld.set(x, y, static_cast<char>('a' + (x + y) % 26));
    PindlesWorld.erase();
    EXPECT_EQ(PindlesWorld.world, nullptr);
    EXPECT_EQ(PindlesWorld.get(7, 9), ' ');
    PindlesWorld.set(7, 9, 'z');
    EXPECT_EQ(PindlesWorld.get(7, 9), 'z');
}

TEST_F(WorldTest, BorderBlocksRowsAndColumnsZeroAndFourteen) {
    ASSERT_EQ(walls, nullptr);
    EXPECT_TRUE(in_line(0, 30));
    EXPECT_TRUE(in_line(30, 0));
    EXPECT_TRUE(in_line(420, 30));
    EXPECT_TRUE(in_line(30, 420));
    EXPECT_TRUE(in_line(-30, 30));
    EXPECT_TRUE(in_line(30, -30));
    EXPECT_TRUE(in_line(450, 450));
    EXPECT_FALSE(in_line(30, 30));
    EXPECT_FALSE(in_line(390, 390));
    EXPECT_FALSE(in_line(30, 390));
    EXPECT_FALSE(in_line(1, 1));
    EXPECT_FALSE(in_line(419, 419));
}

TEST_F(WorldTest, StraightWallBlocksItsEndsAndMiddleInEitherOrder) {
    // A wall along row 3 from column 2 to 5, and the same wall turned to run along column 3.
    const int on[][2] = {{60, 90}, {90, 90}, {150, 90}};
    const int off[][2] = {{30, 90}, {180, 90}, {90, 120}, {90, 60}};
    for (bool vertical : {false, true}) {
        for (bool reversed : {false, true}) {
            SCOPED_TRACE(std::string(vertical ? "vertical" : "horizontal") +
                         (reversed ? ", ends reversed" : ""));
            auto at = [&](int x, int y) { return vertical ? in_line(y, x) : in_line(x, y); };
            reset_counter();
            int a = reversed ? 150 : 60, b = reversed ? 60 : 150;
            if (vertical)
                addWall(90, a, 90, b);
            else
                addWall(a, 90, b, 90);
            for (const auto& p : on)
                EXPECT_TRUE(at(p[0], p[1])) << p[0] << "," << p[1];
            for (const auto& p : off)
                EXPECT_FALSE(at(p[0], p[1])) << p[0] << "," << p[1];
        }
    }
}

TEST_F(WorldTest, ZeroLengthAndSlantedWallsBlockNothing) {
    addWall(90, 90, 90, 90);
    addWall(60, 60, 120, 120);
    for (int x = 30; x <= 150; x += 30)
        for (int y = 30; y <= 150; y += 30)
            EXPECT_FALSE(in_line(x, y)) << x << "," << y;
}

TEST_F(WorldTest, EveryWallOfTheListIsTested) {
    addWall(30, 60, 90, 60);   // oldest, at the end of the list
    addWall(300, 30, 300, 90); // newest, at the head
    addWall(90, 90, 90, 90);   // blocks nothing, must not hide the others
    EXPECT_TRUE(in_line(60, 60));
    EXPECT_TRUE(in_line(300, 60));
    EXPECT_FALSE(in_line(60, 90));
}

TEST_F(WorldTest, ResetCounterEmptiesTheWorldButKeepsTheBoards) {
    addWall(60, 90, 150, 90);
    addWall(120, 30, 120, 60);
    PindlesWorld.set(3, 3, 'x');
    icon_x = 120;
    icon_y = 150;
    position = 3;
    b1 = 'p';
    b2 = 'q';
    ifinited = 1;

    reset_counter();

    EXPECT_EQ(walls, nullptr);
    EXPECT_EQ(PindlesWorld.world, nullptr);
    EXPECT_EQ(PindlesWorld.get(3, 3), ' ');
    EXPECT_FALSE(in_line(90, 90));
    EXPECT_EQ(icon_x, -1);
    EXPECT_EQ(icon_y, -1);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(ifinited, 0);
    EXPECT_EQ(b1, 'p');
    EXPECT_EQ(b2, 'q');
}

} // namespace
