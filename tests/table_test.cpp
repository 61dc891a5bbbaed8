#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/parser.h"
#include "lang/table.h"

#include <cstring>
#include <string>

namespace {

using TableTest = CoreTest;

std::string codeOf(int row) {
    return definedTable[row].byteCode;
}

// Nothing but NULs follows the code in the row's field.
bool fieldClearAfterCode(int row) {
    const char* field = definedTable[row].byteCode;
    for (size_t k = std::strlen(field); k < sizeof definedTable[row].byteCode; ++k)
        if (field[k] != '\0') return false;
    return true;
}

TEST_F(TableTest, FirstOtherNameTakesRowOneAndMainAlwaysRowZero) {
    EXPECT_FALSE(userMainExists());
    EXPECT_EQ(findUserInstruc("main"), -1);
    storeInstruction("main", "");
    EXPECT_EQ(firstEmpty, 1);
    EXPECT_TRUE(userMainExists());

    storeInstruction("turn", "LLL");
    storeInstruction("main", "r01M");
    storeInstruction("hop", "M");
    EXPECT_EQ(findUserInstruc("turn"), 1);
    EXPECT_EQ(findUserInstruc("main"), 0);
    EXPECT_EQ(findUserInstruc("hop"), 2);
    EXPECT_EQ(firstEmpty, 3);
    EXPECT_EQ(codeOf(0), "r01M");
    EXPECT_EQ(getCodePtr("turn"), definedTable[1].byteCode);
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(TableTest, RedefinitionReplacesOnlyTheCode) {
    storeInstruction("turn", "LLLLLLLLLLLLLLLLLLLL");
    storeInstruction("hop", "M");
    storeInstruction("main", "MMMMMMMM");
    storeInstruction("turn", "L");
    storeInstruction("main", "r02");
    EXPECT_EQ(firstEmpty, 3);
    EXPECT_STREQ(definedTable[1].name, "turn");
    EXPECT_EQ(codeOf(1), "L");
    EXPECT_EQ(codeOf(0), "r02");
    EXPECT_TRUE(fieldClearAfterCode(1));
    EXPECT_TRUE(fieldClearAfterCode(0));
}

TEST_F(TableTest, LookUpIsExactAndCaseSensitive) {
    storeInstruction("turn", "L");
    EXPECT_EQ(findUserInstruc("Turn"), -1);
    EXPECT_EQ(findUserInstruc("tur"), -1);
    EXPECT_EQ(findUserInstruc("turns"), -1);
    EXPECT_EQ(findUserInstruc(""), -1);
    EXPECT_EQ(getCodePtr("Turn"), nullptr);
}

TEST_F(TableTest, NameBeingDefinedFindsTheRowItWillTake) {
    storeInstruction("turn", "L");
    std::strcpy(CurrInstrName, "walk");
    EXPECT_EQ(findUserInstruc("walk"), -1) << "no definition begun yet";
    CurrInstrNum = firstEmpty;
    EXPECT_EQ(findUserInstruc("walk"), 2);
    EXPECT_EQ(getCodePtr("walk"), definedTable[2].byteCode);

    std::strcpy(CurrInstrName, "main");
    CurrInstrNum = 0;
    EXPECT_EQ(findUserInstruc("main"), 0);
    EXPECT_FALSE(userMainExists());

    std::strcpy(CurrInstrName, "turn");
    CurrInstrNum = 7;
    EXPECT_EQ(findUserInstruc("turn"), 1) << "a stored row wins";
}

TEST_F(TableTest, FullTableRefusesOnlyNewNames) {
    for (int n = 1; n < MAXDEFINITIONS; ++n)
        storeInstruction(("i" + std::to_string(n)).c_str(), "M");
    EXPECT_EQ(firstEmpty, 100);
    EXPECT_TRUE(rec.boxes.empty());

    storeInstruction("extra", "L");
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, "Pindle can only handle 100 instructions--ignoring\nextra");
    EXPECT_EQ(findUserInstruc("extra"), -1);
    EXPECT_EQ(firstEmpty, 100);

    storeInstruction("main", "r99");
    storeInstruction("i50", "LL");
    EXPECT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(codeOf(0), "r99");
    EXPECT_EQ(codeOf(50), "LL");
    EXPECT_STREQ(definedTable[99].name, "i99");
}

TEST_F(TableTest, CodeOf39CharactersFitsAnd40IsTooLong) {
    storeInstruction("fits", std::string(39, 'M').c_str());
    EXPECT_TRUE(rec.boxes.empty());
    EXPECT_EQ(codeOf(1), std::string(39, 'M'));

    storeInstruction("over", std::string(40, 'M').c_str());
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, "Definition is too long, break it down?\nover");
    EXPECT_EQ(findUserInstruc("over"), 2) << "the row is taken all the same";
    EXPECT_EQ(firstEmpty, 3);
    EXPECT_EQ(codeOf(2), std::string(39, 'M'));
}

TEST_F(TableTest, TooLongCodeKeepsOnlyWholeInstructions) {
    const std::string m30(30, 'M');
    const struct {
        std::string code, kept;
    } cases[] = {
        {std::string(37, 'M') + "fFM}", std::string(37, 'M')},
        {std::string(36, 'M') + "r01L", std::string(36, 'M') + "r01"},
        {std::string(37, 'M') + "r01", std::string(37, 'M')},
        {m30 + "fFM}eL}" + "wnA=\xF8M}", m30 + "fFM}eL}"},
        {m30 + "LLLLLLfFM}eL}", m30 + "LLLLLL"},
        {std::string(38, 'M') + "wA=\xE1M}", std::string(38, 'M')},
        {"wF" + std::string(40, 'M') + "}", ""},
    };
    for (const auto& c : cases) {
        rec.boxes.clear();
        storeInstruction("long", c.code.c_str());
        EXPECT_EQ(rec.boxes.size(), 1u);
        EXPECT_EQ(codeOf(1), c.kept) << c.code;
        EXPECT_TRUE(fieldClearAfterCode(1)) << c.code;
    }
}

TEST_F(TableTest, ReportNamesTheLastParsedFileAndItsLineCount) {
    std::string file = writeFile("prog.pnd", "define main as\n{ move\n}\n");
    ASSERT_TRUE(parse(file.c_str()));
    rec.editorLines = 3;
    storeInstruction("macro", std::string(45, 'L').c_str());
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].caption, "Line 3");
    EXPECT_EQ(rec.boxes[0].x, 250);
    EXPECT_EQ(rec.boxes[0].y, 130);
    EXPECT_EQ(rec.shownFile, file);
}

} // namespace
