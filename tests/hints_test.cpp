#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/hints.h"
#include "lang/parser.h"

#include <string>

namespace {

// Compiles text and returns the hint for its first fault, as the editor shows it.
class HintTest : public CoreTest {
  protected:
    std::string hintFor(const std::string& text) {
        rec.boxes.clear();
        EXPECT_FALSE(parse(writeFile("h.pnd", text).c_str())) << text;
        std::string box = rec.boxes.at(0).text; // the message, then the token
        size_t cut = box.find('\n');
        return faultHint({box.substr(0, cut).c_str(), box.substr(cut + 1).c_str(), rec.faultLine,
                          rec.caretColumn + 1},
                         text.data(), text.size());
    }
};

TEST_F(HintTest, AnUnknownNameNearAKnownOneIsNamed) {
    EXPECT_EQ(hintFor("define main as { mvoe }"), "Did you mean \"move\"?");
    EXPECT_EQ(hintFor("define turnRight as { left left left }\ndefine main as { turnRigth }"),
              "Did you mean \"turnRight\"?");
    EXPECT_EQ(hintFor("define main as { if (frontClaer) move }"), "Did you mean \"frontClear\"?");
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
    EXPECT_EQ(hintFor("define main as { if frontClear move }").rfind("The test after if", 0), 0u);
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
    EXPECT_EQ(nameRefusal("go-on"),
              "\"go-on\" cannot be called from a program: a name holds only letters and digits.");
}

} // namespace
