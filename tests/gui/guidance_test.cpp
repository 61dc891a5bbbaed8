// What helps a student who is stuck, in the real window: a hint under a program fault, the
// place where a run stopped with a box, the question before Continue runs old code, and the
// reason a recording's name is refused.
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "tests/gui/gui_harness.h"
#include "app/canvas.h"
#include "view/worlddrawing.h"
#include "app/wxpainter.h"
#include "world/robot.h"
#include "world/world.h"

namespace {

class GuidanceTest : public GuiTest {
  protected:
    // Starts on the world (by default a wall across row 5 above the robot on (7, 7)), editing
    // the program.
    void start(const std::string& program,
               const std::string& world = "wall 5,6 5,8\npindle 7,7\n") {
        restart(writeFile("w.sit", world), writeFile("p.pnd", program));
        frame->OnMenuCommand(ID_EDIT_PROGRAM);
    }
    static ProgramText& text() { return *subframe->text_window; }
    // The pixels in which the window's picture differs from the picture of the world alone.
    static int marked() { return differingPixels(worldImage(), sceneImage(currentScene())); }
};

TEST_F(GuidanceTest, AFaultHasAHintBelowItsLineUntilTheLineChangesOrTheFileCompiles) {
    start("define main as {\n  mvoe\n}\n");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(scripted().boxLines(), std::vector<std::string>{"Line 2|Unknown instruction\nmvoe"});
    EXPECT_EQ(text().AnnotationGetText(1), "Did you mean \"move\"?");
    text().InsertText(text().PositionFromLine(1) + 3, "o");
    EXPECT_EQ(text().AnnotationGetText(1), "");

    start("define main as {\n  hop\n}\n");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(text().AnnotationGetText(1).rfind("An instruction goes here", 0), 0u);
    text().InsertText(0, "define hop as { left }\n"); // not on the fault's line
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(text().faultLine(), -1);
    EXPECT_EQ(text().AnnotationGetText(2), "") << "the file compiles";
}

TEST_F(GuidanceTest, ABoxDuringARunMarksItsInstructionAndTheBlockedSideUntilTheNextStep) {
    start("define main as {\n  move\n  move\n  left\n}\n");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(scripted().boxLines(), std::vector<std::string>{"Error|Path blocked"});
    EXPECT_EQ(text().crashLine(), 2) << "the second move";
    EXPECT_TRUE(sameColour(pixel(worldImage(), 218, 180), wxColour(255, 140, 0)))
        << "half way to the wall above the robot";
    frame->OnMenuCommand(ID_STEP);
    EXPECT_EQ(text().crashLine(), -1);
    EXPECT_EQ(marked(), 0) << "every pixel as it was";

    frame->OnMenuCommand(ID_RESET_WORLD);
    frame->OnMenuCommand(ID_RUN);
    text().InsertText(0, "/ note\n");
    EXPECT_EQ(text().crashLine(), -1) << "an edit takes both marks away";
    EXPECT_EQ(marked(), 0);

    // A board's box marks the instruction only; a key's box marks nothing.
    start("define main as {\n  write\n}\n");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(text().crashLine(), 1);
    EXPECT_EQ(marked(), 0);
    frame->OnMenuCommand(ID_RESET_WORLD);
    frame->canvas->move();
    frame->canvas->move();
    EXPECT_EQ(text().crashLine(), -1);
    EXPECT_EQ(marked(), 0);
}

TEST_F(GuidanceTest, ContinueAfterTheTextChangedAsksWhichProgramToRun) {
    start("define main as {\n  move\n  pause\n  move\n}\n", "pindle 7,7\n");
    frame->OnMenuCommand(ID_RUN);
    frame->OnMenuCommand(ID_CONTINUE);
    EXPECT_TRUE(scripted().asked.empty()) << "the text as compiled: no question";
    EXPECT_EQ(icon_y, 150);

    frame->OnMenuCommand(ID_RUN);
    text().InsertText(0, "/ note\n");
    frame->OnMenuCommand(ID_CONTINUE); // cancelled
    EXPECT_EQ(scripted().asked,
              std::vector<std::string>{
                  "either Continue|The program has been changed since it started. Run the "
                  "changed program from the start, or continue the old one where it stopped?|"
                  "&Run the changed program|&Continue the old one"});
    EXPECT_EQ(icon_y, 120);
    scripted().questions = {Dialogs::NO};
    frame->OnMenuCommand(ID_CONTINUE);
    EXPECT_EQ(icon_y, 90) << "the old program went on";

    frame->OnMenuCommand(ID_RUN); // the changed text saved, the world reloaded
    text().InsertText(0, "/ another\n");
    scripted().questions = {Dialogs::YES};
    frame->OnMenuCommand(ID_CONTINUE);
    EXPECT_EQ(icon_y, 180) << "saved, reloaded and run from the start to its pause";
}

TEST_F(GuidanceTest, ARecordingNameNoProgramCanCallIsRefusedWithTheReason) {
    scripted().answers = {"turn around"};
    frame->canvas->startKeyboardDefine();
    ASSERT_EQ(scripted().boxes.size(), 1u);
    EXPECT_EQ(scripted().boxes[0].caption, "Define instruction");
    EXPECT_STREQ(macroName, "");
    EXPECT_EQ(frame->GetTitle(), mainTitle);
}

} // namespace
