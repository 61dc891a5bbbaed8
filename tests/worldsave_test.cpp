// Worlds changed by hand and written as situation files: each edit gives the world the loader
// would read, and what is written reads back as the same world.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "world/edits.h"
#include "world/goal.h"
#include "world/situation.h"
#include "world/world.h"
#include "world/worldsave.h"

#include <cstring>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace {

// What makes two worlds the same: the stored corners that hold something, the wall segments,
// the corners they block, and the robot.
using Shape =
    std::tuple<std::map<std::pair<int, int>, char>, std::multiset<std::tuple<int, int, int, int>>,
               std::vector<bool>, int, int, int>;

Shape shape() {
    Shape s{{}, {}, {}, icon_x, icon_y, position};
    for (world_row* r = PindlesWorld.world; r; r = r->next)
        for (world_corner* c = r->column; c; c = c->next)
            if (c->item != ' ') std::get<0>(s)[{r->pos, c->pos}] = c->item;
    for (line_struct* w = walls; w; w = w->next)
        std::get<1>(s).insert({w->x1, w->y1, w->x2, w->y2});
    for (int p = 0; p < 18 * 18; ++p)
        std::get<2>(s).push_back(in_line(30 * (p % 18 - 1), 30 * (p / 18 - 1)));
    return s;
}

class WorldSaveTest : public CoreTest {
  protected:
    Shape loaded(const std::string& text) {
        std::strcpy(worldFile, writeFile("w.sit", text).c_str());
        LoadWorldFile(worldFile);
        return shape();
    }
};

TEST_F(WorldSaveTest, EachEditGivesTheWorldTheLoaderReadsFromTheEditedFile) {
    loaded("thing 3,4 a\nthing 8,2 b\n");
    EXPECT_TRUE(addWall(6, 3, 2, 3)); // over the thing a
    EXPECT_TRUE(addWall(2, 9, 2, 7)); // from below: ends ordered
    putThing(5, 3, 'q');              // over a wall's mark
    placeRobot(11, 12);
    Shape edited = shape();
    EXPECT_EQ(edited, loaded("thing 3,4 a thing 8,2 b wall 3,6 3,2 wall 9,2 7,2 thing 3,5 q "
                             "pindle 12,11"));

    loaded("wall 3,2 3,6\nwall 1,4 5,4\nthing 3,5 q\nthing 6,6 z\n");
    EXPECT_TRUE(removeWallAt(4, 3)); // the crossing: the newer wall, along column 4
    removeThing(5, 3);               // the older wall's mark comes back
    removeThing(6, 6);
    edited = shape();
    EXPECT_EQ(edited, loaded("wall 3,2 3,6\n"));

    long generation = worldGeneration;
    for (auto [xa, ya, xb, yb] : {std::tuple{2, 2, 2, 2}, {2, 2, 4, 4}, {2, 2, 15, 2}})
        EXPECT_FALSE(addWall(xa, ya, xb, yb));
    EXPECT_FALSE(removeWallAt(7, 3));
    EXPECT_EQ(worldGeneration, generation) << "nothing changed, no picture renewed";
}

TEST_F(WorldSaveTest, TheTextNamesEachItemOnceAndAGoalKeepsItsHeading) {
    loaded("words wall 2,3 2,6 thing 5,5 xy Wall 4,2 7,2 pindle 9,9 east pindle 1,1\n");
    putThing(1, 0, 'r'); // row 0, which get hides
    EXPECT_EQ(situationText(2), "wall 2,3 2,6\nwall 4,2 7,2\nthing 0,1 r\nthing 5,5 x\n"
                                "pindle 9,9 south\n");
    Goal goal;
    ASSERT_TRUE(LoadGoalFile(writeFile("g.goal.sit", situationText(2)).c_str(), goal));
    EXPECT_EQ(goal.heading, 2);
}

TEST_F(WorldSaveTest, RandomWorldsReadBackAsTheSameWorld) {
    std::mt19937 random(14);
    auto corner = [&] { return static_cast<int>(random() % 15); };
    for (int round = 0; round < 200; ++round) {
        loaded(round % 2 ? "wall 1,1 1,5 thing 2,2 a pindle 3,3" : "");
        for (int k = static_cast<int>(random() % 40); k > 0; --k) {
            int x = corner(), y = corner();
            switch (random() % 6) {
            case 0: random() % 2 ? addWall(x, y, corner(), y) : addWall(x, y, x, corner()); break;
            case 1: removeWallAt(x, y); break;
            case 2:
            case 3: putThing(x, y, static_cast<char>(33 + random() % 94)); break;
            case 4: removeThing(x, y); break;
            default: placeRobot(x, y); break;
            }
        }
        Shape made = shape();
        std::string text = situationText();
        ASSERT_EQ(loaded(text), made) << text;
    }
    EXPECT_TRUE(rec.boxes.empty());
}

} // namespace
