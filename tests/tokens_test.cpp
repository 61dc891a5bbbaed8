#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/scanner.h"
#include "lang/tokens.h"
#include "world/worldtokens.h"

#include <string>
#include <vector>

namespace {

using Spans = std::vector<std::string>;

char letterOf(TokenKind kind) {
    return "_KPTNDCBX#t"[static_cast<int>(kind)];
}

// The spans as "kind:text", neighbouring spans of one kind joined.
Spans render(const std::string& text, const std::vector<TokenSpan>& spans) {
    Spans out;
    size_t end = std::string::npos;
    for (const TokenSpan& s : spans) {
        std::string piece = text.substr(s.start, s.length);
        if (!out.empty() && s.start == end && out.back()[0] == letterOf(s.kind))
            out.back() += piece;
        else
            out.push_back(std::string(1, letterOf(s.kind)) + ":" + piece);
        end = s.start + s.length;
    }
    return out;
}

Spans program(const std::string& line, bool afterDefine = false) {
    std::vector<TokenSpan> spans;
    programLine(line.data(), line.size(), afterDefine, spans);
    return render(line, spans);
}

// The lines of a situation file, read one after another.
std::vector<Spans> world(const std::vector<std::string>& lines) {
    std::vector<Spans> out;
    int state = 0;
    std::vector<TokenSpan> spans;
    for (const std::string& line : lines) {
        worldLine(line.data(), line.size(), state, spans);
        out.push_back(render(line, spans));
    }
    return out;
}

TEST(TokensTest, ProgramLinesTakeTheKindsOfTheLanguage) {
    EXPECT_EQ(program("define turn as { left left left } / turn\n"),
              (Spans{"K:define", "D:turn", "K:as", "B:{", "P:left", "P:left", "P:left", "B:}",
                     "C:/ turn\n"}));
    EXPECT_EQ(program("\tif (not b1 == 'x') b2=b1 else while (frontClear) jump\r\n"),
              (Spans{"K:if", "B:(", "K:not", "T:b1", "T:==", "T:'x'", "B:)", "P:b2=b1", "K:else",
                     "K:while", "B:(", "T:frontClear", "B:)", "N:jump"}));
    // What the scanner refuses, byte by byte: a lone '=', a letter outside ASCII.
    EXPECT_EQ(
        program("move # b1=b2x caf\xc3\xa9 '\xc3\xa9'\n"),
        (Spans{"P:move", "X:#", "T:b1", "X:=", "N:b2x", "N:caf", "X:\xc3\xa9", "X:'\xc3\xa9'"}));
}

TEST(TokensTest, ANameADefineCannotGiveIsRefused) {
    for (const char* name : {"move", "b1=b2", "while", "9lives", "{"})
        EXPECT_EQ(program(std::string("define ") + name)[1][0], 'X') << name;
    EXPECT_EQ(program("define " + std::string(32, 'n'))[1][0], 'X') << "too long";
    EXPECT_EQ(program("define " + std::string(31, 'n'))[1][0], 'D');
    EXPECT_EQ(program("define define as")[1], "D:define") << "define is not reserved";

    // A define at the end of a line names the first word of the next.
    bool afterDefine = false;
    std::vector<TokenSpan> spans;
    std::string first = "define\n", second = "  walk as {\n";
    programLine(first.data(), first.size(), afterDefine, spans);
    EXPECT_TRUE(afterDefine);
    EXPECT_EQ(program(second, afterDefine), (Spans{"D:walk", "K:as", "B:{"}));
}

class TokensScannerTest : public CoreTest {
  protected:
    void TearDown() override {
        f.close();
        buffer = nullptr;
        CoreTest::TearDown();
    }
};

TEST_F(TokensScannerTest, EveryTokenIsTheOneTheScannerReads) {
    // Lines longer than the reader's pieces: a comment that ends with the first piece, a word
    // cut in two; a NUL that ends its piece.
    std::string text = "define main as {\n  while (frontClear) { move b1=b2 }\n"
                       "  if (b1 == 'q') left else pause / note\n" +
                       std::string(240, ' ') + "/ a comment past the first piece and write\n" +
                       std::string(253, ' ') + "turnRight\n" + std::string("move\0 jump\n", 11) +
                       "left }\n";
    std::vector<std::string> classified;
    bool afterDefine = false;
    std::vector<TokenSpan> spans;
    for (size_t line = 0; line < text.size();) {
        size_t next = text.find('\n', line) + 1;
        programLine(text.data() + line, next - line, afterDefine, spans);
        for (const TokenSpan& s : spans)
            if (s.kind != TokenKind::COMMENT)
                classified.push_back(text.substr(line + s.start, s.length));
        line = next;
    }
    f.open(writeFile("sample.pnd", text).c_str());
    buffer = nullptr;
    std::vector<std::string> scanned;
    for (const char* t = scan(f); t && std::string(t) != "eof"; t = scan(f))
        scanned.push_back(t);
    EXPECT_EQ(classified, scanned);
    EXPECT_TRUE(rec.boxes.empty());
    EXPECT_EQ(scanned[scanned.size() - 6], "write");
    EXPECT_EQ(scanned[scanned.size() - 4], "rnRight");
}

TEST(TokensTest, DefinedNamesAreTheNamesOfRealDefines) {
    std::string text = "define walk as { move }\n/ define fake as { }\ndefine\nturn as { left }\n"
                       "define move as { }\nundefined x\n  define last";
    EXPECT_EQ(definedNames(text.data(), text.size()),
              (std::set<std::string>{"walk", "turn", "last"}));
}

TEST(TokensTest, WorldLinesAreReadAsTheLoaderReadsThem) {
    EXPECT_EQ(world({"wall 3,3 3,6\n", "thing 5,5 x\n", "pindle 7,7 the start\n"}),
              (std::vector<Spans>{{"K:wall", "#:3,3", "#:3,6"},
                                  {"K:thing", "#:5,5", "t:x"},
                                  {"K:pindle", "#:7,7", "C:the", "C:start"}}));
    // An item's numbers and thing may come on later lines; a number not followed directly by
    // its comma ends the pair, and what stops a number is read as the next word.
    EXPECT_EQ(world({"Wall\n", " 1,2\n", "\n", " 1 ,5 Thing 2,\n", "2 \xe9\n", "Pindle -x 4,4\n"}),
              (std::vector<Spans>{{"K:Wall"},
                                  {"#:1,2"},
                                  {},
                                  {"#:1", "C:,5", "K:Thing", "#:2,"},
                                  {"#:2", "t:\xe9"},
                                  {"K:Pindle", "C:-x", "C:4,4"}}));
    EXPECT_EQ(world({"walls wall2 thing\n"}),
              (std::vector<Spans>{{"C:walls", "C:wall2", "K:thing"}}));
}

} // namespace
