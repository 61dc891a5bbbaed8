// Goals in the window: loaded with a world or from the World menu, drawn faintly under the
// world, and told in a box after a run.
#include "app/canvas.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/worldview.h"
#include "lang/table.h"
#include "tests/gui/gui_harness.h"
#include "world/goal.h"
#include "world/world.h"

namespace {

class GoalWindowTest : public GuiTest {
  protected:
    void TearDown() override {
        frame->OnMenuCommand(ID_CLEAR_GOAL);
        GuiTest::TearDown();
    }
    // Loads the goal text through the World menu's file selector.
    void loadGoal(const std::string& text) {
        scripted().files = {writeFile("goal.sit", text)};
        frame->OnMenuCommand(ID_LOAD_GOAL);
    }
};

const wxColour goalGreen(60, 180, 60);

TEST_F(GoalWindowTest, TheWorldMenuLoadsAndClearsGoalsAndAWorldBringsItsOwn) {
    EXPECT_EQ(world_menu->FindItem(ID_LOAD_GOAL)->GetItemLabel(), "Load &goal...");
    EXPECT_EQ(world_menu->FindItem(ID_CLEAR_GOAL)->GetItemLabel(), "&Clear goal");
    loadGoal("pindle 6,7 west");
    EXPECT_TRUE(taskGoal.loaded);
    EXPECT_EQ(scripted().asked.back(),
              "open Load goal file|World files (*.sit)|*.sit|All files (*.*)|*.*");
    frame->OnMenuCommand(ID_CLEAR_GOAL);
    EXPECT_FALSE(taskGoal.loaded);

    std::string task = writeFile("t.sit", "pindle 2,2\n");
    writeFile("t.goal.sit", "thing 2,3 a\n");
    scripted().files = {task};
    frame->OnMenuCommand(ID_LOAD_WORLD);
    EXPECT_TRUE(taskGoal.loaded);
    EXPECT_EQ(taskGoal.things.get(3, 2), 'a');
    scripted().files = {""}; // cancelled: the world and its goal stay
    frame->OnMenuCommand(ID_LOAD_WORLD);
    EXPECT_TRUE(taskGoal.loaded);
    scripted().files = {tempDir + "/w.sit"}; // no goal beside it
    frame->OnMenuCommand(ID_LOAD_WORLD);
    EXPECT_FALSE(taskGoal.loaded);
    EXPECT_TRUE(scripted().boxes.empty());
}

TEST_F(GoalWindowTest, AGoalShowsUnderTheWorldAndClearingItRestoresEveryPixel) {
    frame->canvas->Refresh();
    pump(60);
    wxImage before = worldImage();
    loadGoal("thing 2,10 G\nthing 5,5 x\npindle 6,7 west\n");
    wxImage with = worldImage();
    const wxRect thing(30 * 10 + 9, 30 * 2 + 9, 16, 22);
    EXPECT_TRUE(holds(with, thing, goalGreen));
    EXPECT_FALSE(holds(before, thing, goalGreen));
    // The robot's outline facing west: its nose left of the corner, its back right of it.
    EXPECT_TRUE(holds(with, wxRect(210 + 3, 180 + 14, 4, 3), goalGreen));
    EXPECT_FALSE(holds(with, wxRect(210 + 27, 180 + 14, 4, 3), goalGreen));
    loadGoal("pindle 6,7\n"); // any heading: the corner outlined
    EXPECT_TRUE(holds(worldImage(), wxRect(210 - 4, 180 + 5, 3, 20), goalGreen));
    EXPECT_TRUE(holds(with, wxRect(30 * 5 + 9, 30 * 5 + 9, 16, 22), *wxBLUE))
        << "the world's own thing over the goal's";

    frame->OnMenuCommand(ID_CLEAR_GOAL);
    EXPECT_EQ(differingPixels(before, worldImage()), 0);
}

TEST_F(GoalWindowTest, TheKeptPictureWithAGoalEqualsAFullRedraw) {
    loadGoal("thing 5,5 x\nthing 6,6 Q\nthing 7,6 y\npindle 6,7\n");
    type("mmlmmrllmw"); // onto the thing, read it, on past the goal's corner, write it
    b1 = 'Q';
    frame->canvas->move();
    frame->canvas->output();
    wxImage kept = worldImage();
    forgetPicture();
    reDraw();
    EXPECT_EQ(differingPixels(kept, worldImage()), 0);
}

TEST_F(GoalWindowTest, ARunAndAnExecutedInstructionTellWhetherTheGoalIsReached) {
    loadGoal("thing 5,5 x\nthing 2,10 G\npindle 6,7 west\n");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(scripted().boxLines(),
              std::vector<std::string>{"Goal not reached|Not yet:\nRow 2, column 10 should hold "
                                       "'G' (it holds nothing)."});
    restart(tempDir + "/w.sit", tempDir + "/p.pnd");
    loadGoal("thing 5,5 x\npindle 6,7 west\n");
    scripted().answers = {"main"};
    frame->canvas->runInstruction();
    EXPECT_EQ(scripted().boxLines(),
              std::vector<std::string>{"Goal reached|Well done: the world is as the goal asks."});

    // A move blocked in the step that ends main: "..done!" as ever, but the goal is not reached.
    restart(writeFile("b.sit", "pindle 1,3\n"), writeFile("m.pnd", "define main as { move }\n"));
    loadGoal("pindle 1,3\n");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_STREQ(CurrInstrName, "move..done!");
    EXPECT_EQ(scripted().boxLines(),
              (std::vector<std::string>{"Error|Path blocked",
                                        "Goal not reached|Not yet:\nThe run was stopped before "
                                        "the program finished."}));
}

} // namespace
