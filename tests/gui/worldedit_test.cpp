// Drawing a world with the mouse in the real window: simulated pointer and keys, checked on the
// world model and on the picture; saving the world, and the question before edits are lost.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/worldedit.h"
#include "tests/gui/gui_harness.h"
#include "world/situation.h"
#include "world/world.h"

#include <wx/uiaction.h>

namespace {

class WorldEditTest : public GuiTest {
  protected:
    void TearDown() override {
        endWorldEditing();
        GuiTest::TearDown();
    }
    // Moves the pointer near (not onto) the crossing of corner (x, y).
    static void pointAt(int x, int y, int dx = 6, int dy = -5) {
        wxPoint at(30 * x + 15 + dx, 30 * y + 15 + dy);
        wxUIActionSimulator().MouseMove(frame->canvas->ClientToScreen(at));
        pump(30);
    }
    static void drag(int x1, int y1, int x2, int y2) {
        pointAt(x1, y1);
        wxUIActionSimulator().MouseDown();
        pointAt(x2, y2, -4, 7);
        wxUIActionSimulator().MouseUp();
        pump(40);
    }
    static void click(int x, int y, int button = wxMOUSE_BTN_LEFT) {
        pointAt(x, y);
        wxUIActionSimulator().MouseClick(button);
        pump(40);
    }
    static wxColour at(int x, int y) { return pixel(worldImage(), x, y); }
    // Whether the picture shows a thing's blue on corner (x, y).
    static bool blueOn(int x, int y) {
        wxImage image = worldImage();
        for (int py = 30 * y + 9; py < 30 * y + 31; ++py)
            for (int px = 30 * x + 9; px < 30 * x + 25; ++px)
                if (sameColour(pixel(image, px, py), *wxBLUE)) return true;
        return false;
    }
    static void startEditing() {
        frame->OnMenuCommand(ID_EDIT_BY_MOUSE);
        ASSERT_TRUE(worldEditing());
    }
};

TEST_F(WorldEditTest, TheMouseAndKeysDrawWallsThingsAndTheRobotOnlyInTheMode) {
    drag(2, 9, 5, 9); // outside the mode: nothing
    click(4, 3);
    click(4, 4, wxMOUSE_BTN_RIGHT);
    EXPECT_FALSE(in_line(90, 270));
    EXPECT_TRUE(in_line(120, 90));
    EXPECT_EQ(icon_x, 210);

    startEditing();
    EXPECT_TRUE(world_menu->IsChecked(ID_EDIT_BY_MOUSE));
    drag(2, 9, 5, 9);
    EXPECT_TRUE(in_line(60, 270) && in_line(150, 270));
    EXPECT_TRUE(sameColour(at(120, 285), *wxRED)) << "between corners 3 and 4 of row 9";
    drag(2, 11, 5, 12); // neither a row nor a column
    EXPECT_FALSE(in_line(60, 330) || in_line(150, 360));
    click(4, 3); // on the loaded wall
    EXPECT_FALSE(in_line(120, 90));
    EXPECT_FALSE(sameColour(at(150, 105), *wxRED));

    pointAt(9, 2);
    type("sm");
    EXPECT_EQ(PindlesWorld.get(9, 2), 'm') << "the keys put things, none moves or steps";
    EXPECT_TRUE(blueOn(9, 2));
    EXPECT_EQ(icon_y, 210);
    wxUIActionSimulator().Char('q', wxMOD_SHIFT);
    pump(30);
    EXPECT_EQ(PindlesWorld.get(9, 2), 'Q');
    type(" ");
    EXPECT_EQ(PindlesWorld.get(9, 2), ' ');
    EXPECT_FALSE(blueOn(9, 2));
    pointAt(5, 5);
    wxUIActionSimulator().Char(WXK_DELETE);
    pump(30);
    EXPECT_EQ(PindlesWorld.get(5, 5), ' ');

    position = 2;
    click(10, 4, wxMOUSE_BTN_RIGHT);
    EXPECT_EQ(icon_x, 300);
    EXPECT_EQ(icon_y, 120);
    EXPECT_EQ(position, 0);
    frame->OnMenuCommand(ID_EDIT_BY_MOUSE);
    EXPECT_FALSE(world_menu->IsChecked(ID_EDIT_BY_MOUSE));
    type("m");
    EXPECT_EQ(icon_y, 90) << "out of the mode the keys drive the robot again";
    EXPECT_TRUE(scripted().boxes.empty());
}

TEST_F(WorldEditTest, SavingWritesTheWorldAndUnsavedEditsAreAskedAbout) {
    std::string world = tempDir + "/w.sit";
    startEditing();
    click(3, 4, wxMOUSE_BTN_RIGHT);
    frame->OnMenuCommand(ID_RESET_WORLD); // the mode ends, then the question: cancelled
    EXPECT_FALSE(worldEditing());
    EXPECT_EQ(scripted().asked,
              std::vector<std::string>{"question Pindle's World|The world of " + world +
                                       " has been changed with the mouse. "
                                       "Save it first?"});
    EXPECT_EQ(icon_x, 90) << "cancelled: nothing reloaded";
    scripted().questions = {Dialogs::NO};
    press(9); // reset, letting the edits go
    EXPECT_EQ(icon_x, 210);
    frame->OnMenuCommand(ID_CHECK);
    EXPECT_EQ(scripted().asked.size(), 2u) << "nothing left to ask about";

    startEditing();
    click(5, 3);
    std::string copy = tempDir + "/copy.sit";
    scripted().saveFiles = {tempDir + "/no folder/x.sit", copy};
    frame->OnMenuCommand(ID_SAVE_WORLD_AS);
    ASSERT_EQ(scripted().boxes.size(), 2u);
    EXPECT_EQ(scripted().boxes[1].text.rfind("Cannot save the world in " + tempDir, 0), 0u);
    frame->OnMenuCommand(ID_SAVE_WORLD_AS);
    EXPECT_EQ(fileText(copy), "thing 5,5 x\npindle 7,7\n");
    EXPECT_STREQ(worldFile, copy.c_str());
    pointAt(2, 2);
    type("k");
    scripted().questions = {Dialogs::YES};
    frame->OnMenuCommand(ID_RUN); // saved into the new world file, reloaded from it and run
    EXPECT_EQ(fileText(copy), "thing 2,2 k\nthing 5,5 x\npindle 7,7\n");
    EXPECT_EQ(PindlesWorld.get(2, 2), 'k');
    EXPECT_EQ(icon_y, 180) << "the program ran";
    EXPECT_EQ(fileText(world), "wall 3,3 3,6\nthing 5,5 x\npindle 7,7\n");
}

TEST_F(WorldEditTest, AGoalEditedAsTheWorldKeepsItsHeadingAndTheEditorFollows) {
    std::string goal = writeFile("g.goal.sit", "thing 2,2 a\npindle 4,4 south\n");
    restart(goal, tempDir + "/p.pnd");
    startEditing();
    pointAt(6, 6);
    type("b");
    editFileIsProgram = false;
    EditPindleFile(goal.c_str()); // the editor shows the file as it was
    frame->OnMenuCommand(ID_SAVE_WORLD);
    EXPECT_EQ(fileText(goal), "thing 6,6 b\nthing 2,2 a\npindle 4,4 south\n");
    EXPECT_EQ(toText(subframe->text_window->GetValue()), fileText(goal)) << "and as it is now";
    EXPECT_FALSE(subframe->text_window->IsModified());
}

TEST_F(WorldEditTest, ANewWorldIsMadeWithTheMouseAndItsRobotTurnsAndKeepsItsHeading) {
    EXPECT_EQ(world_menu->FindItem(ID_NEW_WORLD)->GetItemLabel(), "&New world");
    frame->OnMenuCommand(ID_NEW_WORLD);
    EXPECT_TRUE(worldEditing());
    EXPECT_STREQ(worldFile, "");
    EXPECT_EQ(PindlesWorld.get(5, 5), ' ');
    EXPECT_TRUE(icon_x == 30 && icon_y == 30 && position == 0) << "on 1,1 facing north";
    click(1, 1, wxMOUSE_BTN_RIGHT);
    EXPECT_EQ(position, 1) << "a right click on the robot's own corner turns it left";
    pointAt(3, 2);
    type("k");
    press(9); // reset: the new world's edits are asked about, then let go
    EXPECT_EQ(scripted().asked, std::vector<std::string>{"question Pindle's World|The new world "
                                                         "has been changed with the mouse. Save "
                                                         "it first?"});
    scripted().questions = {Dialogs::NO};
    press(9);
    EXPECT_EQ(PindlesWorld.get(3, 2), ' ') << "made new again, with no file to ask for";
    EXPECT_EQ(position, 0);

    startEditing();
    click(1, 1, wxMOUSE_BTN_RIGHT);
    click(1, 1, wxMOUSE_BTN_RIGHT);
    drag(2, 4, 2, 6);
    std::string goal = tempDir + "/made.goal.sit";
    scripted().saveFiles = {goal};
    frame->OnMenuCommand(ID_SAVE_WORLD);
    EXPECT_EQ(fileText(goal), "wall 4,2 6,2\npindle 1,1 south\n");
    EXPECT_STREQ(worldFile, goal.c_str());
}

} // namespace
