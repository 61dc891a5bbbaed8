// Steps backwards: what a step or an action changed is undone exactly, however far back.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/interp.h"
#include "lang/parser.h"
#include "lang/table.h"
#include "runner/runreport.h"
#include "world/history.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

class HistoryTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        keepHistory(true);
    }
    void TearDown() override {
        keepHistory(false);
        CoreTest::TearDown();
    }
    // Everything a step may change, as text.
    static std::string state() {
        std::string stack;
        for (int k = 0; k < CodeStack.size(); ++k)
            stack += std::to_string(CodeStack.entry(k)) + " ";
        return robotReport() + "|" + boardReport("b1", b1) + boardReport("b2", b2) + "|" +
               std::to_string(bbstate) + std::to_string(STOPPED) + "|" +
               std::to_string(reinterpret_cast<long>(CodePtr)) + "|" + stack + "|" + CurrInstrName +
               "\n" + worldReport();
    }
    void startRandomRun(std::mt19937& rnd);
    std::vector<std::string> recordSteps(int k);
};

// A random program of a few definitions, in the language's own words, in short lines (the
// reader hands a line longer than its buffer over in pieces).
std::string randomProgram(std::mt19937& rnd) {
    const char* tests[] = {"frontClear",
                           "not frontClear",
                           "facingNorth",
                           "cornerHasSomething",
                           "not cornerHasSomething",
                           "b1 == b2",
                           "b1 == 'a'",
                           "b2 == 'b'"};
    const char* prims[] = {"move", "left", "read", "write", "b1=b2", "b2=b1"};
    auto pick = [&](int n) { return static_cast<int>(rnd() % n); };
    std::function<std::string(int, int)> body = [&](int depth, int row) {
        std::string text;
        for (int n = 1 + pick(4); n > 0; --n) {
            int kind = pick(depth > 2 ? 2 : 5);
            if (kind == 0 || kind == 1)
                text += std::string(prims[pick(6)]) + "\n";
            else if (kind == 2 && row > 0)
                text += "r" + std::to_string(pick(row)) + " ";
            else if (kind == 3)
                text += std::string("if (") + tests[pick(8)] + ") { " + body(depth + 1, row) +
                        "} else { " + body(depth + 1, row) + "} ";
            else
                text +=
                    std::string("while (") + tests[pick(8)] + ") { " + body(depth + 1, row) + "} ";
        }
        return text;
    };
    std::string program;
    for (int row = 0; row < 3; ++row)
        program += "define r" + std::to_string(row) + " as { " + body(0, row) + "}\n";
    return program + "define main as { while (frontClear) { r2 } r1 main }\n";
}

std::string randomWorld(std::mt19937& rnd) {
    std::string world;
    for (int n = 0; n < 8; ++n) {
        int a = 1 + rnd() % 13, b = 1 + rnd() % 13, c = 1 + rnd() % 13;
        world += "wall " + std::to_string(a) + "," + std::to_string(b) + " " + std::to_string(a) +
                 "," + std::to_string(c) + "\n";
        world += "thing " + std::to_string(b) + "," + std::to_string(c) + " " +
                 static_cast<char>('a' + rnd() % 3) + "\n";
    }
    return world + "pindle " + std::to_string(1 + rnd() % 13) + "," +
           std::to_string(1 + rnd() % 13) + "\n";
}

// A random program on a random world, compiled and ready to run from main, with no history.
void HistoryTest::startRandomRun(std::mt19937& rnd) {
    resetLanguage();
    clearHistory();
    LoadWorldFile(std::strcpy(worldFile, writeFile("w.sit", randomWorld(rnd)).c_str()));
    std::string randomText = randomProgram(rnd);
    ASSERT_TRUE(parse(writeFile("p.pnd", randomText).c_str()))
        << ::testing::PrintToString(rec.boxLines()) << randomText;
    resetInterpreter();
    STOPPED = false;
}

// The state before up to k recorded steps and after each.
std::vector<std::string> HistoryTest::recordSteps(int k) {
    std::vector<std::string> after{state()};
    for (int n = 0; n < k && !STOPPED; ++n) {
        recordedStep(false);
        after.push_back(state());
    }
    return after;
}

TEST_F(HistoryTest, StepsBackAndForwardAgainGiveTheSameStates) {
    std::mt19937 rnd(20261209);
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE(trial);
        ASSERT_NO_FATAL_FAILURE(startRandomRun(rnd));
        std::vector<std::string> after = recordSteps(1 + static_cast<int>(rnd() % 300));
        int taken = static_cast<int>(after.size()) - 1;
        int j = static_cast<int>(rnd() % (taken + 1));
        for (int n = 1; n <= j; ++n) {
            ASSERT_TRUE(stepBack());
            ASSERT_EQ(state(), after[taken - n]) << "back " << n << " of " << taken;
        }
        for (int n = taken - j + 1; n <= taken; ++n) {
            recordedStep(false);
            ASSERT_EQ(state(), after[n]) << "forward to " << n;
        }
    }
}

TEST_F(HistoryTest, StepsBackOverAChangedTableGiveTheStatusesTheStepsHad) {
    // The history tells most statuses from the code the steps started at: a table compiled
    // anew after them must not change what stepping back shows.
    std::mt19937 rnd(20261210);
    for (int trial = 0; trial < 10; ++trial) {
        SCOPED_TRACE(trial);
        ASSERT_NO_FATAL_FAILURE(startRandomRun(rnd));
        std::vector<std::string> after = recordSteps(200);
        clearTable();
        ASSERT_TRUE(parse(writeFile("q.pnd", randomProgram(rnd)).c_str()));
        for (size_t n = after.size() - 1; n > 0; --n) {
            ASSERT_TRUE(stepBack());
            ASSERT_EQ(state(), after[n - 1]) << "back to " << n - 1;
        }
    }
}

TEST_F(HistoryTest, TheOldestStepKeptAfterMoreThanAMillionIsUndoneToo) {
    LoadWorldFile(std::strcpy(worldFile, writeFile("w.sit", "pindle 7,7\n").c_str()));
    ASSERT_TRUE(parse(writeFile("p.pnd", "define turn as { left left }\n"
                                         "define main as { while (frontClear) { turn left } }\n")
                          .c_str()));
    // What each step may change, packed: where the code is, the stack's size, the heading and
    // the status.
    std::vector<std::string> statuses;
    auto packed = [&] {
        auto found = std::find(statuses.begin(), statuses.end(), CurrInstrName);
        if (found == statuses.end()) found = statuses.insert(found, CurrInstrName);
        return std::make_tuple(CodePtr, CodeStack.size() * 4 + position, found - statuses.begin());
    };
    std::vector<decltype(packed())> after{packed()};
    for (int n = 0; n < HISTORYSTEPS + 50000; ++n) {
        recordedStep(false);
        after.push_back(packed());
    }
    long kept = historySize();
    ASSERT_GE(kept, HISTORYSTEPS);
    // The steps' code changes under the history.
    storeInstruction("main", "MMMMMMMMM");
    storeInstruction("turn", "MMM");
    for (long n = 1; n <= kept; ++n) {
        ASSERT_TRUE(stepBack());
        ASSERT_EQ(packed(), after[after.size() - 1 - n]) << "back " << n << " of " << kept;
    }
    EXPECT_FALSE(stepBack());
}

TEST_F(HistoryTest, ActionsAreUndoneAndTheStartIsTheEnd) {
    LoadWorldFile(std::strcpy(worldFile, writeFile("w.sit", "thing 5,5 x\npindle 5,5\n").c_str()));
    const std::string start = state();
    for (auto action : {&WorldRobot::input, &WorldRobot::copy2, &WorldRobot::left,
                        &WorldRobot::output, &WorldRobot::move}) {
        historyBegin();
        (worldRobot.*action)();
        historyEnd();
    }
    EXPECT_EQ(historySize(), 5);
    while (stepBack()) {
    }
    EXPECT_EQ(state(), start);
    EXPECT_FALSE(stepBack()) << "nothing before the start";
}

TEST_F(HistoryTest, AWriteOnACornerOutsideTheGridIsUndoneToo) {
    place(-1, 2, 0);
    b1 = 'q';
    historyBegin();
    worldRobot.output();
    historyEnd();
    ASSERT_EQ(PindlesWorld.get(-1, 2), 'q');
    ASSERT_TRUE(stepBack());
    EXPECT_EQ(PindlesWorld.get(-1, 2), ' ');
}

} // namespace
