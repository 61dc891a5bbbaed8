// The situation-file loader: keywords, coordinate pairs, reports, walls, things and the robot.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class SituationTest : public CoreTest {
  protected:
    std::string path; // the last file loaded

    // Writes text as a situation file and loads it under its name.
    void load(const std::string& text, const std::string& name = "w.sit") {
        path = writeFile(name, text);
        ASSERT_LT(path.size(), sizeof worldFile);
        std::strcpy(worldFile, path.c_str());
        LoadWorldFile(worldFile);
    }
    // The walls as "x1 y1 x2 y2", newest first.
    static Lines wallList() {
        Lines out;
        for (line_struct* w = walls; w; w = w->next)
            out.push_back(std::to_string(w->x1) + " " + std::to_string(w->y1) + " " +
                          std::to_string(w->x2) + " " + std::to_string(w->y2));
        return out;
    }
    // The stored item of a corner, walking the lists (get hides rows and columns 0); '-' if none.
    static char stored(int x, int y) {
        for (world_row* r = PindlesWorld.world; r; r = r->next)
            if (r->pos == y)
                for (world_corner* c = r->column; c; c = c->next)
                    if (c->pos == x) return c->item;
        return '-';
    }
    std::string bounds(const char* item) const {
        return std::string("A '") + item + "' coordinate in " + path + " is out of bounds";
    }
    std::string formatBox() const {
        return "Error in " + path + "|Format for wall coordinates in should be x1,x2 y1,y2\n";
    }
};

TEST_F(SituationTest, FileWithoutItemsGivesAnEmptyWorldWithNoRobot) {
    load("thing 2,2 a pindle 3,3 wall 4,4 4,6");
    ASSERT_NE(walls, nullptr);
    for (const char* text : {"", "only WALL THING PINDLE walls Things pindles words\n"}) {
        SCOPED_TRACE(text);
        rec.events.clear();
        rec.statusUpdates = 0;
        position = 2;
        load(text);
        EXPECT_EQ(rec.events, (Lines{"clear", "empty"}));
        EXPECT_EQ(rec.statusUpdates, 1);
        EXPECT_EQ(walls, nullptr);
        EXPECT_EQ(PindlesWorld.world, nullptr);
        EXPECT_EQ(icon_x, -1);
        EXPECT_EQ(icon_y, -1);
        EXPECT_EQ(position, 0);
        EXPECT_EQ(ifinited, 1);
        EXPECT_NE(sitFp, nullptr);
        EXPECT_TRUE(rec.boxes.empty());
    }
}

TEST_F(SituationTest, BothSpellingsOfEachKeywordEnterItemsInFileOrder) {
    position = 3;
    load("wall 2,3 2,5\nWall 4,2 6,2\nthing 7,7 a\nThing 8,9 b\nPindle 3,5\n");
    EXPECT_EQ(rec.events, (Lines{"clear", "empty", "wall 90 60 150 60", "wall 60 120 60 180",
                                 "thing 7 7 a", "thing 9 8 b", "robot 150 90"}));
    EXPECT_EQ(wallList(), (Lines{"60 120 60 180", "90 60 150 60"}));
    EXPECT_EQ(PindlesWorld.get(7, 7), 'a');
    EXPECT_EQ(PindlesWorld.get(9, 8), 'b'); // row 8, column 9
    EXPECT_EQ(icon_x, 150);                 // column 5
    EXPECT_EQ(icon_y, 90);                  // row 3
    EXPECT_EQ(position, 0);
    EXPECT_TRUE(rec.boxes.empty());

    load("pindle 6,2");
    EXPECT_EQ(icon_x, 60);
    EXPECT_EQ(icon_y, 180);
}

TEST_F(SituationTest, AKeywordInsideACommentStartsAnItem) {
    load("Here a wall 2,3 2,5 stands; no WALL here.\n");
    EXPECT_EQ(wallList(), Lines{"90 60 150 60"});
    EXPECT_EQ(storedCorners(), 3);
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(SituationTest, PairsAsScanfReadsThem) {
    load("thing 3, 5 a thing +4,+6 b thing 5,6c thing\t6,\n7 d");
    EXPECT_EQ(PindlesWorld.get(5, 3), 'a');
    EXPECT_EQ(PindlesWorld.get(6, 4), 'b');
    EXPECT_EQ(PindlesWorld.get(6, 5), 'c'); // the word may follow the pair directly
    EXPECT_EQ(PindlesWorld.get(7, 6), 'd');
    EXPECT_EQ(storedCorners(), 4);
}

TEST_F(SituationTest, UnreadPairsKeepThePreviousValuesWhichStartAtZeroEachRead) {
    // A blank before the comma: the row is read, the column is the previous item's, and the
    // comma starts the thing's word.
    load("thing 2,3 a thing 6 ,7 z");
    EXPECT_EQ(PindlesWorld.get(3, 6), ',');
    EXPECT_EQ(PindlesWorld.get(7, 6), ' ');
    EXPECT_EQ(rec.events.back(), "thing 3 6 ,7");

    load("thing 5,6 a pindle here");
    EXPECT_EQ(icon_x, 180);
    EXPECT_EQ(icon_y, 150);

    load("thing q"); // nothing left from the file before
    EXPECT_EQ(stored(0, 0), 'q');
    EXPECT_EQ(storedCorners(), 1);

    load("thing"); // neither pair nor word: a blank at corner 0
    EXPECT_EQ(stored(0, 0), ' ');
    EXPECT_EQ(rec.events.back(), "thing 0 0  ");
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(SituationTest, LongWordsKeepTheirBeginningAndSkipTheRest) {
    load("thing 2,2 ab thing 3,3 abcdefghijklmnop thing 4,4 z\n"
         "wallwallwallwall 5,5 5,7 pindlepindlepindle 7,7 Thing 6,6 y");
    EXPECT_EQ(PindlesWorld.get(2, 2), 'a');
    EXPECT_EQ(PindlesWorld.get(3, 3), 'a');
    EXPECT_EQ(PindlesWorld.get(4, 4), 'z');
    EXPECT_EQ(PindlesWorld.get(6, 6), 'y');
    EXPECT_EQ(rec.events, (Lines{"clear", "empty", "thing 2 2 ab", "thing 3 3 ab", "thing 4 4 z",
                                 "thing 6 6 y"}));
    EXPECT_EQ(walls, nullptr);
    EXPECT_EQ(icon_x, -1);
}

TEST_F(SituationTest, OutOfBoundsCaptionsNameTheFirstFailingCoordinate) {
    struct Case {
        const char* text;
        const char* caption; // "" for no box
        int x, y;            // where the thing is stored
        bool entered;
    } cases[] = {
        {"thing 15,15 a", "", 15, 15, true},
        {"thing 0,0 a", "", 0, 0, true},
        {"thing 16,3 a", "16 > 15", 3, 16, true},
        {"thing 3,-1 a", "-1 < 0", -1, 3, true},
        {"thing 16,17 a", "17 > 15", 17, 16, true},
        {"thing -1,-2 a", "-2 < 0", -2, -1, true},
        {"thing -1,5 a", "-1 < 0", 5, -1, true},
        {"thing 99999999999,3 a", "2147483647 > 15", 3, 2147483647, false},
        {"thing 3,-99999999999 a", "-2147483648 < 0", -2147483647 - 1, 3, false},
        {"thing 101,5 a", "101 > 15", 5, 101, false},
        {"thing 5,-100 a", "-100 < 0", -100, 5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        rec.boxes.clear();
        load(c.text);
        if (*c.caption)
            EXPECT_EQ(rec.boxLines(), Lines{c.caption + ("|" + bounds("thing"))});
        else
            EXPECT_TRUE(rec.boxes.empty());
        EXPECT_EQ(stored(c.x, c.y), c.entered ? 'a' : '-');
        EXPECT_EQ(storedCorners(), c.entered ? 1 : 0);
    }
}

TEST_F(SituationTest, OnlyTheFirstPlaceableRobotItemPlacesTheRobot) {
    position = 2;
    load("pindle 2,3\npindle 16,4\n");
    EXPECT_EQ(icon_x, 90);
    EXPECT_EQ(icon_y, 60);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(rec.boxLines(), Lines{"16 > 15|" + bounds("Pindle")});
    EXPECT_EQ(rec.events, (Lines{"clear", "empty", "robot 90 60", "robot 90 60"}));

    rec.boxes.clear();
    load("pindle 2,16 pindle 3,3");
    EXPECT_EQ(rec.boxLines(), Lines{"16 > 15|" + bounds("Pindle")});
    EXPECT_EQ(icon_x, 480); // reported, and placed all the same
    EXPECT_EQ(icon_y, 60);

    rec.boxes.clear();
    load("pindle 5,200 pindle 4,4"); // too far to place
    EXPECT_EQ(rec.boxLines(), Lines{"200 > 15|" + bounds("Pindle")});
    EXPECT_EQ(icon_x, 120);
    EXPECT_EQ(icon_y, 120);
}

TEST_F(SituationTest, WallOnOneCornerOrSlantedGivesTheFormatMessageAndIsEntered) {
    load("wall 2,2 2,2");
    EXPECT_EQ(rec.boxLines(), Lines{formatBox()});
    EXPECT_EQ(wallList(), Lines{"60 60 60 60"});
    EXPECT_EQ(PindlesWorld.get(2, 2), '\0');
    EXPECT_EQ(storedCorners(), 1);

    rec.boxes.clear();
    rec.events.clear();
    load("wall 5,6 2,3"); // ends ordered by column and by row separately
    EXPECT_EQ(rec.boxLines(), Lines{formatBox()});
    EXPECT_EQ(wallList(), Lines{"90 60 180 150"});
    EXPECT_EQ(rec.events, (Lines{"clear", "empty", "wall 90 60 180 150"}));
    for (int x = 3; x <= 6; ++x)
        EXPECT_EQ(PindlesWorld.get(x, 2), '\0') << x;
    EXPECT_EQ(storedCorners(), 4);
}

TEST_F(SituationTest, WallOutOfBoundsIsCaptionedWithTheKeywordAsWritten) {
    load("Wall 3,2 3,16");
    EXPECT_EQ(rec.boxLines(), Lines{"Wall|" + bounds("wall")});
    EXPECT_EQ(wallList(), Lines{"60 90 480 90"});
    EXPECT_EQ(storedCorners(), 15); // columns 2 to 16 of row 3
    EXPECT_EQ(stored(16, 3), '\0');

    rec.boxes.clear();
    load("wall -1,4 -1,4");
    EXPECT_EQ(rec.boxLines(), (Lines{formatBox(), "wall|" + bounds("wall")}));
    EXPECT_EQ(wallList(), Lines{"120 -30 120 -30"});
}

TEST_F(SituationTest, WallEndsAreOrderedAndNewestWallComesFirst) {
    load("wall 4,9 4,2\nwall 9,7 5,7\n");
    EXPECT_EQ(wallList(), (Lines{"210 150 210 270", "60 120 270 120"}));
    for (int x = 2; x <= 9; ++x)
        EXPECT_EQ(PindlesWorld.get(x, 4), '\0') << x;
    for (int y = 5; y <= 9; ++y)
        EXPECT_EQ(PindlesWorld.get(7, y), '\0') << y;
    EXPECT_EQ(storedCorners(), 8 + 5);
    EXPECT_TRUE(in_line(60, 120));
    EXPECT_TRUE(in_line(210, 270));
    EXPECT_FALSE(in_line(210, 300));
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(SituationTest, LaterItemDecidesACornerSharedByAWallAndAThing) {
    load("thing 2,3 a wall 2,1 2,5");
    EXPECT_EQ(PindlesWorld.get(3, 2), '\0');
    load("wall 2,1 2,5 thing 2,3 a");
    EXPECT_EQ(PindlesWorld.get(3, 2), 'a');
    EXPECT_TRUE(in_line(90, 60)); // the thing does not take the wall away
}

TEST_F(SituationTest, FarWallsMarkOnlyThePictureAndAreCut) {
    load("wall 3,-5 3,40");
    EXPECT_EQ(wallList(), Lines{"-150 90 1200 90"});
    EXPECT_EQ(storedCorners(), 18); // columns 0 to 17
    EXPECT_EQ(stored(0, 3), '\0');
    EXPECT_EQ(stored(17, 3), '\0');
    EXPECT_EQ(stored(-1, 3), '-');
    EXPECT_EQ(stored(18, 3), '-');

    load("wall 2,0 2,99999999999");
    EXPECT_EQ(wallList(), Lines{"0 60 3000 60"});
    EXPECT_EQ(storedCorners(), 18);

    load("wall -99999,-5 99999,-5 wall 40,1 40,5");
    EXPECT_EQ(wallList(), (Lines{"30 1200 150 1200", "-150 -3000 -150 3000"}));
    EXPECT_EQ(storedCorners(), 0);
}

TEST_F(SituationTest, FileThatCannotBeOpenedKeepsThePreviousWorld) {
    load("thing 2,2 a pindle 3,3");
    rec.events.clear();
    rec.statusUpdates = 0;
    for (std::string name : {tempDir + "/none.sit", tempDir}) {
        SCOPED_TRACE(name);
        rec.boxes.clear();
        std::strcpy(worldFile, name.c_str());
        LoadWorldFile(worldFile);
        EXPECT_EQ(rec.boxLines(), Lines{name + "|Cannot open world situation file\n"});
        EXPECT_EQ(sitFp, nullptr);
        EXPECT_EQ(ifinited, 1);
        EXPECT_EQ(PindlesWorld.get(2, 2), 'a');
        EXPECT_EQ(icon_x, 90);
        EXPECT_TRUE(rec.events.empty());
    }
    DrawEnvir(); // the world stays loaded and is redrawn from the model
    EXPECT_EQ(rec.events, Lines{"redraw"});
    EXPECT_EQ(rec.statusUpdates, 1);
}

TEST_F(SituationTest, WithNoWorldLoadedDrawEnvirDrawsNothing) {
    std::strcpy(worldFile, (tempDir + "/none.sit").c_str());
    LoadWorldFile(worldFile);
    EXPECT_EQ(rec.boxes.size(), 1u);
    DrawEnvir();
    EXPECT_TRUE(rec.events.empty());
    EXPECT_EQ(rec.statusUpdates, 0);
}

TEST_F(SituationTest, FileSelectorChoosesTheFileOrChangesNothing) {
    std::string good = writeFile("good.sit", "thing 4,4 g");
    std::strcpy(worldFile, "old.sit");
    b1 = 'x';
    b2 = 'y';
    std::strcpy(macroName, "rec");

    LoadWorldFile(""); // cancelled
    rec.files = {""};
    LoadWorldFile(""); // cancelled
    EXPECT_STREQ(worldFile, "old.sit");
    EXPECT_EQ(sitFp, nullptr);
    EXPECT_TRUE(rec.boxes.empty());
    EXPECT_TRUE(rec.events.empty());

    rec.files = {good};
    LoadWorldFile("");
    EXPECT_EQ(std::string(worldFile), good);
    EXPECT_EQ(PindlesWorld.get(4, 4), 'g');
    EXPECT_TRUE(rec.boxes.empty());
    // Loading a world keeps the boards and a recording in progress.
    EXPECT_EQ(b1, 'x');
    EXPECT_EQ(b2, 'y');
    EXPECT_STREQ(macroName, "rec");

    std::string base = tempDir + "/";
    std::string tooLong = base + std::string(80, 'n'); // its own name does not fit
    std::string longest = base + std::string(79 - base.size(), 'n');
    rec.files = {tooLong};
    rec.events.clear();
    LoadWorldFile("");
    EXPECT_EQ(rec.boxLines(), Lines{tooLong + "|File name too long (max is 80)"});
    EXPECT_EQ(std::string(worldFile), good);
    EXPECT_NE(sitFp, nullptr);
    EXPECT_EQ(PindlesWorld.get(4, 4), 'g');
    EXPECT_TRUE(rec.events.empty());

    rec.boxes.clear();
    rec.files = {longest}; // fits, and stays the current name though it cannot be opened
    LoadWorldFile("");
    EXPECT_EQ(std::string(worldFile), longest);
    EXPECT_EQ(rec.boxLines(), Lines{longest + "|Cannot open world situation file\n"});
    EXPECT_EQ(PindlesWorld.get(4, 4), 'g');
}

TEST_F(SituationTest, LongFileNamesAreCutInTheBoundsMessage) {
    std::string name(79 - tempDir.size() - 1, 'f');
    load("thing 20,2 a", name);
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, bounds("thing").substr(0, 79));
    EXPECT_EQ(rec.boxes[0].caption, "20 > 15");
}

// A display whose message boxes let repaints and reloads in while they are open, as a
// toolkit's modal loop may.
class ReentrantUI : public RecordingUI {
  public:
    void messageBox(const char* text, const char* caption, int x, int y) override {
        RecordingUI::messageBox(text, caption, x, y);
        DrawEnvir();
        LoadWorldFile(worldFile);
    }
};

TEST_F(SituationTest, RepaintsAndReloadsDuringAReadDoNothing) {
    ReentrantUI re;
    setUI(&re);
    load("thing 16,2 a\nthing 3,3 b\nwall 2,2 2,2\npindle 4,4\n");
    EXPECT_EQ(re.events, (Lines{"clear", "empty", "thing 2 16 a", "thing 3 3 b", "wall 60 60 60 60",
                                "robot 120 120"}));
    EXPECT_EQ(re.boxes.size(), 2u);
    EXPECT_EQ(re.statusUpdates, 1);
    EXPECT_EQ(ifinited, 1);
    EXPECT_EQ(storedCorners(), 3);
    EXPECT_EQ(wallList(), Lines{"60 60 60 60"});
    EXPECT_EQ(icon_x, 120);

    DrawEnvir(); // once the read is over, repaints work again
    EXPECT_EQ(re.events.back(), "redraw");
}

} // namespace
