// Faults in the middle of work, on the real window: files that vanish or cannot be read between
// one command and the next, saves that cannot be made, and the robot's faults during a run.
// Each must end with the program's own box, and nothing the user had may be lost.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/worldview.h"
#include "lang/interp.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "tests/gui/gui_harness.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/modalhook.h>
#include <wx/timer.h>

namespace {

using Lines = std::vector<std::string>;

void expectRobotAt(int x, int y, int heading) {
    EXPECT_EQ(icon_x, 30 * x);
    EXPECT_EQ(icon_y, 30 * y);
    EXPECT_EQ(position, heading);
}

// While it lives, the process reads files as the user nobody when it runs as the superuser,
// whom file modes do not bind (the saved user id stays root, so it can switch back).
class ReadingAsNobody {
  public:
    explicit ReadingAsNobody(bool wanted)
        : switched_(wanted && geteuid() == 0 && seteuid(65534) == 0) {}
    ~ReadingAsNobody() {
        if (switched_ && seteuid(0) != 0) std::abort();
    }
    // Whether modes now bind the process.
    bool modesBind() const { return geteuid() != 0; }
    ReadingAsNobody(const ReadingAsNobody&) = delete;
    ReadingAsNobody& operator=(const ReadingAsNobody&) = delete;

  private:
    bool switched_;
};

// Does its action once, at its first tick inside a run; then fails and ends a run that goes
// on for more than a few seconds, so that a stop that never comes cannot hang the tests.
class InsideRun : public wxTimer {
  public:
    explicit InsideRun(std::function<void()> action) : action_(std::move(action)) { Start(20); }
    void Notify() override {
        if (!running) return;
        if (!done_) {
            done_ = true;
            action_();
        } else if (++ticks_ > 250) {
            ADD_FAILURE() << "the run did not stop";
            STOPPED = true;
        }
    }
    bool done() const { return done_; }

  private:
    std::function<void()> action_;
    bool done_ = false;
    int ticks_ = 0;
};

// Answers every modal dialog of the real display, and counts them. Registered after the
// harness's own hook, it is asked first, so the harness does not fail the test.
class AnswerDialogs : public wxModalDialogHook {
  public:
    explicit AnswerDialogs(int answer) : answer_(answer) { Register(); }
    ~AnswerDialogs() override { Unregister(); }
    int shown = 0;

  protected:
    int Enter(wxDialog*) override {
        ++shown;
        return answer_;
    }
    void Exit(wxDialog*) override {}

  private:
    int answer_;
};

class FaultsTest : public GuiTest {
  protected:
    // The world picture as a repaint of the whole canvas draws it now.
    static wxImage repaintedWorld() {
        forgetPicture();
        frame->canvas->Refresh();
        frame->canvas->Update();
        pump(60);
        return worldImage();
    }
};

TEST_F(FaultsTest, ProgramFileDeletedOrUnreadableAfterLoadingAbandonsTheRun) {
    // The folder is open to everybody, so that only the program file's own mode can refuse it.
    chmod(tempDir.c_str(), 0755);
    const std::string text = "define main as { move move left }\n";
    struct Fault {
        const char* what;
        std::function<void(const std::string&)> make, undo;
    };
    const Fault faults[] = {
        {"deleted", [](const std::string& p) { std::remove(p.c_str()); },
         [&](const std::string&) { writeFile("go.pnd", text); }},
        {"unreadable", [](const std::string& p) { chmod(p.c_str(), 0); },
         [](const std::string& p) { chmod(p.c_str(), 0644); }},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        restart(tempDir + "/w.sit", tempDir + "/p.pnd");
        std::string prog = writeFile("go.pnd", text);
        scripted().files = {prog};
        frame->OnMenuCommand(ID_LOAD_PROGRAM);
        ASSERT_EQ(prog, progFile);
        ASSERT_EQ(subframe->text_window->GetValue(), text);

        fault.make(prog);
        {
            bool unreadable = std::strcmp(fault.what, "unreadable") == 0;
            ReadingAsNobody reader(unreadable);
            if (unreadable && !reader.modesBind())
                GTEST_SKIP() << "cannot read files as an ordinary user here";
            frame->OnMenuCommand(ID_RUN);
        }
        Lines expected = {"Line 0|No such file as\n" + prog};
        EXPECT_EQ(scripted().boxLines(), expected);
        expectRobotAt(7, 7, 0);
        EXPECT_TRUE(firstRun) << "the run was abandoned";
        EXPECT_FALSE(running);
        EXPECT_EQ(CodePtr, nullptr);
        // The editor, brought up at the fault, still holds the program as it was loaded.
        EXPECT_TRUE(subframe->IsShown());
        EXPECT_EQ(subframe->text_window->GetValue(), text);
        EXPECT_FALSE(subframe->text_window->IsModified());
        EXPECT_EQ(prog, editFileName);
        EXPECT_EQ(prog, progFile);

        // Once the file is back, the same command runs it.
        fault.undo(prog);
        scripted().boxes.clear();
        frame->OnMenuCommand(ID_RUN);
        EXPECT_TRUE(scripted().boxes.empty());
        expectRobotAt(7, 5, 1);
        EXPECT_STREQ(CurrInstrName, "left..done!");
    }
}

TEST_F(FaultsTest, WorldFileDeletedBeforeAResetKeepsThePreviousWorld) {
    frame->OnMenuCommand(ID_STEP);
    frame->OnMenuCommand(ID_STEP); // main's first move: the robot stands on (7, 6)
    type("lr2");                   // facing west, both boards hold the empty corner's space
    ASSERT_EQ(b2, ' ');
    const char* const programPlace = CodePtr;
    wxImage before = repaintedWorld();
    std::remove(worldFile);
    const std::string missing = worldFile;
    const Lines cannotOpen = {missing + "|Cannot open world situation file\n"};

    struct Reset {
        const char* what;
        std::function<void()> give;
    };
    for (const Reset& reset :
         {Reset{"reset button", [] { press(9); }},
          Reset{"reset world command", [] { frame->OnMenuCommand(ID_RESET_WORLD); }},
          Reset{"reset itself",
                [] { EXPECT_EQ(frame->Reset_Pindle_Program(), 0) << "the reset is abandoned"; }}}) {
        SCOPED_TRACE(reset.what);
        scripted().boxes.clear();
        reset.give();
        // The reset world command compiles the program all the same; it compiles without fault.
        EXPECT_EQ(scripted().boxLines(), cannotOpen);
        EXPECT_EQ(missing, worldFile);
        expectRobotAt(7, 6, 1);
        EXPECT_EQ(b1, ' ');
        EXPECT_EQ(b2, ' ');
        EXPECT_EQ(CodePtr, programPlace) << "the program keeps its place";
        EXPECT_EQ(PindlesWorld.get(5, 5), 'x');
        EXPECT_EQ(PindlesWorld.get(4, 3), '\0') << "the wall's mark";
        ASSERT_NE(walls, nullptr);
        EXPECT_EQ(walls->y1, 90);
        wxImage after = repaintedWorld();
        EXPECT_EQ(differingPixels(before, after), 0) << "the previous world is still drawn";
        EXPECT_TRUE(sameColour(pixel(after, 150, 105), *wxRED)) << "the wall on row 3";
    }

    // The program goes on from its place, on the world it has.
    scripted().boxes.clear();
    frame->OnMenuCommand(ID_STEP);
    EXPECT_STREQ(CurrInstrName, "left..done!");
    expectRobotAt(7, 6, 2);
    EXPECT_TRUE(scripted().boxes.empty());

    // The first run after start-up needs the world from its file: without it, nothing runs.
    restart(missing, tempDir + "/p.pnd");
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(scripted().boxLines(), cannotOpen);
    EXPECT_TRUE(firstRun);
    EXPECT_EQ(CodePtr, nullptr);
    expectRobotAt(7, 6, 2);

    // Once the file is back, the reset reads it again.
    writeFile("w.sit", "pindle 2,2\n");
    scripted().boxes.clear();
    EXPECT_EQ(frame->Reset_Pindle_Program(), 1);
    expectRobotAt(2, 2, 0);
    EXPECT_EQ(PindlesWorld.get(5, 5), ' ');
    EXPECT_TRUE(scripted().boxes.empty());
}

TEST_F(FaultsTest, SaveCancelledInTheMiddleOfARunLosesNoText) {
    // The editor holds a new file: the run asks for a name, and the user cancels.
    subframe->OnMenuCommand(ID_EDIT_NEW);
    const std::string typed = "define main as { left left }\n";
    setEditorText(typed);
    scripted().saveFiles = {""};
    press(7);
    Lines asked = {"save Save file|Pindle programs (*.pnd) |*.pnd"};
    EXPECT_EQ(scripted().asked, asked);
    EXPECT_TRUE(scripted().boxes.empty());
    expectRobotAt(7, 7, 0);
    EXPECT_TRUE(firstRun) << "the run was abandoned";
    EXPECT_EQ(subframe->text_window->GetValue(), typed);
    EXPECT_TRUE(subframe->text_window->IsModified());
    EXPECT_STREQ(editFileName, "new");
    EXPECT_EQ(subframe->GetTitle(), "Pindle's Editor: new file");

    // The program's folder is gone when the run saves the changed text: the write fails, the
    // program says so and asks for another name, and the user cancels.
    restart(tempDir + "/w.sit", tempDir + "/p.pnd");
    std::string folder = tempDir + "/lesson";
    mkdir(folder.c_str(), 0755);
    const std::string original = "define main as { move }\n";
    std::string prog = writeFile("lesson/walk.pnd", original);
    scripted().files = {prog};
    frame->OnMenuCommand(ID_LOAD_PROGRAM);
    ASSERT_EQ(prog, editFileName);
    frame->OnMenuCommand(ID_STEP);
    ASSERT_STREQ(CurrInstrName, "main");
    const std::string changed = "define main as { left move left }\n";
    setEditorText(changed);
    ASSERT_EQ(std::system(("rm -rf '" + folder + "'").c_str()), 0);
    scripted().boxes.clear();
    scripted().asked.clear();
    scripted().saveFiles = {""};
    frame->OnMenuCommand(ID_RUN);
    Lines failed = {"File Error|Cannot save file--try saving on drive A: or C:"};
    EXPECT_EQ(scripted().boxLines(), failed);
    EXPECT_EQ(scripted().asked, asked);
    expectRobotAt(7, 7, 0);
    EXPECT_STREQ(CurrInstrName, "main") << "the run was abandoned";
    EXPECT_EQ(subframe->text_window->GetValue(), changed);
    EXPECT_TRUE(subframe->text_window->IsModified());
    EXPECT_EQ(prog, editFileName);
    EXPECT_EQ(prog, progFile);

    // Saved elsewhere, the text runs.
    scripted().boxes.clear();
    std::string rescued = tempDir + "/rescued";
    scripted().saveFiles = {rescued};
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(scripted().boxLines(), failed) << "the old name is tried once more";
    EXPECT_EQ(fileText(rescued + ".pnd"), changed);
    EXPECT_EQ(rescued + ".pnd", progFile);
    EXPECT_FALSE(subframe->text_window->IsModified());
    expectRobotAt(6, 7, 2);
    EXPECT_FALSE(exists(folder));
}

TEST_F(FaultsTest, BoardFaultsDuringARunAreReportedAndTheRunGoesOn) {
    restart(tempDir + "/w.sit",
            writeFile("boards.pnd", "define main as { write move b1=b2 b2=b1 left write }\n"));
    frame->OnMenuCommand(ID_RUN);
    Lines expected = {"Nothing to output!|Board b1 is uninitialized",
                      "Nothing to copy!|Board b2 is uninitialized",
                      "Nothing to copy!|Board b1 uninitialized",
                      "Nothing to output!|Board b1 is uninitialized"};
    EXPECT_EQ(scripted().boxLines(), expected);
    expectRobotAt(7, 6, 1);
    EXPECT_STREQ(CurrInstrName, "write..done!");
    EXPECT_EQ(b1, '\0');
    EXPECT_EQ(b2, '\0');
    EXPECT_EQ(PindlesWorld.get(7, 7), ' ') << "nothing written";
    EXPECT_EQ(PindlesWorld.get(7, 6), ' ') << "nothing written";
    EXPECT_EQ(PindlesWorld.get(5, 5), 'x');

    // The same faults in an instruction executed by name.
    restart(tempDir + "/w.sit",
            writeFile("exec.pnd", "define main as { left }\ndefine fill as { b2=b1 move }\n"));
    scripted().answers = {"fill"};
    type("e");
    expected = {"Nothing to copy!|Board b1 uninitialized"};
    EXPECT_EQ(scripted().boxLines(), expected);
    expectRobotAt(7, 6, 0);
    EXPECT_FALSE(running);
}

TEST_F(FaultsTest, BlockedMoveStopsARunOrAnExecuteAfterThatStep) {
    // From (4, 7) north: rows 6, 5 and 4, then the wall along row 3.
    std::string world = writeFile("under.sit", "wall 3,3 3,6\npindle 7,4\n");
    restart(world, writeFile("climb.pnd", "define main as { move move move move left move }\n"
                                          "define up as { move move move move left }\n"));
    frame->OnMenuCommand(ID_RUN);
    Lines blocked = {"Error|Path blocked"};
    EXPECT_EQ(scripted().boxLines(), blocked);
    expectRobotAt(4, 4, 0);
    EXPECT_TRUE(STOPPED);
    EXPECT_FALSE(running);
    EXPECT_STREQ(CurrInstrName, "move");
    frame->OnMenuCommand(ID_STEP);
    EXPECT_EQ(position, 1) << "the step goes on after the blocked move";
    EXPECT_EQ(scripted().boxLines(), blocked);

    restart(world, tempDir + "/climb.pnd");
    scripted().answers = {"up"};
    type("e");
    EXPECT_EQ(scripted().boxLines(), blocked);
    expectRobotAt(4, 4, 0);
    EXPECT_FALSE(running);
}

TEST_F(FaultsTest, EndlessRecursionStopsTheRunWhenTheReturnStackIsFull) {
    // A run reaches a million levels only after a million steps, each drawn (about two
    // minutes), so the first tick inside the run stacks the levels it would have reached by
    // then, leaving the last thousand to the program. The levels resume where main's own call
    // does, so the stack holds what the run would have put there.
    restart(tempDir + "/w.sit", writeFile("deep.pnd", "define main as { main }\n"));
    const int left = 1000;
    InsideRun topUp([] {
        long resume = reinterpret_cast<long>(getCodePtr("main") + 3);
        while (CodeStack.size() < MAXSTACK - left)
            ASSERT_TRUE(CodeStack.push(resume));
    });
    frame->OnMenuCommand(ID_RUN);
    ASSERT_TRUE(topUp.done());
    Lines expected = {"Stack full|Too many instructions in progress at once (endless "
                      "recursion?)--stopping"};
    EXPECT_EQ(scripted().boxLines(), expected);
    EXPECT_TRUE(STOPPED);
    EXPECT_FALSE(running);
    EXPECT_EQ(CodeStack.size(), MAXSTACK);
    EXPECT_STREQ(CurrInstrName, "main");
    expectRobotAt(7, 7, 0);

    // The window still answers: a key moves the robot, and the next run starts afresh.
    type("m");
    expectRobotAt(7, 6, 0);
    writeFile("deep.pnd", "define main as { left }\n");
    scripted().boxes.clear();
    ctrl('r');
    EXPECT_STREQ(CurrInstrName, "left..done!");
    EXPECT_EQ(CodeStack.size(), 0);
    expectRobotAt(7, 6, 1);
    EXPECT_TRUE(scripted().boxes.empty());
}

TEST_F(FaultsTest, WindowAsksBeforeChangedTextIsDropped) {
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    setEditorText("define main as { left }\n");
    WxUI window;
    setUI(&window);
    bool safe;
    int shown;
    {
        AnswerDialogs answer(wxID_NO);
        safe = keepEditsSafe();
        shown = answer.shown;
    }
    setUI(&scripted());
    EXPECT_EQ(shown, 1) << "the question is shown";
    EXPECT_TRUE(safe) << "answered No: the text may go";
    // Closing the main window asks the same question; answered Cancel, the window stays.
    setUI(&window);
    {
        AnswerDialogs answer(wxID_CANCEL);
        EXPECT_FALSE(frame->Close());
        shown = answer.shown;
    }
    setUI(&scripted());
    EXPECT_EQ(shown, 1) << "the question is shown";
    EXPECT_TRUE(subframe->text_window->IsModified());
}

} // namespace
