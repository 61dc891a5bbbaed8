#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/hints.h"
#include "lang/interp.h"
#include "lang/parser.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// Keeps the first fault the compiler reports.
struct FaultUI : RecordingUI {
    std::string message, token;
    int line = 0, column = 0;
    void programFault(const char*, int l, int c, const char* m, const char* t) override {
        if (!message.empty()) return;
        message = m;
        token = t;
        line = l;
        column = c;
    }
};

// Compiles text and returns the hint for its first fault, as the editor would show it.
class HintTest : public ::testing::Test {
  protected:
    FaultUI rec;
    std::string path = testing::TempDir() + "hint.pnd";
    void SetUp() override {
        setUI(&rec);
        resetLanguage();
    }
    void TearDown() override {
        setUI(nullptr);
        std::remove(path.c_str());
    }
    std::string hintFor(const std::string& text) {
        rec.message.clear();
        std::ofstream(path, std::ios::binary) << text;
        EXPECT_FALSE(parse(path.c_str())) << text;
        return faultHint({rec.message.c_str(), rec.token.c_str(), rec.line, rec.column},
                         text.data(), text.size());
    }
};

TEST_F(HintTest, AnUnknownNameNearAKnownOneIsNamed) {
    EXPECT_EQ(hintFor("define main as { mvoe }"), "Did you mean \"move\"?");
    EXPECT_EQ(hintFor("define main as { Left }"), "Did you mean \"left\"?");
    EXPECT_EQ(hintFor("define main as { whlie (frontClear) move }"), "Did you mean \"while\"?");
    EXPECT_EQ(hintFor("define turnRight as { left left left }\ndefine main as { turnRigth }"),
              "Did you mean \"turnRight\"?");
    EXPECT_EQ(hintFor("define main as { if (frontClaer) move }"), "Did you mean \"frontClear\"?");
    EXPECT_EQ(hintFor("define main as { if (nto frontClear) move }"), "Did you mean \"not\"?");
    // Too far from every name, or too short to guess from: what the compiler expected.
    EXPECT_EQ(hintFor("define main as { go }").rfind("An instruction goes here: move,", 0), 0u);
}

TEST_F(HintTest, ANameUsedBeforeItsDefineSaysWhereToMoveIt) {
    EXPECT_EQ(hintFor("/ walk\n\ndefine main as {\n  move\n  turnRight\n}\n\n"
                      "define turnRight as { left left left }\n"),
              "\"turnRight\" is defined on line 8. Define it before its first use, above line 3.");
}

TEST_F(HintTest, OtherFaultsSayWhatWasExpected) {
    EXPECT_EQ(hintFor("define main as { move; left }"),
              "Instructions are separated by spaces or new lines; Pindle needs no semicolons.");
    EXPECT_EQ(hintFor("define main as { move } }"),
              "This } has nothing to close: each { takes exactly one }.");
    EXPECT_EQ(hintFor("define main as { move\ndefine x as { left }"),
              "A } is missing before this define: each definition ends with its own }.");
    EXPECT_EQ(hintFor("define main { move }").rfind("After the new instruction's name comes", 0),
              0u);
    EXPECT_EQ(hintFor("define main as { if frontClear move }").rfind("The test after if", 0), 0u);
    EXPECT_EQ(hintFor("define main as { frontClear }").rfind("\"frontClear\" is a test", 0), 0u);
    EXPECT_EQ(hintFor("define move as { left }"),
              "\"move\" is a word of Pindle's language: give your instruction a name of its own.");
    EXPECT_EQ(hintFor("define main as").rfind("The program ends too soon", 0), 0u);
}

TEST(NameRefusal, NamesNoProgramCanCallAreRefusedWithTheReason) {
    EXPECT_EQ(nameRefusal("zigZag2"), "");
    EXPECT_EQ(nameRefusal("turn around"), "\"turn around\" cannot be called from a program: a name "
                                          "is one word, without spaces. Try \"turnAround\".");
    EXPECT_EQ(nameRefusal("2left"),
              "\"2left\" cannot be called from a program: a name must begin with a letter.");
    EXPECT_EQ(nameRefusal("while"),
              "\"while\" is a word of Pindle's language, so it cannot name a new instruction.");
    EXPECT_NE(nameRefusal("b1=b2"), "");
    EXPECT_NE(nameRefusal("define"), "");
    EXPECT_EQ(nameRefusal("go-on"),
              "\"go-on\" cannot be called from a program: a name holds only letters and digits.");
}

} // namespace
