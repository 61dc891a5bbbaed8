// Watching a program in the editor: the next instruction lit, breakpoints and Continue, the
// instructions in progress, and steps backwards to the pixel.
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "lang/table.h"
#include "tests/gui/gui_harness.h"
#include "world/robot.h"
#include "world/world.h"

#include <cstring>

namespace {

const std::string program = "define turnRight as {\n"
                            "  left left left\n"
                            "}\n"
                            "define main as {\n"
                            "  move\n"
                            "  turnRight\n"
                            "  move\n"
                            "}\n";

class DebuggerTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        restart(tempDir + "/w.sit", writeFile("climb.pnd", program));
        frame->OnMenuCommand(ID_EDIT_PROGRAM);
    }
    static ProgramText& text() { return *subframe->text_window; }
    static std::string chain() { return subframe->GetStatusBar()->GetStatusText(0).ToStdString(); }
    // The byte offset of the nth occurrence (from 0) of word in the program.
    static int offsetOf(const std::string& word, int nth = 0) {
        size_t at = program.find(word);
        while (nth-- > 0)
            at = program.find(word, at + 1);
        return static_cast<int>(at);
    }
    static void step() { frame->OnMenuCommand(ID_STEP); }
};

TEST_F(DebuggerTest, EachStepLightsTheNextInstructionAndTheInstructionsInProgress) {
    step();
    EXPECT_EQ(text().nextLine(), 4) << "main's first move";
    EXPECT_TRUE(text().IndicatorAllOnFor(offsetOf("move")));
    EXPECT_EQ(chain(), "main");
    step();
    step();
    EXPECT_EQ(text().nextLine(), 1);
    EXPECT_TRUE(text().IndicatorAllOnFor(offsetOf("left")));
    EXPECT_FALSE(text().IndicatorAllOnFor(offsetOf("move"))) << "one instruction lit at a time";
    EXPECT_EQ(chain(), "main > turnRight");
    step();
    EXPECT_TRUE(text().IndicatorAllOnFor(offsetOf("left", 1)));

    // A changed text shows no mark: its positions may point anywhere.
    text().InsertText(0, "/ a note\n");
    EXPECT_EQ(text().nextLine(), -1);
    EXPECT_FALSE(text().IndicatorAllOnFor(offsetOf("left", 1) + 9));
}

TEST_F(DebuggerTest, ABreakpointStopsARunBeforeItsLineAndContinueGoesOn) {
    text().toggleBreakpoint(6); // the second move
    frame->OnMenuCommand(ID_RUN);
    EXPECT_TRUE(scripted().boxes.empty()) << "stopped as a pause stops, without a box";
    EXPECT_EQ(icon_y, 180) << "the first move made";
    EXPECT_EQ(position, 3) << "turned right";
    EXPECT_EQ(text().nextLine(), 6);
    EXPECT_EQ(chain(), "main");
    frame->OnMenuCommand(ID_CONTINUE);
    EXPECT_EQ(icon_x, 240) << "the second move made";
    EXPECT_NE(std::strstr(CurrInstrName, "done!"), nullptr);

    // Breakpoints move with their lines and stay through a compile.
    text().InsertText(0, "/ a note\n");
    subframe->OnMenuCommand(ID_EDIT_SAVE);
    EXPECT_EQ(text().breakpointLines(), std::vector<int>{7});
    frame->OnMenuCommand(ID_RESET_WORLD);
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(text().nextLine(), 7);
    EXPECT_EQ(icon_x, 210);
}

TEST_F(DebuggerTest, StepBackUndoesStepsAndActionsToThePixel) {
    std::vector<wxImage> worlds, statuses;
    auto keep = [&] {
        worlds.push_back(worldImage());
        statuses.push_back(statusImage());
    };
    keep();
    step(); // the first step reloads the world, which forgets what came before
    keep();
    press(1); // the move button
    keep();
    for (int n = 0; n < 3; ++n) {
        step();
        keep();
    }
    for (int n = static_cast<int>(worlds.size()) - 2; n >= 0; --n) {
        SCOPED_TRACE(n);
        frame->OnMenuCommand(ID_STEP_BACK);
        EXPECT_TRUE(worldImage().IsOk());
        EXPECT_EQ(0, std::memcmp(worldImage().GetData(), worlds[n].GetData(), 550 * 550 * 3));
        EXPECT_EQ(0, std::memcmp(statusImage().GetData(), statuses[n].GetData(), 250 * 50 * 3));
    }
    EXPECT_EQ(icon_y, 210);
    EXPECT_TRUE(scripted().boxes.empty());
    frame->OnMenuCommand(ID_STEP_BACK);
    std::vector<std::string> past = {"Step back|There is no earlier step to go back to"};
    EXPECT_EQ(scripted().boxLines(), past);

    // Forward again from there; a reload of the world forgets the steps.
    step();
    step();
    EXPECT_EQ(icon_y, 180);
    frame->OnMenuCommand(ID_RESET_WORLD);
    scripted().boxes.clear();
    frame->OnMenuCommand(ID_STEP_BACK);
    EXPECT_EQ(scripted().boxLines(), past);

    std::strcpy(macroName, "walk");
    scripted().boxes.clear();
    frame->OnMenuCommand(ID_STEP_BACK);
    EXPECT_EQ(scripted().boxLines(),
              std::vector<std::string>{
                  "Step back|Steps cannot be undone while an instruction is being recorded"});
    macroName[0] = '\0';
}

} // namespace
