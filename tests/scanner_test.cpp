#include <gtest/gtest.h>

#include "recording_ui.h"

#include "io/inputfil.h"
#include "lang/scanner.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class ScannerTest : public CoreTest {
  protected:
    void TearDown() override {
        f.close();
        buffer = nullptr;
        CoreTest::TearDown();
    }
    // Opens text as the reader's file with no current line, as a parse starts.
    void openText(const std::string& text) {
        f.open(writeFile("prog.pnd", text).c_str());
        buffer = nullptr;
    }
    // The tokens up to the end of the source; a fault ends the list with "!".
    std::vector<std::string> tokens() {
        std::vector<std::string> out;
        for (int n = 0; n < 100; ++n) {
            const char* t = scan(f);
            if (!t) {
                out.push_back("!");
                break;
            }
            if (std::string(t) == "eof") break;
            out.push_back(token);
        }
        return out;
    }
    using Tokens = std::vector<std::string>;
};

TEST_F(ScannerTest, BlankAndCommentOnlySourcesEndAtOnce) {
    for (const char* text : {"", "\n\n   \n", "// a note\n  / one slash is enough\n\t\n"}) {
        openText(text);
        EXPECT_STREQ(scan(f), "eof") << text;
        EXPECT_STREQ(token, "eof");
    }
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(ScannerTest, EofRepeatsWithoutReading) {
    openText("move\n");
    EXPECT_STREQ(scan(f), "move");
    EXPECT_STREQ(scan(f), "eof");
    int lines = f.currentLine();
    for (int n = 0; n < 3; ++n) {
        std::strcpy(token, "junk");
        EXPECT_STREQ(scan(f), "eof");
        EXPECT_STREQ(token, "eof");
    }
    EXPECT_EQ(f.currentLine(), lines);
}

TEST_F(ScannerTest, PunctuationBoardsAndWords) {
    openText("if(b1==b2){b1=b2}\n  b2=b1)  2move move/ turn later\nleft\n");
    EXPECT_EQ(tokens(), (Tokens{"if", "(", "b1", "==", "b2", ")", "{", "b1=b2", "}", "b2=b1", ")",
                                "2move", "move", "left"}));
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(ScannerTest, CharacterLiterals) {
    openText("'x' ''' ' ' '/' '}'\n");
    EXPECT_EQ(tokens(), (Tokens{"'x'", "'''", "' '", "'/'", "'}'"}));
}

// Each source scans to the given tokens, then reports the rest of the line at column pos.
struct FaultCase {
    const char* text;
    std::vector<std::string> before;
    const char* rest;
    int column;
};

TEST_F(ScannerTest, UnrecognisedCharacterReportsRestOfLine) {
    const FaultCase cases[] = {
        {"b1=b2x\n", {"b1"}, "=b2x\n", 2},
        {"b2=b10\n", {"b2"}, "=b10\n", 2},
        {"move 'ab'\n", {"move"}, "'ab'\n", 5},
        {"read = b1\n", {"read"}, "= b1\n", 5},
        {"move \xC3\xA9t\xC3\xA9\n", {"move"}, "\xC3\xA9t\xC3\xA9\n", 5},
        {"left\n  ; x", {"left"}, "; x", 2},
    };
    for (const FaultCase& c : cases) {
        rec.boxes.clear();
        openText(c.text);
        Tokens expected = c.before;
        expected.push_back("!");
        EXPECT_EQ(tokens(), expected) << c.text;
        EXPECT_EQ(std::string(token), c.before.back()) << "token unchanged by the fault";
        EXPECT_EQ(pos, c.column) << c.text;
        ASSERT_EQ(rec.boxes.size(), 1u) << c.text;
        EXPECT_EQ(rec.boxes[0].text, std::string("Unknown token at\n") + c.rest);
    }
}

TEST_F(ScannerTest, CarriageReturnsAreWhiteSpace) {
    openText("move\r\n\r\nb1=b2\r\nleft\r\n");
    EXPECT_EQ(tokens(), (Tokens{"move", "b1=b2", "left"}));
    EXPECT_EQ(f.currentLine(), 4);
}

TEST_F(ScannerTest, LongLineArrivesInTwoPiecesAndSplitsAToken) {
    // 300 characters: the cut after 255 falls inside "moveleft".
    std::string line = std::string(250, ' ') + "moveleft" + std::string(41, ' ') + "\n";
    ASSERT_EQ(line.size(), 300u);
    openText(line + "read\n");
    EXPECT_STREQ(scan(f), "movel");
    EXPECT_EQ(f.currentLine(), 1);
    EXPECT_STREQ(scan(f), "eft");
    EXPECT_EQ(f.currentLine(), 2);
    EXPECT_STREQ(scan(f), "read");
    EXPECT_EQ(f.currentLine(), 3);
}

TEST_F(ScannerTest, OverlongWordIsCutToFitToken) {
    openText(std::string(150, 'a') + std::string(30, '7') + " move\n");
    EXPECT_EQ(tokens(), (Tokens{std::string(MAXTOKEN - 1, 'a'), "move"}));
}

TEST_F(ScannerTest, ReaderDeliversPiecesAndCountsThem) {
    InputFile in(8);
    EXPECT_TRUE(in.eof()) << "no file yet";
    in.open(writeFile("r.txt", "abcdefghij\nxy\n").c_str());
    ASSERT_TRUE(in.exists());
    EXPECT_FALSE(in.eof());
    EXPECT_STREQ(in.readLn(), "abcdefg");
    EXPECT_STREQ(in.readLn(), "hij\n");
    EXPECT_STREQ(in.readLn(), "xy\n");
    EXPECT_EQ(in.readLn(), nullptr);
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(in.currentLine(), 3);
    in.close();
    EXPECT_FALSE(in.exists());
    EXPECT_TRUE(in.eof());
    EXPECT_EQ(in.currentLine(), 3) << "close keeps the count";
}

} // namespace
