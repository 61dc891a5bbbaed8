// Recording instructions from the robot's actions, and executing instructions by name.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/interp.h"
#include "lang/parser.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "world/keypress.h"
#include "world/robot.h"
#include "world/world.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class KeypressTest : public CoreTest {
  protected:
    WorldRobot& r = worldRobot;

    // Records the actions that act() performs under name, as d, name, keys, d would.
    template <typename Actions> void record(const char* name, Actions act) {
        rec.answers.push_back(name);
        startKeyboardDefine();
        ASSERT_STREQ(macroName, name);
        act();
        stopKeyboardDefine();
    }
    void execute(const std::string& name) {
        rec.answers.push_back(name);
        runInstruction();
    }
    static std::string code(const char* name) {
        const char* c = getCodePtr(name);
        return c ? c : "(none)";
    }
};

TEST_F(KeypressTest, DefineAsksForANameAndStartsRecording) {
    byteI = 5;
    rec.answers = {"zig"};
    startKeyboardDefine();
    EXPECT_EQ(rec.prompts, Lines{"Define instruction|Name of new macro instruction:"});
    EXPECT_STREQ(macroName, "zig");
    EXPECT_EQ(byteI, 0);
    EXPECT_EQ(rec.boxLines(), Lines{"zig|Stop definition by pressing 'd'"});
}

TEST_F(KeypressTest, CancelledOrEmptyNameStartsNothing) {
    rec.answers = {"\x18", ""};
    startKeyboardDefine();
    startKeyboardDefine();
    startKeyboardDefine(); // no answer left: cancelled
    EXPECT_EQ(rec.prompts.size(), 3u);
    EXPECT_STREQ(macroName, "");
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(KeypressTest, StoppingAtOnceDefinesNothing) {
    record("nil", [] {});
    EXPECT_EQ(rec.boxLines(),
              (Lines{"nil|Stop definition by pressing 'd'", "nil|Empty instruction not defined"}));
    EXPECT_STREQ(macroName, "");
    EXPECT_EQ(findUserInstruc("nil"), -1);
    EXPECT_EQ(firstEmpty, 1);
}

TEST_F(KeypressTest, RecordedActionsBecomeAnInstructionThatExecutes) {
    place(5, 5, 0);
    record("zig", [&] {
        r.move();
        r.left();
        r.move();
    });
    EXPECT_EQ(rec.boxes.back().caption, "zig");
    EXPECT_EQ(rec.boxes.back().text, "Defined zig as MLM");
    EXPECT_STREQ(macroName, "");
    EXPECT_EQ(code("zig"), "MLM");

    r.left(); // no longer recorded
    EXPECT_EQ(code("zig"), "MLM");

    place(5, 5, 0);
    firstRun = false;
    rec.prompts.clear();
    execute("zig");
    EXPECT_EQ(rec.prompts, Lines{"Execute instruction|Name of defined instruction:"});
    EXPECT_EQ(icon_x, 120);
    EXPECT_EQ(icon_y, 120);
    EXPECT_EQ(position, 1);
    EXPECT_FALSE(STOPPED);
    EXPECT_STREQ(CurrInstrName, "move..done!");
}

TEST_F(KeypressTest, TheDisplayIsToldOfRecordingsAndOfWhatStoppedARun) {
    place(5, 5, 0);
    record("hop", [&] { r.move(); });
    record("nap", [&] {
        r.move();
        r.pause();
        r.move();
    });
    EXPECT_EQ(rec.told, (Lines{"recording", "recording", "recording", "recording"}));
    rec.told.clear();
    place(5, 5, 0);
    execute("hop");
    execute("nap");
    place(5, 1, 0);
    execute("hop");
    EXPECT_EQ(rec.told, (Lines{"ended", "paused", "ended", "blocked", "ended"}));
    rec.told.clear();
    rec.breakpoints = true;
    place(5, 5, 0);
    execute("nap");
    EXPECT_EQ(rec.told, Lines{"ended at a breakpoint"});
}

TEST_F(KeypressTest, RecordingReplacesAnInstructionOfTheSameNameAndMain) {
    storeInstruction("hop", "M");
    storeInstruction("main", "R");
    place(5, 5, 0);
    record("hop", [&] { r.left(); });
    record("main", [&] { r.move(); });
    EXPECT_EQ(findUserInstruc("hop"), 1);
    EXPECT_EQ(code("hop"), "L");
    EXPECT_STREQ(definedTable[0].byteCode, "M");
    EXPECT_EQ(firstEmpty, 2);
}

TEST_F(KeypressTest, LongNamesAreCutToThirtyOneCharacters) {
    std::string longName(40, 'n');
    std::string cut(31, 'n');
    rec.answers = {longName};
    startKeyboardDefine();
    EXPECT_EQ(std::string(macroName), cut);
    r.left();
    stopKeyboardDefine();
    EXPECT_EQ(rec.boxLines(),
              (Lines{cut + "|Stop definition by pressing 'd'", cut + "|Defined " + cut + " as L"}));
    EXPECT_EQ(code(cut.c_str()), "L");
}

TEST_F(KeypressTest, ATooLongRecordingIsToldByItsNameAndShownAsStored) {
    record("long", [&] {
        for (int n = 0; n < 100; ++n)
            r.left();
    });
    EXPECT_EQ(byteI, 79);
    // No program file is brought up: the box names the recording, and the code is the row's.
    EXPECT_EQ(rec.shownFile, "");
    EXPECT_EQ(rec.boxLines(), (Lines{"long|Stop definition by pressing 'd'",
                                     "long|Definition is too long, break it down?",
                                     "long|Defined long as " + std::string(39, 'L')}));
    EXPECT_EQ(code("long"), std::string(39, 'L'));
}

TEST_F(KeypressTest, ARecordingRefusedByAFullTableIsNotShownAsDefined) {
    for (int n = 1; n < MAXDEFINITIONS; ++n)
        storeInstruction(("row" + std::to_string(n)).c_str(), "M");
    record("extra", [&] { r.left(); });
    EXPECT_EQ(rec.boxLines(), (Lines{"extra|Stop definition by pressing 'd'",
                                     "extra|Pindle can only handle 100 instructions--ignoring"}));
    EXPECT_EQ(rec.shownFile, "");
}

TEST_F(KeypressTest, ExecuteCompilesTheProgramFileFirstWhileNoRunHasHappened) {
    std::strcpy(progFile, writeFile("p.pnd", "define hop as { move }\n").c_str());
    place(5, 5, 0);
    execute("hop");
    EXPECT_EQ(icon_y, 120);
    EXPECT_TRUE(rec.boxes.empty());

    // Once a run has happened, the file is not compiled again.
    firstRun = false;
    std::strcpy(progFile, writeFile("q.pnd", "define skip as { move }\n").c_str());
    execute("skip");
    EXPECT_EQ(rec.boxLines(), Lines{"skip|Undefined instruction"});
    EXPECT_EQ(icon_y, 120);
}

TEST_F(KeypressTest, ExecuteCompilesEvenWhenTheNameIsThenCancelled) {
    std::string missing = tempDir + "/none.pnd";
    std::strcpy(progFile, missing.c_str());
    rec.answers = {"\x18"};
    runInstruction();
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, "No such file as\n" + missing);
    EXPECT_EQ(rec.prompts.size(), 1u);
}

TEST_F(KeypressTest, NamesAreLookedUpExactly) {
    storeInstruction("hop", "M");
    place(5, 5, 0);
    firstRun = false;
    execute("Hop");
    EXPECT_EQ(rec.boxLines(), Lines{"Hop|Undefined instruction"});
    EXPECT_EQ(icon_y, 150);
    EXPECT_EQ(rec.redraws, 0);
}

TEST_F(KeypressTest, ARecordedPauseStopsTheExecutionAfterIt) {
    place(5, 10, 0);
    record("pm", [&] {
        r.move();
        r.pause();
        r.move();
    });
    EXPECT_EQ(rec.boxes.back().text, "Defined pm as MpM");
    EXPECT_FALSE(STOPPED); // a recorded pause stops nothing
    EXPECT_EQ(icon_y, 240);

    place(5, 10, 0);
    firstRun = false;
    execute("pm");
    EXPECT_EQ(icon_y, 270);
    EXPECT_STREQ(CurrInstrName, "pause");
    EXPECT_EQ(CodePtr, getCodePtr("pm") + 2); // left where execution stopped
    EXPECT_FALSE(STOPPED);
}

TEST_F(KeypressTest, AnInstructionExecutedAfterAPauseEndsWithItself) {
    std::strcpy(progFile, writeFile("p.pnd", "define wait as { pause }\ndefine turn as { left }\n"
                                             "define main as { wait move move }\n")
                              .c_str());
    ASSERT_TRUE(parse(progFile));
    place(5, 5, 0);
    CodePtr = nullptr;
    STOPPED = false;
    runProgram(0);
    ASSERT_STREQ(CurrInstrName, "pause");
    firstRun = false;
    execute("turn");
    EXPECT_EQ(position, 1);
    EXPECT_EQ(icon_y, 150) << "the paused main does not go on after turn";
}

TEST_F(KeypressTest, ABlockedMoveEndsTheExecution) {
    storeInstruction("far", "MMMM");
    place(5, 2, 0);
    firstRun = false;
    execute("far");
    EXPECT_EQ(rec.boxLines(), Lines{"Error|Path blocked"});
    EXPECT_EQ(icon_y, 30);
    EXPECT_EQ(CodePtr, getCodePtr("far") + 2);
    EXPECT_FALSE(STOPPED);
}

TEST_F(KeypressTest, AnEmptyInstructionEndsAtOnce) {
    std::strcpy(progFile, writeFile("p.pnd", "define nop as { }\n").c_str());
    place(5, 5, 0);
    execute("nop");
    EXPECT_TRUE(rec.boxes.empty());
    EXPECT_EQ(rec.redraws, 0);
    EXPECT_EQ(icon_y, 150);
    EXPECT_FALSE(STOPPED);
}

TEST_F(KeypressTest, ExecutingDuringARecordingRecordsThePrimitivesThatRan) {
    std::strcpy(progFile,
                writeFile("p.pnd", "define twice as { move move }\n"
                                   "define both as { twice if (not facingNorth) move else left }\n")
                    .c_str());
    ASSERT_TRUE(parse(progFile));
    firstRun = false;
    place(5, 10, 0);
    record("flat", [&] { execute("both"); });
    EXPECT_EQ(rec.boxes.back().text, "Defined flat as MML");

    // Executing the recording's own name runs its previous definition into the new one.
    record("flat", [&] {
        execute("flat");
        r.output();
    });
    EXPECT_EQ(rec.boxes.back().text, "Defined flat as MMLW");
}

} // namespace
