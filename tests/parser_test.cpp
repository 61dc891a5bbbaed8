#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/errormsg.h"
#include "lang/parser.h"
#include "lang/table.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class ParserTest : public CoreTest {
  protected:
    std::string file;
    bool parseText(const std::string& text) {
        file = writeFile("prog.pnd", text);
        return parse(file.c_str());
    }
    static std::string code(const char* name) {
        const char* p = getCodePtr(name);
        return p ? p : "<none>";
    }
    static std::string repeat(const std::string& s, int n) {
        std::string out;
        for (int k = 0; k < n; ++k)
            out += s;
        return out;
    }
};

using Lines = std::vector<std::string>;

TEST_F(ParserTest, EmptyOrCommentOnlyFileStoresNothing) {
    EXPECT_TRUE(parseText(""));
    EXPECT_TRUE(parseText("// nothing here\n\n   / at all\n"));
    EXPECT_EQ(firstEmpty, 1);
    EXPECT_FALSE(userMainExists());
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(ParserTest, CompilesEachConstructToItsCode) {
    const struct {
        const char* body;
        const char* code;
    } cases[] = {
        {"", ""},
        {"while (frontClear) move left", "wFM}L"},
        {"if (not b1=='x') write else { left left }", "fnA=\xF8W}eLL}"},
        {"if (b1==b2) { read }", "fA=BR}"},
        {"if (b2 == b1) b1=b2 else b2=b1 pause", "fB=A1}e2}p"},
        {"if (b1 == b1) move", "fA=AM}"},
        {"if ( b2 == ' ' ) pause", "fB=\xA0p}"},
        {"while (not cornerHasSomething) { if (facingNorth) left move read }", "wnCfNL}MR}"},
        {"if (frontClear) move else if (facingNorth) left else read write", "fFM}efNL}eR}}W"},
        // An else belongs to the nearest if without one.
        {"if (frontClear) if (facingNorth) move else left", "fFfNM}eL}}"},
        {"if (frontClear) if (facingNorth) move left", "fFfNM}}L"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(parseText(std::string("define main as { ") + c.body + " }\n")) << c.body;
        EXPECT_EQ(code("main"), c.code) << c.body;
    }
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(ParserTest, EndOfFileClosesOpenBodies) {
    const struct {
        const char* text;
        const char* code;
    } cases[] = {
        {"define main as {", ""},
        {"define main as { move left\n", "ML"},
        {"define main as { while (frontClear) { move", "wFM}"},
        {"define main as {\nwhile (frontClear) { if (facingNorth) { move\n", "wFfNM}}"},
        {"define main as { if (frontClear) move else { left eof move", "fFM}eL}M"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(parseText(c.text)) << c.text;
        EXPECT_EQ(code("main"), c.code) << c.text;
    }
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(ParserTest, TestWordsKeywordsAndLongNamesMayNameInstructions) {
    std::string name31 = "a" + std::string(30, '7');
    ASSERT_TRUE(parseText("define frontClear as { move }\n"
                          "define not as { frontClear }\n"
                          "define main as { not if (frontClear) frontClear }\n"
                          "define " +
                          name31 + " as { main }\n"));
    EXPECT_EQ(code("frontClear"), "M");
    EXPECT_EQ(code("not"), "r01");
    EXPECT_EQ(code("main"), "r02fFr01}");
    EXPECT_EQ(code(name31.c_str()), "r00");
}

TEST_F(ParserTest, InstructionMayCallItself) {
    ASSERT_TRUE(parseText("define hop as { move }\n"
                          "define walk as { if (frontClear) { move walk } }\n"
                          "define main as { main }\n"));
    EXPECT_EQ(code("walk"), "fFMr02}");
    EXPECT_EQ(code("main"), "r00");
}

// Every fault: the source of prog.pnd and the boxes it gives, as "caption|text".
TEST_F(ParserTest, FaultMessages) {
    const std::string m = "define main as { ";
    const struct {
        std::string text;
        Lines boxes;
    } cases[] = {
        {"move\n", {"Line 1|Expected define but found\nmove"}},
        {"define main as { move }\n;\n", {"Line 2|Unknown token at\n;\n"}},
        {"define 2go as { move }", {"Line 1|Instruction name must begin with a letter\n2go"}},
        {"define while as { move }", {"Line 1|Cannot redefine a reserved word\nwhile"}},
        {"define b2=b1 as { move }", {"Line 1|Cannot redefine a reserved word\nb2=b1"}},
        {"define n" + std::string(31, 'n') + " as",
         {"Line 1|Instruction name is too long (80)\nn" + std::string(31, 'n')}},
        {"define # as",
         {"Line 1|Unknown token at\n# as", "Line 1|Expected token but found eof\ndefine"}},
        {"define walk is { move }", {"Line 1|Expected 'as' but found\nis"}},
        {"define walk = {\n",
         {"Line 1|Unknown token at\n= {\n", "Line 1|Expected 'as' but found eof\nwalk"}},
        {"define walk\nas\n", {"Line 2|Expected '{' but found\neof"}},
        {"define walk as move }", {"Line 1|Expected '{' but found\nmove"}},
        {"define walk as ; {",
         {"Line 1|Unknown token at\n; {", "Line 1|Expected '{' but found eof\nas"}},
        {m + "move ; }",
         {"Line 1|Unknown token at\n; }", "Line 1|Expected token but found eof\nmove"}},
        {m + "jump }", {"Line 1|Unknown instruction\njump"}},
        {m + "turn }\ndefine turn as { left }", {"Line 1|Unknown instruction\nturn"}},
        {m + "if (frontClear) { } }", {"Line 1|Unknown instruction\n}"}},
        {m + "{ move } }", {"Line 1|Unknown instruction\n{"}},
        {m + "if (frontClear)\n", {"Line 1|Unknown instruction\neof"}},
        {m + "while (frontClear) {", {"Line 1|Unknown instruction\neof"}},
        {m + "if frontClear move }", {"Line 1|Expected '(' but found \nfrontClear"}},
        {m + "while [x] move }",
         {"Line 1|Unknown token at\n[x] move }", "Line 1|Expected '(' but found eof\nwhile"}},
        {m + "if ( ;", {"Line 1|Unknown token at\n;", "Line 1|Expected token but found eof\n("}},
        {m + "if (not ;",
         {"Line 1|Unknown token at\n;", "Line 1|Expected token but found eof\nnot"}},
        {m + "if (wallAhead) move }", {"Line 1|Unknown test\nwallAhead"}},
        {m + "if (not) move }", {"Line 1|Unknown test\n)"}},
        {m + "if (b1 b2) move }", {"Line 1|Expected '==' but found \nb2"}},
        {m + "if (b1 = 'x') move }",
         {"Line 1|Unknown token at\n= 'x') move }", "Line 1|Expected '==' but found eof\nb1"}},
        {m + "if (b1 == \"x\")",
         {"Line 1|Unknown token at\n\"x\")", "Line 1|Expected token but found eof\n=="}},
        {m + "if (b1 == frontClear) move }",
         {"Line 1|Expected 'b1', 'b2', or char but found \nfrontClear"}},
        {m + "if (b1 == xyz) move }",
         {"Line 1|Unknown test\nxyz", "Line 1|Expected 'b1', 'b2', or char but found \nxyz"}},
        {m + "if (frontClear move }", {"Line 1|Expected ')' but found \nmove"}},
        {m + "if (facingNorth ; }",
         {"Line 1|Unknown token at\n; }", "Line 1|Expected ')' but found eof\nfacingNorth"}},
        {m + "if (frontClear) ; }",
         {"Line 1|Unknown token at\n; }", "Line 1|Expected '{' but found eof\n)"}},
        {m + "if (frontClear) move else ;",
         {"Line 1|Unknown token at\n;", "Line 1|Expected '{' but found eof\nelse"}},
        {m + "\n  if (frontClear) move\n\n  jump }", {"Line 4|Unknown instruction\njump"}},
    };
    for (const auto& c : cases) {
        rec.boxes.clear();
        EXPECT_FALSE(parseText(c.text)) << c.text;
        EXPECT_EQ(rec.boxLines(), c.boxes) << c.text;
        for (const Box& b : rec.boxes) {
            EXPECT_EQ(b.x, 250);
            EXPECT_EQ(b.y, 130);
        }
        EXPECT_EQ(rec.shownFile, file);
        EXPECT_EQ(buffer, nullptr) << "the scanner is left with no line";
        EXPECT_FALSE(f.exists()) << "the reader is closed";
    }
}

TEST_F(ParserTest, MissingFile) {
    std::string name = tempDir + "/absent.pnd";
    EXPECT_FALSE(parse(name.c_str()));
    EXPECT_EQ(rec.boxLines(), Lines{"Line 0|No such file as\n" + name});
    EXPECT_EQ(rec.shownFile, name);
}

TEST_F(ParserTest, CaretStandsAtTheScannerColumnOfTheFaultLine) {
    EXPECT_FALSE(parseText("// first\n\ndefine main as { jump }\n"));
    EXPECT_EQ(rec.caretLine, 3);
    EXPECT_EQ(rec.caretColumn, 21) << "just past jump";

    EXPECT_FALSE(parseText("define walk = {\n"));
    EXPECT_EQ(rec.caretLine, 1);
    EXPECT_EQ(rec.caretColumn, 12) << "on the unknown character";
}

TEST_F(ParserTest, BoxAndCaretFollowTheEditorsLineCount) {
    // The fault is found on line 20 (or 7, or 8) of a file the editor shows with N lines.
    const struct {
        int faultLine, editorLines, caretLine, boxY;
    } cases[] = {
        {20, 40, 30, 290}, {20, 31, 30, 290}, {20, 30, 25, 360}, {20, 27, 25, 360},
        {20, 26, 25, 360}, {20, 25, 20, 450}, {20, 22, 20, 450}, {20, 0, 20, 450},
        {7, 100, 7, 130},  {8, 100, 18, 290}, {8, 8, 8, 450},
    };
    for (const auto& c : cases) {
        rec.boxes.clear();
        rec.editorLines = c.editorLines;
        EXPECT_FALSE(parseText(std::string(c.faultLine - 1, '\n') + "define main as { jump }"));
        ASSERT_EQ(rec.boxes.size(), 1u);
        EXPECT_EQ(rec.boxes[0].caption, "Line " + std::to_string(c.faultLine));
        EXPECT_EQ(rec.boxes[0].x, 250);
        EXPECT_EQ(rec.boxes[0].y, c.boxY) << c.faultLine << " of " << c.editorLines;
        EXPECT_EQ(rec.caretLine, c.caretLine) << c.faultLine << " of " << c.editorLines;
    }
}

TEST_F(ParserTest, LongMessagesAreCutToTheMessageBuffer) {
    std::string rest = "; " + std::string(200, 'x');
    EXPECT_FALSE(parseText("define main as { move " + rest + "\n"));
    ASSERT_GE(rec.boxes.size(), 1u);
    std::string full = "Unknown token at\n" + rest + "\n";
    EXPECT_EQ(rec.boxes[0].text, full.substr(0, sizeof msgBuff - 1));

    rec.boxes.clear();
    std::string name = tempDir + "/" + std::string(100, 'p') + ".pnd";
    EXPECT_FALSE(parse(name.c_str()));
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].text, ("No such file as\n" + name).substr(0, sizeof msgBuff - 1));
}

TEST_F(ParserTest, FailureKeepsEarlierDefinitionsAndReparseReplacesInPlace) {
    EXPECT_FALSE(parseText("define a as { move }\ndefine b as { a left }\ndefine c as { jump }\n"));
    EXPECT_EQ(code("a"), "M");
    EXPECT_EQ(code("b"), "r01L");
    EXPECT_EQ(firstEmpty, 3) << "c is not stored";
    EXPECT_STREQ(CurrInstrName, "c");
    EXPECT_EQ(CurrInstrNum, 3);

    rec.boxes.clear();
    EXPECT_TRUE(parseText("define b as { a a }\ndefine a as { left }\ndefine c as { b }\n"));
    EXPECT_EQ(code("a"), "L");
    EXPECT_EQ(code("b"), "r01r01");
    EXPECT_EQ(code("c"), "r02");
    EXPECT_EQ(firstEmpty, 4);
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(ParserTest, TableReportsDoNotFailTheParse) {
    EXPECT_TRUE(parseText("define main as {\n" + repeat("move ", 45) + "\n}\n"));
    EXPECT_EQ(rec.boxLines(), Lines{"Line 3|Definition is too long, break it down?\nmain"});
    EXPECT_EQ(code("main"), std::string(39, 'M'));

    rec.boxes.clear();
    firstEmpty = MAXDEFINITIONS;
    EXPECT_TRUE(parseText("define extra as { move }\ndefine main as { left }\n"));
    EXPECT_EQ(rec.boxLines(),
              Lines{"Line 1|Pindle can only handle 100 instructions--ignoring\nextra"});
    EXPECT_EQ(code("main"), "L");
}

TEST_F(ParserTest, CodeOutgrowingTheDefinitionBufferIsCutSafely) {
    // 400 moves and a while: far more than the 255 characters of the buffer.
    std::string text = "define turn as { left left }\ndefine main as {\n" +
                       repeat(repeat("move ", 40) + "\n", 10) + "while (frontClear) { left }\n}\n";
    EXPECT_TRUE(parseText(text));
    EXPECT_EQ(rec.boxLines(), Lines{"Line 14|Definition is too long, break it down?\nmain"});
    EXPECT_EQ(code("main"), std::string(39, 'M'));
    EXPECT_EQ(code("turn"), "LL");
}

TEST_F(ParserTest, DeepNestingIsRefusedBeforeItExhaustsTheStack) {
    // 256 levels parse (the code is too long for the table in any case); 257 are refused.
    EXPECT_TRUE(parseText("define main as {\n" + repeat("while (frontClear)\n", 256) + "move }"));
    EXPECT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes.back().text, "Definition is too long, break it down?\nmain");
    EXPECT_TRUE(userMainExists());

    rec.boxes.clear();
    EXPECT_FALSE(parseText("define deep as {\n" + repeat("if (frontClear)\n", 257) + "move }"));
    EXPECT_EQ(rec.boxLines(), Lines{"Line 258|Definition is too long, break it down?\nif"});
    EXPECT_EQ(firstEmpty, 1) << "deep is not stored";

    rec.boxes.clear();
    EXPECT_FALSE(parseText("define deep as {\n" + repeat("while (frontClear) {\n", 5000)));
    EXPECT_EQ(rec.boxes.size(), 1u);
}

} // namespace
