// Walking the byte code, reading it back in words, and where each instruction came from.
#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/bytecode.h"
#include "lang/interp.h"
#include "lang/parser.h"
#include "lang/table.h"
#include "world/keypress.h"
#include "world/robot.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class BytecodeTest : public CoreTest {
  protected:
    // Every instruction of the row of name, as "LINE:COL depth text".
    static Lines listing(const char* name) {
        Lines lines;
        forEachInstruction(getCodePtr(name), [&](const char* at, int depth, bool opensElse) {
            SourcePos p = sourcePosition(at);
            lines.push_back(std::to_string(p.line) + ":" + std::to_string(p.column) + " " +
                            std::to_string(depth) + " " + (opensElse ? "else " : "") +
                            describeInstruction(at));
        });
        return lines;
    }
};

TEST_F(BytecodeTest, WalkerFindsTheEndsOfInstructionsAndBodies) {
    const char* code = "fnFM}eLw\xf8=\xe1R}}p";
    EXPECT_EQ(instructionEnd(code), code + 14) << "if, its body and its else body";
    EXPECT_EQ(bodyEnd(code + 3), code + 5);
    EXPECT_EQ(instructionEnd(code + 14), code + 15);
    EXPECT_EQ(wholeInstructions(code, 14), 14);
    EXPECT_EQ(wholeInstructions(code, 13), 0);
    // Code that ends inside an instruction: no end, and the interpreter stops at the NUL.
    char cut[] = "wFMM";
    EXPECT_EQ(instructionEnd(cut), nullptr);
    EXPECT_EQ(instructionEnd("fA="), nullptr);
    EXPECT_EQ(closeBrace(cut + 2), cut + 4);
}

// A row of the instruction set that another row shadows (its code or its key taken twice), or
// whose word the parser does not compile to its code or the reader does not give back, would
// misread programs.
TEST_F(BytecodeTest, EveryInstructionRoundTripsThroughItsWord) {
    for (const Instruction& in : instructionSet) {
        SCOPED_TRACE(codeChar(in.code));
        EXPECT_EQ(instructionOf(in.code), &in);
        if (in.key) EXPECT_EQ(actionOfKey(in.key), &in);
        if (in.kind == Kind::STRUCTURE) continue;
        std::string word = in.word;
        std::string test = in.operands ? word + " == 'x'" : word;
        std::string text = in.kind == Kind::ACTION ? word : "if (not " + test + ") move";
        std::string file = writeFile("w.pnd", ("define main as { " + text + " }\n").c_str());
        ASSERT_TRUE(parse(file.c_str()));
        const char* code = getCodePtr("main");
        EXPECT_EQ(code[in.kind == Kind::ACTION ? 0 : 2], codeChar(in.code));
        EXPECT_EQ(describeInstruction(code),
                  in.kind == Kind::ACTION ? text : "if (not " + test + ") ...");
    }
}

TEST_F(BytecodeTest, ProgramsReadBackInTheLanguagesWords) {
    std::string file = writeFile("p.pnd", "define turn as { left left }\n"
                                          "define main as {\n"
                                          "  while (b1 == 'x') { turn move }\n"
                                          "  if (not frontClear) pause else { b1=b2 write }\n"
                                          "  if (b2 == b1) read\n"
                                          "}\n");
    ASSERT_TRUE(parse(file.c_str()));
    EXPECT_EQ(listing("main"),
              (Lines{"3:3 0 while (b1 == 'x') ...", "3:23 1 call turn (row 1)", "3:28 1 move",
                     "4:3 0 if (not frontClear) ...", "4:23 1 pause", "4:36 1 else b1=b2",
                     "4:42 1 write", "5:3 0 if (b2 == b1) ...", "5:17 1 read"}));
    EXPECT_EQ(describeTest("nC"), "not cornerHasSomething");
    EXPECT_EQ(describeTest("N"), "facingNorth");
}

TEST_F(BytecodeTest, PositionsFollowTheRowsTheyBelongTo) {
    std::string first = writeFile("a.pnd", "define hop as { move }\ndefine main as { hop }\n");
    ASSERT_TRUE(parse(first.c_str()));
    // Compiled again from another file, the row is replaced in place and takes new positions.
    std::string second = writeFile("b.pnd", "\n\ndefine hop as {\n     left move }\n");
    ASSERT_TRUE(parse(second.c_str()));
    EXPECT_EQ(listing("hop"), (Lines{"4:6 0 left", "4:11 0 move"}));
    // A recorded row has none.
    rec.answers = {"hop"};
    startKeyboardDefine();
    worldRobot.left();
    stopKeyboardDefine();
    EXPECT_EQ(listing("hop"), Lines{"0:0 0 left"});
    // Nothing outside the table has a position.
    EXPECT_EQ(sourcePosition("M").line, 0);
    EXPECT_EQ(sourcePosition(nullptr).line, 0);
}

TEST_F(BytecodeTest, ALongDefinitionKeepsThePositionsOfTheCodeTheRowKeeps) {
    std::string body;
    for (int n = 0; n < 100; ++n)
        body += "move\n";
    std::string file = writeFile("p.pnd", "define main as {\n" + body + "}\n");
    EXPECT_TRUE(parse(file.c_str()));
    Lines moves = listing("main");
    ASSERT_EQ(moves.size(), 39u);
    EXPECT_EQ(moves.front(), "2:1 0 move");
    EXPECT_EQ(moves.back(), "40:1 0 move");
}

} // namespace
