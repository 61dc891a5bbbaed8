// The main window's commands, its buttons and the run control, on the real window.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "lang/interp.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "tests/gui/gui_harness.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <wx/timer.h>
#include <wx/uiaction.h>

namespace {

// A program that never ends: the robot turns on its corner for ever.
const char* const spinForEver = "define main as { while (frontClear) { left } }\n";

// Does the given actions, one per tick, while a run is in progress. Once they are done it
// watches the run: a run still going a few seconds later is failed and ended by force, so
// that a broken stop cannot hang the tests.
class DuringRun : public wxTimer {
  public:
    explicit DuringRun(std::vector<std::function<void()>> actions) : actions_(std::move(actions)) {
        Start(20);
    }
    void Notify() override {
        if (!running) return;
        if (done_ < actions_.size()) {
            actions_[done_++]();
            return;
        }
        if (++ticksAfter_ > 200) {
            ADD_FAILURE() << "the run did not stop";
            STOPPED = true;
        }
    }
    bool allDone() const { return done_ == actions_.size(); }

  private:
    std::vector<std::function<void()>> actions_;
    size_t done_ = 0;
    int ticksAfter_ = 0;
};

// A typed character as the toolkit hands it to the world canvas.
void charToCanvas(int code) {
    wxKeyEvent event(wxEVT_CHAR);
    event.m_keyCode = code;
    event.SetEventObject(frame->canvas);
    frame->canvas->GetEventHandler()->ProcessEvent(event);
}

using CommandsTest = GuiTest;

TEST_F(CommandsTest, FirstStepReloadsTheWorldAndShowsMainWithoutMoving) {
    // The world on disk changed after start-up: the first step must read it again.
    writeFile("w.sit", "pindle 9,9\n");
    frame->OnMenuCommand(ID_STEP);
    EXPECT_STREQ(CurrInstrName, "main");
    EXPECT_EQ(icon_x, 270);
    EXPECT_EQ(icon_y, 270);
    EXPECT_FALSE(firstRun);
    frame->OnMenuCommand(ID_STEP);
    EXPECT_STREQ(CurrInstrName, "move");
    EXPECT_EQ(icon_y, 240);
    frame->OnMenuCommand(ID_STEP);
    EXPECT_STREQ(CurrInstrName, "left..done!");
    EXPECT_EQ(position, 1);
    EXPECT_TRUE(scripted().boxes.empty());
}

TEST_F(CommandsTest, SecondRunStartsMainAgainOnTheWorldAsItStandsWithEmptyBoards) {
    restart(tempDir + "/w.sit", writeFile("copy.pnd", "define main as { move b2=b1 }\n"));
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(icon_y, 180);
    scripted().boxes.clear();
    writeFile("w.sit", "pindle 9,9\n"); // not read again: the second run goes on from row 6
    b1 = 'q';
    b2 = 'z';
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(icon_x, 210);
    EXPECT_EQ(icon_y, 150);
    EXPECT_EQ(b1, '\0');
    EXPECT_EQ(b2, '\0');
    EXPECT_STREQ(CurrInstrName, "b2=b1..done!");
    std::vector<std::string> expected = {"Nothing to copy!|Board b1 uninitialized"};
    EXPECT_EQ(scripted().boxLines(), expected);
}

TEST_F(CommandsTest, RunsReloadTheWorldEveryTimeWhileTheEditorHoldsANewFile) {
    subframe->OnMenuCommand(ID_EDIT_NEW);
    frame->OnMenuCommand(ID_RUN);
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(icon_y, 180);
    EXPECT_TRUE(scripted().asked.empty());
}

TEST_F(CommandsTest, PauseAndWallStopARunAndStepGoesOn) {
    restart(tempDir + "/w.sit", writeFile("pause.pnd", "define main as { move pause left }\n"));
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(icon_y, 180);
    EXPECT_EQ(position, 0);
    EXPECT_STREQ(CurrInstrName, "pause");
    frame->OnMenuCommand(ID_STEP);
    EXPECT_EQ(position, 1);
    EXPECT_STREQ(CurrInstrName, "left..done!");

    // From row 7 the seventh move north hits the border.
    restart(tempDir + "/w.sit",
            writeFile("wall.pnd", "define main as { move move move move move move move left }"));
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(icon_y, 30);
    EXPECT_EQ(position, 0);
    std::vector<std::string> blocked = {"Error|Path blocked"};
    EXPECT_EQ(scripted().boxLines(), blocked);
    frame->OnMenuCommand(ID_STEP);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(icon_y, 30);
}

TEST_F(CommandsTest, StepAfterAFinishedRunDoesNothingAndRunStartsAgain) {
    frame->OnMenuCommand(ID_RUN);
    ASSERT_STREQ(CurrInstrName, "left..done!");
    frame->OnMenuCommand(ID_STEP);
    press(8);
    EXPECT_TRUE(programFinished());
    EXPECT_EQ(icon_y, 180);
    EXPECT_EQ(position, 1);
    press(7);
    EXPECT_EQ(icon_x, 180);
    EXPECT_EQ(position, 2);
}

TEST_F(CommandsTest, RunSavesTheChangedProgramReloadsTheWorldAndRunsIt) {
    frame->OnMenuCommand(ID_STEP);
    type("m");
    ASSERT_EQ(icon_y, 180);
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    setEditorText("define main as { left left move }\n");
    press(7);
    EXPECT_EQ(fileText(progFile), "define main as { left left move }\n");
    EXPECT_FALSE(subframe->text_window->IsModified());
    EXPECT_EQ(subframe->GetTitle(), wxString("Pindle's Editor: ") + progFile);
    EXPECT_EQ(icon_x, 210);
    EXPECT_EQ(icon_y, 240);
    EXPECT_EQ(position, 2);
}

TEST_F(CommandsTest, RunSavesAChangedSituationFileAndStartsOnIt) {
    frame->OnMenuCommand(ID_EDIT_WORLD);
    EXPECT_FALSE(editFileIsProgram);
    setEditorText("pindle 9,9\n");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(fileText(worldFile), "pindle 9,9\n");
    EXPECT_EQ(icon_x, 270);
    EXPECT_EQ(icon_y, 240);
    EXPECT_EQ(position, 1);
}

TEST_F(CommandsTest, RunAfterNewAsksForANameAndCancellingAbandonsIt) {
    type("m");
    subframe->OnMenuCommand(ID_EDIT_NEW);
    setEditorText("define main as { left }\n");
    scripted().saveFiles = {""};
    press(7);
    std::vector<std::string> asked = {"save Save file|Pindle programs (*.pnd) |*.pnd"};
    EXPECT_EQ(scripted().asked, asked);
    EXPECT_EQ(icon_y, 180) << "nothing reset";
    EXPECT_EQ(position, 0);
    EXPECT_TRUE(firstRun);
    EXPECT_STREQ(editFileName, "new");

    scripted().saveFiles = {tempDir + "/fresh"};
    press(7);
    EXPECT_EQ(fileText(tempDir + "/fresh.pnd"), "define main as { left }\n");
    EXPECT_EQ(std::string(progFile), tempDir + "/fresh.pnd");
    EXPECT_EQ(icon_y, 210);
    EXPECT_EQ(position, 1);
}

TEST_F(CommandsTest, CheckReadsTheFileNotTheEditorAndKeepsTheProgramsPlace) {
    frame->OnMenuCommand(ID_STEP);
    frame->OnMenuCommand(ID_STEP);
    ASSERT_EQ(icon_y, 180);
    frame->OnMenuCommand(ID_CHECK);
    EXPECT_EQ(icon_y, 210) << "world reloaded";
    std::vector<std::string> ok = {"Parses OK|Program is syntactically correct"};
    EXPECT_EQ(scripted().boxLines(), ok);
    frame->OnMenuCommand(ID_STEP);
    EXPECT_STREQ(CurrInstrName, "left..done!") << "the step after check goes on";

    scripted().boxes.clear();
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    setEditorText("define main as { jump }\n");
    frame->OnMenuCommand(ID_CHECK);
    EXPECT_EQ(scripted().boxLines(), ok);
    EXPECT_EQ(fileText(progFile), "define main as { move left }\n");
    EXPECT_TRUE(subframe->text_window->IsModified());
}

TEST_F(CommandsTest, CheckOfABadFileAddsTheErrorBox) {
    restart(tempDir + "/w.sit", writeFile("bad.pnd", "define main as { jump }\n"));
    frame->OnMenuCommand(ID_CHECK);
    std::vector<std::string> expected = {"Line 1|Unknown instruction\njump",
                                         "error|Error in Pindle program"};
    EXPECT_EQ(scripted().boxLines(), expected);
}

TEST_F(CommandsTest, OnlyTheResetWorldCommandCompilesAfterResetting) {
    restart(tempDir + "/w.sit", writeFile("bad.pnd", "define main as { jump }\n"));
    type("ml");
    b1 = 'a';
    press(9);
    EXPECT_EQ(icon_y, 210);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(b1, '\0');
    EXPECT_EQ(CodePtr, nullptr);
    EXPECT_TRUE(scripted().boxes.empty());
    EXPECT_FALSE(subframe->IsShown());

    type("m");
    frame->OnMenuCommand(ID_RESET_WORLD);
    EXPECT_EQ(icon_y, 210);
    std::vector<std::string> expected = {"Line 1|Unknown instruction\njump",
                                         "error|Error in Pindle program"};
    EXPECT_EQ(scripted().boxLines(), expected);
}

TEST_F(CommandsTest, RunWithoutMainOrWithoutAProgramFileDoesNothing) {
    restart(tempDir + "/w.sit", writeFile("nomain.pnd", "define turn as { left }\n"));
    frame->OnMenuCommand(ID_RUN);
    std::vector<std::string> expected = {"main?|No 'main' instruction in program"};
    EXPECT_EQ(scripted().boxLines(), expected);
    EXPECT_EQ(position, 0);

    restart(tempDir + "/w.sit", "");
    frame->OnMenuCommand(ID_RUN);
    frame->OnMenuCommand(ID_STEP);
    EXPECT_TRUE(scripted().boxes.empty());
    EXPECT_FALSE(subframe->IsShown());
}

TEST_F(CommandsTest, DelayItemsCheckOnlyTheChosenOne) {
    struct Case {
        int id, delay;
    };
    for (Case c : {Case{ID_DELAY_SLOW, 1500}, Case{ID_DELAY_MEDIUM, 750}, Case{ID_DELAY_FAST, 0},
                   Case{ID_DELAY_MEDIUM, 750}}) {
        // The toolkit toggles a checkable item before the command arrives; for the item that
        // was already checked that means unchecking it.
        run_delay_menu->Check(c.id, !run_delay_menu->IsChecked(c.id));
        frame->OnMenuCommand(c.id);
        EXPECT_EQ(delay_factor, c.delay);
        EXPECT_EQ(run_delay_menu->IsChecked(ID_DELAY_SLOW), c.id == ID_DELAY_SLOW);
        EXPECT_EQ(run_delay_menu->IsChecked(ID_DELAY_MEDIUM), c.id == ID_DELAY_MEDIUM);
        EXPECT_EQ(run_delay_menu->IsChecked(ID_DELAY_FAST), c.id == ID_DELAY_FAST);
    }
    // The same item chosen again stays checked.
    run_delay_menu->Check(ID_DELAY_MEDIUM, false);
    frame->OnMenuCommand(ID_DELAY_MEDIUM);
    EXPECT_TRUE(run_delay_menu->IsChecked(ID_DELAY_MEDIUM));
}

TEST_F(CommandsTest, StepNeverWaitsTheDelay) {
    frame->OnMenuCommand(ID_DELAY_SLOW);
    // A wait handles events; a callback run inside the step would mean the step waited.
    bool inStep = false, calledInStep = false;
    frame->CallAfter([&] { calledInStep = inStep; });
    inStep = true;
    frame->OnMenuCommand(ID_STEP);
    frame->OnMenuCommand(ID_STEP);
    inStep = false;
    pump(40);
    EXPECT_FALSE(calledInStep);
    EXPECT_EQ(icon_y, 180);
}

TEST_F(CommandsTest, LoadProgramMakesTheChosenFileCurrentAndShowsIt) {
    std::string other = writeFile("other.pnd", "define main as { left }\n");
    frame->OnMenuCommand(ID_STEP);
    type("m");
    scripted().files = {other};
    frame->OnMenuCommand(ID_LOAD_PROGRAM);
    std::vector<std::string> asked = {
        "open Load Pindle program|Pindle programs (*.pnd) |*.pnd|All files (*.*)|*.*"};
    EXPECT_EQ(scripted().asked, asked);
    EXPECT_EQ(std::string(progFile), other);
    EXPECT_TRUE(firstRun);
    EXPECT_EQ(icon_y, 210) << "the world is reset";
    EXPECT_TRUE(subframe->IsShown());
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { left }\n");
    EXPECT_EQ(subframe->GetTitle(), wxString("Pindle's Editor: ") + other);
    EXPECT_TRUE(editFileIsProgram);
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(position, 1);
}

TEST_F(CommandsTest, LoadProgramTakesLongPathsRefusesOwnNamesOf80AndChangesNothingWhenCancelled) {
    std::string before = progFile;
    std::string tooLong = "/tmp/" + std::string(76, 'a') + ".pnd"; // its own name is 80
    std::string longest = "/tmp/" + std::string(70, 'a') + ".pnd"; // 79 characters
    std::string deep = tempDir + "/Programming Course/Week 3 - Mazes and other things to do";
    std::filesystem::create_directories(deep);
    std::string maze = deep + "/maze.pnd";
    std::ofstream(maze) << "define main as { left }\n";
    scripted().files = {maze};
    frame->OnMenuCommand(ID_LOAD_PROGRAM);
    EXPECT_STREQ(progFile, "maze.pnd");
    EXPECT_EQ(std::filesystem::current_path(), deep);
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { left }\n");
    EXPECT_EQ(worldFile, tempDir + "/w.sit") << "still the same file, whole";
    EXPECT_TRUE(scripted().boxes.empty());
    ASSERT_TRUE(setFileName(progFile, before.c_str()));
    scripted().files = {tooLong};
    frame->OnMenuCommand(ID_LOAD_PROGRAM);
    std::vector<std::string> expected = {tooLong + "|File name too long (max is 80)"};
    EXPECT_EQ(scripted().boxLines(), expected);
    EXPECT_EQ(before, progFile);

    scripted().files = {longest};
    frame->OnMenuCommand(ID_LOAD_PROGRAM);
    EXPECT_EQ(longest, progFile);
    ASSERT_TRUE(setFileName(progFile, before.c_str()));

    // Cancelled: nothing changes, and the next step goes on where the program was.
    frame->OnMenuCommand(ID_STEP);
    frame->canvas->move();
    subframe->OnMenuCommand(ID_EDIT_QUIT);
    scripted().files.clear();
    frame->OnMenuCommand(ID_LOAD_PROGRAM);
    EXPECT_EQ(before, progFile);
    EXPECT_FALSE(firstRun);
    EXPECT_FALSE(subframe->IsShown());
    frame->OnMenuCommand(ID_STEP);
    EXPECT_EQ(icon_y, 150);
    EXPECT_STREQ(CurrInstrName, "move");
}

TEST_F(CommandsTest, HelpBoxesCarryTheirCaptionsAndTexts) {
    frame->OnMenuCommand(ID_ABOUT);
    frame->OnMenuCommand(ID_KEYPRESS_HELP);
    frame->OnMenuCommand(ID_LANGUAGE_HELP);
    const std::vector<Box>& boxes = scripted().boxes;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].caption, "About Pindle");
    EXPECT_FALSE(boxes[0].text.empty());
    EXPECT_EQ(boxes[1].caption, "Keypress Instructions");
    EXPECT_EQ(boxes[1].text,
              "Keypress commands:\nm: move\t(moves one square forward)\nl: left\t(turns 90 "
              "degrees left)\nr: read\t(read character into b1)\nw: write\t(write character out "
              "from b1)\n1: b1=b2\t(copy from b2 to b1)\n2: b2=b1\t(copy from b1 to b2)\nd: "
              "define\t(define an instruction)\ne: exec\t(execute a defined instruction)\ns: "
              "step\t(execute next step in program)\nCtrl-r: run\t(run program)");
    EXPECT_EQ(boxes[2].caption, "Pindle's programming language");
    EXPECT_EQ(
        boxes[2].text,
        "Following are the rules of the syntax of Pindle's language.\nRules take the form 'X "
        "=> Y', i.e., 'X expands to Y'.\nSymbols between <..> are non-terminals, expanded by "
        "rules.\nFor example, <instruction> => <primitive-instruction> means\n    that "
        "<instruction> can be expanded as <primitive-instruction>\n    (<primitive-instruction> "
        "is expanded by another rule).\n'OR' gives alternative expansions on the right side of "
        "a rule.\n'*' means zero or more, so <letter>* means zero or more <letter>s.\nAll other "
        "symbols in lower-case are tokens or words in the language;\n    so 'move' and '{' are "
        "tokens, for which no rules are needed.\n\n<define-instruction> => define "
        "<instruction-name> as <compound-instruction>\n<instruction-name> => <letter> "
        "<letter>*\n<letter> => A OR B OR ... OR Z OR a OR b ... OR z\n<instruction> => "
        "<primitive-instruction>\n\t\tOR <compound-instruction>\n\t\tOR "
        "<conditional-instruction>\n\t\tOR <repetition-instruction>\n<primitive-instruction> => "
        "move OR left\n\t\t\tOR read OR write\n\t\t\tOR b1=b2 OR b2=b1\n\t\t\tOR "
        "pause\n<compound-instruction => { <instruction>* }\n<conditional-instruction> => "
        "\n\tif ( <test> ) <instruction>\n\tOR if ( <test> ) <instruction> else "
        "<instruction>\n<repetition-instruction> => while ( <test> ) <instruction>\n<test> => "
        "<predicate> OR not <predicate>\n<predicate> => frontClear OR facingNorth OR "
        "cornerHasSomething\n\t\tOR b1==b2 OR b1=='char' OR b2 == 'char'\n");
}

TEST_F(CommandsTest, StopMenuItemEndsAnEndlessRun) {
    restart(tempDir + "/w.sit", writeFile("spin.pnd", spinForEver));
    DuringRun during({[] { frame->OnMenuCommand(ID_STOP); }});
    frame->OnMenuCommand(ID_RUN);
    EXPECT_TRUE(during.allDone());
    EXPECT_FALSE(running);
    EXPECT_TRUE(STOPPED);
    EXPECT_EQ(icon_x, 210);
    EXPECT_EQ(icon_y, 210);
    EXPECT_EQ(std::strstr(CurrInstrName, "done!"), nullptr);
    // The stop is spent: the next run of a program that ends runs to its end.
    frame->OnMenuCommand(ID_STOP);
    restart(tempDir + "/w.sit", tempDir + "/p.pnd");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_STREQ(CurrInstrName, "left..done!");
}

TEST_F(CommandsTest, EscapeOnTheCanvasEndsAnEndlessRun) {
    restart(tempDir + "/w.sit", writeFile("spin.pnd", spinForEver));
    DuringRun during({[] { wxUIActionSimulator().Char(WXK_ESCAPE); }});
    frame->OnMenuCommand(ID_RUN);
    EXPECT_TRUE(during.allDone());
    EXPECT_FALSE(running);
    EXPECT_EQ(icon_x, 210);
    EXPECT_EQ(icon_y, 210);
}

TEST_F(CommandsTest, DuringARunOnlyTheDelayAndStopAreObeyed) {
    restart(tempDir + "/w.sit", writeFile("spin.pnd", spinForEver));
    DuringRun during({[] {
                          for (int id : {ID_STEP, ID_RUN, ID_RESET_WORLD, ID_CHECK, ID_LOAD_WORLD,
                                         ID_LOAD_PROGRAM, ID_EDIT_PROGRAM, ID_EDIT_WORLD})
                              frame->OnMenuCommand(id);
                          for (int tag : {1, 2, 7, 8, 9, 10})
                              press(tag);
                          for (int key : {'m', 'l', 's', 'd', 'e', 'R'})
                              charToCanvas(key);
                      },
                      [] { frame->OnMenuCommand(ID_DELAY_SLOW); },
                      [] { frame->OnMenuCommand(ID_STOP); }});
    scripted().answers = {"x", "x"};
    scripted().files = {tempDir + "/w.sit", tempDir + "/p.pnd"};
    frame->OnMenuCommand(ID_RUN);
    EXPECT_TRUE(during.allDone());
    EXPECT_FALSE(running);
    EXPECT_TRUE(scripted().boxes.empty());
    EXPECT_TRUE(scripted().asked.empty());
    EXPECT_FALSE(subframe->IsShown());
    EXPECT_EQ(icon_x, 210);
    EXPECT_EQ(icon_y, 210);
    EXPECT_EQ(macroName[0], '\0');
    EXPECT_EQ(delay_factor, 1500);
    EXPECT_TRUE(run_delay_menu->IsChecked(ID_DELAY_SLOW));
    EXPECT_FALSE(run_delay_menu->IsChecked(ID_DELAY_FAST));
}

TEST_F(CommandsTest, ClosingDuringARunStopsItAndThenAsksAboutChangedText) {
    restart(tempDir + "/w.sit", writeFile("spin.pnd", spinForEver));
    frame->OnMenuCommand(ID_EDIT_WORLD);
    // Run saves a changed text first, so the text changes once the run is going.
    DuringRun during({[] { setEditorText("pindle 2,2\n"); },
                      [] {
                          ASSERT_TRUE(subframe->text_window->IsModified());
                          frame->Close();
                      }});
    frame->OnMenuCommand(ID_RUN);
    EXPECT_TRUE(during.allDone());
    EXPECT_FALSE(running);
    EXPECT_TRUE(scripted().asked.empty()) << "nothing asked while the run was going";
    pump(100);
    ASSERT_EQ(scripted().asked.size(), 1u);
    EXPECT_EQ(scripted().asked[0].rfind("question ", 0), 0u);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_TRUE(subframe->text_window->IsModified());
}

TEST_F(CommandsTest, ClosingWithChangedTextCancelledKeepsTheWindow) {
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    setEditorText("define main as { left }\n");
    scripted().questions = {Dialogs::CANCEL};
    EXPECT_FALSE(frame->Close());
    pump(60);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsShown());
    ASSERT_EQ(scripted().asked.size(), 1u);
    EXPECT_EQ(scripted().asked[0].rfind("question ", 0), 0u);
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { left }\n");
    EXPECT_EQ(fileText(progFile), "define main as { move left }\n");
}

TEST_F(CommandsTest, ExecuteCompilesTheProgramOnlyBeforeTheFirstRun) {
    restart(tempDir + "/w.sit",
            writeFile("e.pnd", "define main as { move }\ndefine turn as { left left }\n"));
    scripted().answers = {"turn"};
    type("e");
    std::vector<std::string> asked = {"text Execute instruction|Name of defined instruction:"};
    EXPECT_EQ(scripted().asked, asked);
    EXPECT_EQ(position, 2);
    EXPECT_EQ(icon_y, 210);
    EXPECT_FALSE(STOPPED);

    frame->OnMenuCommand(ID_STEP); // compiles; the robot starts over facing north
    writeFile("e.pnd", "define main as { move }\ndefine turn as { left }\n");
    scripted().answers = {"turn"};
    type("E");
    EXPECT_EQ(position, 2) << "the table still holds the first compilation";
    EXPECT_EQ(wxWindow::FindFocus(), frame->canvas);
}

TEST_F(CommandsTest, EscapeEndsAnEndlessExecute) {
    restart(tempDir + "/w.sit", writeFile("spin.pnd", spinForEver));
    DuringRun during({[] { wxUIActionSimulator().Char(WXK_ESCAPE); }});
    scripted().answers = {"main"};
    charToCanvas('e'); // from the test itself: the execute loop must not run inside a pump
    pump(60);
    EXPECT_TRUE(during.allDone());
    EXPECT_FALSE(running);
    EXPECT_FALSE(STOPPED);
    EXPECT_EQ(icon_x, 210);
    EXPECT_EQ(icon_y, 210);
}

TEST_F(CommandsTest, DefineButtonRecordsLikeTheKey) {
    scripted().answers = {"hop"};
    press(10);
    EXPECT_STREQ(macroName, "hop");
    press(1);
    press(2);
    press(10);
    std::vector<std::string> expected = {"hop|Stop definition by pressing 'd'",
                                         "hop|Defined hop as ML"};
    EXPECT_EQ(scripted().boxLines(), expected);
    EXPECT_STREQ(getCodePtr("hop"), "ML");
    EXPECT_EQ(macroName[0], '\0');
}

TEST_F(CommandsTest, CanvasGetsTheKeysBackAfterCommandsAndButtons) {
    pn_button[6]->SetFocus();
    pump(40);
    frame->OnMenuCommand(ID_DELAY_MEDIUM);
    pump(40);
    EXPECT_EQ(wxWindow::FindFocus(), frame->canvas);
    frame->OnMenuCommand(ID_DELAY_FAST);

    // A real click on the "left" button, then a key: the key must reach the canvas.
    wxUIActionSimulator sim;
    wxRect r = pn_button[1]->GetScreenRect();
    sim.MouseMove(r.GetX() + r.GetWidth() / 2, r.GetY() + r.GetHeight() / 2);
    pump(40);
    sim.MouseClick();
    pump(100);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(wxWindow::FindFocus(), frame->canvas);
    type("m");
    EXPECT_EQ(icon_x, 180);
}

} // namespace
