#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/interp.h"
#include "lang/parser.h"
#include "lang/stack.h"
#include "lang/step.h"
#include "lang/table.h"
#include "world/robot.h"
#include "world/world.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

// A robot that keeps the letters of its actions and answers frontClear from a script.
class ScriptRobot : public Robot {
  public:
    std::string actions;
    std::deque<int> clear; // answers of frontClear in turn; 0 once they run out
    int north = 0, corner = 0;
    bool blocked = false; // a move stops the run, as a wall in front does
    char thing = ' ';     // what read puts on b1

    void move() override {
        actions += 'M';
        if (blocked) STOPPED = true;
    }
    void left() override { actions += 'L'; }
    void input() override {
        actions += 'R';
        b1 = thing;
    }
    void output() override { actions += 'W'; }
    void copy1() override {
        actions += '1';
        b1 = b2;
    }
    void copy2() override {
        actions += '2';
        b2 = b1;
    }
    void pause() override {
        actions += 'p';
        STOPPED = true;
    }
    int frontClear() override {
        if (clear.empty()) return 0;
        int answer = clear.front();
        clear.pop_front();
        return answer;
    }
    int facingNorth() override { return north; }
    int cornerHasSomething() override { return corner; }
};

using Lines = std::vector<std::string>;

class InterpTest : public CoreTest {
  protected:
    ScriptRobot bot;
    void SetUp() override {
        CoreTest::SetUp();
        setRobot(&bot);
    }
    void TearDown() override {
        setRobot(&worldRobot);
        CoreTest::TearDown();
    }
    // Steps until STOPPED (at most limit steps); the status text after each step.
    Lines run(int limit = 1000) {
        Lines statuses;
        STOPPED = false;
        while (!STOPPED && static_cast<int>(statuses.size()) < limit) {
            SingleStep(false);
            statuses.push_back(CurrInstrName);
        }
        return statuses;
    }
    // The code position lies inside the code field of a row of the table.
    static bool inCodeField(const char* p) {
        const char* start = reinterpret_cast<const char*>(definedTable);
        if (p < start || p >= start + sizeof definedTable) return false;
        size_t within = static_cast<size_t>(p - start) % sizeof(defined);
        return within >= offsetof(defined, byteCode);
    }
};

TEST_F(InterpTest, EmptyMainStopsWithoutDone) {
    storeInstruction("main", "");
    EXPECT_EQ(run(), (Lines{"main", "main"}));
    EXPECT_EQ(rec.statusUpdates, 1) << "the stopping step shows nothing new";
    EXPECT_TRUE(programFinished());
}

TEST_F(InterpTest, PrimitivesShowTheirNamesAndTheEndAddsDone) {
    storeInstruction("main", "LRW12M");
    EXPECT_EQ(run(), (Lines{"main", "left", "read", "write", "b1=b2", "b2=b1", "move..done!"}));
    EXPECT_EQ(bot.actions, "LRW12M");
    EXPECT_EQ(CodeStack.size(), 0);
    EXPECT_EQ(rec.statusUpdates, 7);

    // A step after the end changes nothing but the stop flag.
    STOPPED = false;
    SingleStep(true);
    EXPECT_TRUE(STOPPED);
    EXPECT_STREQ(CurrInstrName, "move..done!");
    EXPECT_EQ(rec.statusUpdates, 7);
    EXPECT_EQ(bot.actions, "LRW12M");
}

TEST_F(InterpTest, PauseStopsAndNextStepGoesOn) {
    storeInstruction("main", "MpL");
    EXPECT_EQ(run(), (Lines{"main", "move", "pause"}));
    EXPECT_EQ(run(), (Lines{"left..done!"}));
    EXPECT_EQ(bot.actions, "MpL");
}

TEST_F(InterpTest, BlockedMoveStillCompletesItsStep) {
    storeInstruction("main", "wFM}L");
    bot.clear = {1};
    bot.blocked = true;
    delay_factor = 750;
    STOPPED = false;
    SingleStep(true);
    EXPECT_EQ(rec.waits, 0) << "the first step never waits";
    SingleStep(true);
    SingleStep(true);
    EXPECT_TRUE(STOPPED);
    EXPECT_STREQ(CurrInstrName, "move");
    EXPECT_EQ(CodePtr, definedTable[0].byteCode) << "back at the while";
    EXPECT_EQ(CodeStack.size(), 0);
    EXPECT_EQ(rec.statusUpdates, 3);
    EXPECT_EQ(rec.waits, 2);
}

TEST_F(InterpTest, WhileTakesOneStepPerTest) {
    storeInstruction("main", "wFM}L");
    bot.clear = {1, 1};
    EXPECT_EQ(run(), (Lines{"main", "while (frontClear", "move", "while (frontClear", "move",
                            "while (frontClear", "left..done!"}));

    resetInterpreter();
    EXPECT_EQ(run(), (Lines{"main", "while (frontClear", "left..done!"}));
    EXPECT_EQ(bot.actions, "MMLL");
}

TEST_F(InterpTest, WhileOverBoardsAndNegatedTests) {
    storeInstruction("main", "wnB=A1}");
    b1 = 'x';
    b2 = 'y';
    EXPECT_EQ(run(), (Lines{"main", "while (not b1==?)", "b1=b2", "while (not b1==?)..done!"}));

    storeInstruction("main", "wA=\xF8R}");
    resetInterpreter();
    b1 = 'x';
    bot.thing = 'y';
    EXPECT_EQ(run(), (Lines{"main", "while (b1==?)", "read", "while (b1==?)..done!"}));
}

TEST_F(InterpTest, IfTakesThenElseOrGoesOn) {
    storeInstruction("main", "fnFM}eL}R");
    bot.clear = {1};
    EXPECT_EQ(run(), (Lines{"main", "..else", "left", "read..done!"}));

    resetInterpreter();
    EXPECT_EQ(run(), (Lines{"main", "if (not frontClear", "move", "read..done!"}));

    storeInstruction("main", "fCM}R");
    resetInterpreter();
    EXPECT_EQ(run(), (Lines{"main", "if (cornerHasSomething", "read..done!"}));
    EXPECT_EQ(bot.actions, "LRMRR");
}

TEST_F(InterpTest, CallsShowTheCalleeAndReturnAtOnce) {
    storeInstruction("turn", "LL");
    storeInstruction("noop", "");
    storeInstruction("main", "r01r02M");
    EXPECT_EQ(run(), (Lines{"main", "turn", "left", "left", "noop", "move..done!"}));
    EXPECT_EQ(bot.actions, "LLM");
}

TEST_F(InterpTest, OneStepLeavesEveryFinishedBody) {
    storeInstruction("outer", "fFr02}");
    storeInstruction("inner", "fNM}");
    storeInstruction("main", "r01L");
    bot.clear = {1};
    bot.north = 1;
    Lines expected{"main", "outer", "if (frontClear", "inner", "if (facingNorth", "move"};
    EXPECT_EQ(run(6), expected);
    EXPECT_EQ(CodeStack.size(), 0) << "two bodies and two calls left after the move";
    EXPECT_EQ(*CodePtr, 'L');
    EXPECT_EQ(run(), (Lines{"left..done!"}));
}

TEST_F(InterpTest, TestsAndBoardComparisons) {
    const struct {
        const char* test;
        char b1, b2;
        int result;
        const char* status;
    } cases[] = {
        {"A=A", 0, 0, 1, "b1==?)"},
        {"B=B", 'x', 0, 1, "b1==?)"},
        {"A=B", 0, 0, 1, "b1==?)"},
        {"A=B", 'x', 0, 0, "b1==?)"},
        {"B=A", 'q', 'q', 1, "b1==?)"},
        {"A=\xF8", 'x', 'y', 1, "b1==?)"},
        {"B=\xF8", 'x', 'y', 0, "b1==?)"},
        {"nA=\xF8", 'x', 'x', 0, "not b1==?)"},
        {"nA=\xF8", 'y', 'x', 1, "not b1==?)"},
        {"A=\xA0", 0, 0, 0, "b1==?)"},
        {"A=\xA0", ' ', 0, 1, "b1==?)"},
        {"nB=\xA0", 0, ' ', 0, "not b1==?)"},
        {"nF", 0, 0, 0, "not frontClear"},
        {"N", 0, 0, 1, "facingNorth"},
        {"C", 0, 0, 0, "cornerHasSomething"},
    };
    bot.north = 1;
    for (const auto& c : cases) {
        bot.clear = {1};
        b1 = c.b1;
        b2 = c.b2;
        std::string code = std::string("f") + c.test + "M}";
        CurrInstrName[0] = '\0';
        int at = 1;
        EXPECT_EQ(execTest(&code[0], at) != 0, c.result != 0) << c.test;
        EXPECT_EQ(at, 1 + static_cast<int>(std::strlen(c.test))) << c.test;
        EXPECT_STREQ(CurrInstrName, c.status);
    }
}

TEST_F(InterpTest, DeepRecursionGrowsTheReturnStack) {
    storeInstruction("dig", "fFMr01}L");
    storeInstruction("main", "r01");
    bot.clear = std::deque<int>(150, 1);
    int deepest = 0;
    STOPPED = false;
    for (int n = 0; n < 2000 && !STOPPED; ++n) {
        SingleStep(false);
        deepest = std::max(deepest, CodeStack.size());
    }
    EXPECT_TRUE(STOPPED);
    EXPECT_GT(deepest, 100);
    EXPECT_EQ(bot.actions, std::string(150, 'M') + std::string(151, 'L'));
    EXPECT_STREQ(CurrInstrName, "left..done!");
    EXPECT_EQ(CodeStack.size(), 0);
}

TEST_F(InterpTest, StackKeepsOrder) {
    Stack s;
    for (long v = 0; v < 250; ++v)
        ASSERT_TRUE(s.push(v * 7));
    EXPECT_EQ(s.size(), 250);
    long y = -1;
    for (long v = 249; v >= 0; --v) {
        s.pop(y);
        ASSERT_EQ(y, v * 7);
    }
    s.pop(y);
    EXPECT_EQ(y, 0) << "an empty stack leaves y alone";
    EXPECT_EQ(s.size(), 0);
    s.reset();
    EXPECT_TRUE(s.push(3));
    EXPECT_EQ(s.size(), 1);
}

// The stack grows 100 entries at a time; under the address sanitizer every growth copies the
// whole stack, so filling a million entries there takes the better part of a minute.
#if defined(__SANITIZE_ADDRESS__)
#define GROWTH_COPIES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GROWTH_COPIES 1
#endif
#endif
#ifndef GROWTH_COPIES
#define GROWTH_COPIES 0
#endif

TEST_F(InterpTest, RunawayRecursionStopsWhenTheStackIsFull) {
    if (GROWTH_COPIES) GTEST_SKIP() << "a million stack entries are too slow under ASan";
    storeInstruction("main", "r00");
    STOPPED = false;
    long steps = 0;
    while (!STOPPED && steps < MAXSTACK + 10) {
        SingleStep(false);
        ++steps;
    }
    EXPECT_TRUE(STOPPED);
    EXPECT_EQ(steps, MAXSTACK + 2) << "the first step, a million calls, and the refused one";
    EXPECT_EQ(CodeStack.size(), MAXSTACK);
    EXPECT_EQ(*CodePtr, 'r') << "the refused call is not entered";
    EXPECT_STREQ(CurrInstrName, "main");
    EXPECT_EQ(rec.boxLines(), Lines{"Stack full|Too many instructions in progress at once (endless "
                                    "recursion?)--stopping"});
}

TEST_F(InterpTest, StaleCodePositionsNeverLeaveTheTable) {
    // A step in an old code of 39 characters had got anywhere; the file was then compiled again
    // into a shorter code, and stepping goes on from there.
    const char* codes[] = {"fFM}eL}", "wnA=\xF8M}", "r01M", "fFfNM}}L", "wnFr01}L", ""};
    storeInstruction("main", "r01");
    for (const char* code : codes) {
        for (int at = 0; at < MAXBYTECODE - 1; ++at) {
            storeInstruction("sub", code);
            resetInterpreter();
            run(2);
            CodePtr = definedTable[1].byteCode + at;
            STOPPED = false;
            for (int n = 0; n < 50 && !STOPPED; ++n) {
                SingleStep(false);
                ASSERT_TRUE(inCodeField(CodePtr)) << code << " from " << at;
            }
        }
    }
}

TEST_F(InterpTest, TheStatusOfAStepIsToldAgainFromWhereItStarted) {
    // Every instruction and test, else bodies taken and not, calls good and bad, the end with
    // "..done!", and code characters that start no instruction, from every place in the code.
    const char* codes[] = {"LRW12Mp", "fFM}eL}", "fnFr02}eM}", "wnA=\xF8M}", "fB=AL}",
                           "fN}eR}",  "wC}L",    "r02r99",     "r0xnF}",     "fZM}e}"};
    storeInstruction("main", "r01");
    bot.north = 1;
    for (const char* code : codes) {
        storeInstruction("sub", code);
        storeInstruction("leaf", "L");
        for (int at = 0; code[at] != '\0'; ++at) {
            resetInterpreter();
            ASSERT_EQ(stepOnce(false), 0);
            EXPECT_EQ(statusAfter(nullptr, definedTable, 0), CurrInstrName);
            CodePtr = definedTable[1].byteCode + at;
            bot.clear = {1, 0, 0, 1, 1, 0};
            STOPPED = false;
            for (int n = 0; n < 12 && !STOPPED; ++n) {
                const char* before = CodePtr;
                int how = stepOnce(false);
                if (how & STEP_KEPT_STATUS) continue;
                ASSERT_EQ(statusAfter(before, definedTable, how), CurrInstrName)
                    << code << " from " << at << ", step " << n;
            }
        }
    }
}

} // namespace
