// The editor's text control: undo, colours, fault marks, find, and files kept byte for byte.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "lang/tokens.h"
#include "tests/gui/gui_harness.h"

#include <functional>

namespace {

class ProgramTextTest : public GuiTest {
  protected:
    ProgramText& text() { return *subframe->text_window; }
    // The file put into the editor as the Edit commands put it.
    void edit(const std::string& name, const std::string& bytes) {
        editFileIsProgram = name.find(".sit") == std::string::npos;
        EditPindleFile(writeFile(name, bytes).c_str());
    }
    // The keyboard in the editor's text; the main window hidden meanwhile, as it takes the
    // keyboard back whenever it is deactivated.
    void focusText() {
        frame->Hide();
        pump(60);
        subframe->Raise();
        text().SetFocus();
        for (int i = 0; i < 100 && wxWindow::FindFocus() != &text(); ++i)
            pump(20);
        ASSERT_EQ(wxWindow::FindFocus(), &text());
    }
    void TearDown() override {
        frame->Show();
        GuiTest::TearDown();
    }
    int styleAt(const std::string& bytes, const std::string& word, size_t nth = 0) {
        size_t at = bytes.find(word);
        while (nth-- > 0)
            at = bytes.find(word, at + 1);
        return text().GetStyleAt(static_cast<int>(at));
    }
    static int kind(TokenKind k) { return static_cast<int>(k); }
};

TEST_F(ProgramTextTest, UndoTakesBackTypingAndPastingButNeverAnotherFile) {
    std::string first = "define main as {\n  move\n}\n";
    edit("first.pnd", first);
    focusText();
    text().GotoPos(static_cast<int>(first.find("move") + 4));
    type(" left");
    EXPECT_EQ(text().bytes(), "define main as {\n  move left\n}\n");
    text().SetSelection(0, 6);
    text().Copy();
    text().GotoPos(text().GetLength());
    ctrl('v');
    EXPECT_EQ(text().bytes(), "define main as {\n  move left\n}\ndefine");
    ctrl('z');
    EXPECT_EQ(text().bytes(), "define main as {\n  move left\n}\n") << "the paste undone";
    ctrl('y');
    EXPECT_EQ(text().bytes(), "define main as {\n  move left\n}\ndefine") << "and redone";
    for (int i = 0; i < 10 && text().CanUndo(); ++i)
        ctrl('z');
    EXPECT_EQ(text().bytes(), first);
    EXPECT_FALSE(text().IsModified()) << "back at the saved text";

    text().AddText("typed");
    scripted().questions = {Dialogs::NO};
    edit("second.pnd", "define main as { left }\n");
    EXPECT_FALSE(text().CanUndo()) << "no undo across a load";
    text().Undo();
    EXPECT_EQ(text().bytes(), "define main as { left }\n");
}

TEST_F(ProgramTextTest, ColoursAreTheTokenKindsOfTheCompilerAndTheLoader) {
    std::string program = "define walk as { move }\n"
                          "define main as {\n"
                          "  while (not frontClear) { left } / turn\n"
                          "  if (b1 == 'x') walk else jump\n"
                          "  b2=b1 #\n"
                          "}\n";
    edit("colours.pnd", program);
    text().Colourise(0, -1);
    EXPECT_EQ(styleAt(program, "define"), kind(TokenKind::KEYWORD));
    EXPECT_EQ(styleAt(program, "walk"), kind(TokenKind::DEFINITION));
    EXPECT_EQ(styleAt(program, "{"), kind(TokenKind::BRACE));
    EXPECT_EQ(styleAt(program, "move"), kind(TokenKind::PRIMITIVE));
    EXPECT_EQ(styleAt(program, "while"), kind(TokenKind::KEYWORD));
    EXPECT_EQ(styleAt(program, "frontClear"), kind(TokenKind::TEST));
    EXPECT_EQ(styleAt(program, "/ turn"), kind(TokenKind::COMMENT));
    EXPECT_EQ(styleAt(program, "'x'"), kind(TokenKind::TEST));
    EXPECT_EQ(styleAt(program, "jump"), kind(TokenKind::NAME));
    EXPECT_EQ(styleAt(program, "b2=b1"), kind(TokenKind::PRIMITIVE));
    EXPECT_EQ(styleAt(program, "#"), kind(TokenKind::BAD));
    int call = styleAt(program, "walk", 1);
    EXPECT_NE(call, kind(TokenKind::NAME)) << "a call of a defined name has a colour of its own";
    EXPECT_NE(text().StyleGetForeground(call), text().StyleGetForeground(kind(TokenKind::NAME)));

    std::string world = "wall 3,3 3,6\nthing 5,5 x the first\npindle 7,7\n";
    edit("colours.sit", world);
    text().Colourise(0, -1);
    EXPECT_EQ(styleAt(world, "wall"), kind(TokenKind::KEYWORD));
    EXPECT_EQ(styleAt(world, "3,6"), kind(TokenKind::NUMBER));
    EXPECT_EQ(styleAt(world, "x "), kind(TokenKind::THING));
    EXPECT_EQ(styleAt(world, "first"), kind(TokenKind::COMMENT));
    EXPECT_EQ(styleAt(world, "pindle"), kind(TokenKind::KEYWORD));
}

TEST_F(ProgramTextTest, AFaultIsMarkedOnItsLineUntilTheLineChangesOrTheFileCompiles) {
    std::string program = "define main as {\n  move\n  jump\n  left\n}\n";
    restart(tempDir + "/w.sit", writeFile("fault.pnd", program));
    frame->OnMenuCommand(ID_CHECK);
    int jump = static_cast<int>(program.find("jump"));
    EXPECT_EQ(text().faultLine(), 2);
    EXPECT_EQ(text().GetCurrentPos(), jump + 4) << "the caret after the refused token";
    EXPECT_TRUE(text().IndicatorAllOnFor(jump)) << "the token underlined";
    EXPECT_FALSE(text().IndicatorAllOnFor(jump - 1));

    text().InsertText(0, "/ a note\n");
    EXPECT_EQ(text().faultLine(), 3) << "another line's change keeps the marks";
    text().InsertText(jump + 9, "X");
    EXPECT_EQ(text().faultLine(), -1) << "a change of the fault's line takes them away";
    EXPECT_FALSE(text().IndicatorAllOnFor(jump + 9));

    subframe->OnMenuCommand(ID_EDIT_SAVE);
    frame->OnMenuCommand(ID_CHECK);
    ASSERT_EQ(text().faultLine(), 3);
    text().SetText("define main as {\n  move\n}\n");
    subframe->OnMenuCommand(ID_EDIT_SAVE);
    frame->OnMenuCommand(ID_CHECK);
    EXPECT_EQ(text().faultLine(), -1) << "a compile without a fault clears them";
}

TEST_F(ProgramTextTest, FindGoesToTheNextPlaceAndWrapsRound) {
    std::string program = "define main as {\n  move left\n  move\n}\n";
    edit("find.pnd", program);
    ASSERT_TRUE(text().findText("move", wxFR_DOWN));
    EXPECT_EQ(text().GetSelectionStart(), static_cast<int>(program.find("move")));
    ASSERT_TRUE(text().findText("move", wxFR_DOWN));
    EXPECT_EQ(text().GetSelectionStart(), static_cast<int>(program.rfind("move")));
    ASSERT_TRUE(text().findText("move", wxFR_DOWN));
    EXPECT_EQ(text().GetSelectionStart(), static_cast<int>(program.find("move"))) << "wrapped";
    EXPECT_FALSE(text().findText("MOVE", wxFR_DOWN | wxFR_MATCHCASE));

    focusText();
    ctrl('f');
    wxWindow* dialog = wxWindow::FindWindowByLabel("Find");
    ASSERT_NE(dialog, nullptr) << "Ctrl-F opens the find dialog";
    EXPECT_TRUE(dialog->IsShown());
    dialog->Close();
    pump(60);
}

TEST_F(ProgramTextTest, ANewLineTakesTheIndentationOfTheLineBefore) {
    edit("indent.pnd", "define main as {\n\t  move");
    focusText();
    text().GotoPos(text().GetLength());
    type("\r");
    EXPECT_EQ(text().bytes(), "define main as {\n\t  move\n\t  ");
}

// Opens each file in the editor and saves it untouched, then with a word typed at the end of
// its first line.
TEST_F(ProgramTextTest, FilesComeBackByteForByteAndEditsKeepTheirLineEnds) {
    struct Case {
        const char* name;
        std::string bytes, edited;
    };
    const Case cases[] = {
        {"crlf.pnd", "define main as {\r\n\tmove\r\n}\r\n",
         "define main as { left\r\n\tmove\r\n}\r\n"},
        {"cr.pnd", "define main as {\r  move\r}", "define main as { left\r  move\r}"},
        {"nul.pnd", std::string("define main as {\n  move\0x\n}", 27),
         std::string("define main as { left\n  move\0x\n}", 32)},
        {"latin1.pnd", "/ caf\xe9\ndefine main as { move }\n",
         "/ caf\xe9 left\ndefine main as { move }\n"},
        {"stray.pnd", "/ \xc3\xa9t\xc3\xa9 \xe9\nx", "/ \xc3\xa9t\xc3\xa9 \xe9 left\nx"},
        {"thing.sit", "thing 2,2 \xe9\r\npindle 3,3", "thing 2,2 \xe9 left\r\npindle 3,3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        scripted().questions = {Dialogs::NO}; // the last case's new line is dropped
        edit(c.name, c.bytes);
        EXPECT_EQ(text().GetLength(), static_cast<int>(c.bytes.size())) << "every byte shown";
        subframe->OnMenuCommand(ID_EDIT_SAVE);
        EXPECT_EQ(fileText(tempDir + "/" + c.name), c.bytes);
        text().GotoPos(text().GetLineEndPosition(0));
        text().AddText(" left");
        subframe->OnMenuCommand(ID_EDIT_SAVE);
        EXPECT_EQ(fileText(tempDir + "/" + c.name), c.edited);
        // A new line takes the file's own line end.
        size_t end = c.bytes.find_first_of("\r\n") + 5;
        std::string eol = c.edited.compare(end, 2, "\r\n") == 0 ? "\r\n" : c.edited.substr(end, 1);
        text().NewLine();
        EXPECT_EQ(text().bytes().substr(0, end + eol.size()), c.edited.substr(0, end) + eol);
    }
    EXPECT_TRUE(scripted().boxes.empty());
}

} // namespace
