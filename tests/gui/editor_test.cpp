// The editor window: its commands, saving, the external programs, and program faults shown
// at their line.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "lang/runstate.h"
#include "tests/gui/gui_harness.h"
#include "world/situation.h"
#include "world/world.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

wxString titleFor(const std::string& name) {
    return wxString("Pindle's Editor: ") + wxString::FromUTF8(name.c_str());
}

class EditorTest : public GuiTest {
  protected:
    // Handles events until the condition holds, for at most two seconds.
    static void pumpUntil(const std::function<bool()>& condition) {
        for (int i = 0; i < 100 && !condition(); ++i)
            pump(20);
    }
    // The program file in the editor, with the keyboard in its text. The main window is hidden
    // meanwhile: it takes the keyboard back whenever it is deactivated.
    static void typeIntoEditor() {
        frame->OnMenuCommand(ID_EDIT_PROGRAM);
        frame->Hide();
        pump(60);
        subframe->Raise();
        subframe->text_window->SetFocus();
        pumpUntil([] { return wxWindow::FindFocus() == subframe->text_window; });
        ASSERT_EQ(wxWindow::FindFocus(), subframe->text_window);
    }
    static void backToTheWorld() {
        frame->Show();
        frame->Raise();
        frame->canvas->SetFocus();
        pumpUntil([] { return wxWindow::FindFocus() == frame->canvas; });
    }
    // Puts on the path a fake external program that writes its arguments, one a line, to
    // the file args; returns the program's path.
    std::string fakeProgram(const std::string& name) {
        std::string dir = tempDir + "/bin";
        mkdir(dir.c_str(), 0755);
        std::string path = dir + "/" + name;
        std::ofstream(path) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << tempDir
                            << "/args.tmp'\nmv '" << tempDir << "/args.tmp' '" << tempDir
                            << "/args'\n";
        chmod(path.c_str(), 0755);
        return path;
    }
    // Waits for the fake program's output; empty if it never came.
    std::string argsWritten() {
        for (int i = 0; i < 150 && !exists(tempDir + "/args"); ++i)
            pump(20);
        return fileText(tempDir + "/args");
    }
};

TEST_F(EditorTest, SaveAsAddsTheExtensionOfTheKindOfText) {
    frame->OnMenuCommand(ID_EDIT_WORLD);
    scripted().saveFiles = {tempDir + "/hills"};
    subframe->OnMenuCommand(ID_EDIT_SAVE_AS);
    std::vector<std::string> asked = {"save Save file|World files (*.sit)|*.sit"};
    EXPECT_EQ(scripted().asked, asked);
    std::string hills = tempDir + "/hills.sit";
    EXPECT_EQ(fileText(hills), fileText(tempDir + "/w.sit"));
    EXPECT_EQ(hills, worldFile);
    EXPECT_EQ(hills, editFileName);
    EXPECT_FALSE(editFileIsProgram);
    EXPECT_EQ(subframe->GetTitle(), titleFor(hills));

    scripted().asked.clear();
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    setEditorText("define main as { left }\n");
    scripted().saveFiles = {tempDir + "/walk"};
    subframe->OnMenuCommand(ID_EDIT_SAVE_AS);
    asked = {"save Save file|Pindle programs (*.pnd) |*.pnd"};
    EXPECT_EQ(scripted().asked, asked);
    std::string walk = tempDir + "/walk.pnd";
    EXPECT_EQ(fileText(walk), "define main as { left }\n");
    EXPECT_EQ(walk, progFile);
    EXPECT_EQ(walk, editFileName);
    EXPECT_TRUE(editFileIsProgram);
    EXPECT_FALSE(subframe->text_window->IsModified());
    EXPECT_EQ(subframe->GetTitle(), titleFor(walk));
    EXPECT_EQ(fileText(tempDir + "/p.pnd"), "define main as { move left }\n");
}

TEST_F(EditorTest, SavingAnOpenedFileAddsTheExtensionUnlessTheNameHoldsIt) {
    std::string notes = writeFile("notes.txt", "define main as { move }\n");
    std::string before = progFile;
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    scripted().files = {notes};
    subframe->OnMenuCommand(ID_EDIT_OPEN);
    EXPECT_EQ(scripted().asked[0], "open Open file|Pindle programs (*.pnd) |*.pnd|World files "
                                   "(*.sit)|*.sit|All files (*.*)|*.*");
    EXPECT_EQ(notes, editFileName);
    EXPECT_EQ(before, progFile);
    EXPECT_EQ(subframe->GetTitle(), titleFor(notes));
    subframe->OnMenuCommand(ID_EDIT_SAVE);
    EXPECT_EQ(fileText(notes + ".pnd"), "define main as { move }\n");
    EXPECT_EQ(notes + ".pnd", editFileName);
    EXPECT_EQ(notes + ".pnd", progFile);
    EXPECT_EQ(subframe->GetTitle(), titleFor(notes + ".pnd"));

    // An upper-case situation name is recognised when saving, not when opening.
    std::string maze = writeFile("MAZE.SIT", "pindle 2,2\n");
    frame->OnMenuCommand(ID_EDIT_WORLD);
    scripted().asked.clear();
    scripted().files = {maze};
    subframe->OnMenuCommand(ID_EDIT_OPEN);
    EXPECT_EQ(scripted().asked[0], "open Open file|World files (*.sit)|*.sit|Pindle programs "
                                   "(*.pnd) |*.pnd|All files (*.*)|*.*");
    EXPECT_EQ(maze, editFileName);
    EXPECT_EQ(tempDir + "/w.sit", worldFile);
    setEditorText("pindle 3,3\n");
    subframe->OnMenuCommand(ID_EDIT_SAVE);
    EXPECT_EQ(fileText(maze), "pindle 3,3\n");
    EXPECT_FALSE(exists(maze + ".sit"));
    EXPECT_EQ(maze, worldFile);
    EXPECT_FALSE(editFileIsProgram);
}

TEST_F(EditorTest, OpenMakesAProgramOrWorldCurrentAndReportsUnreadableFiles) {
    std::string maze = writeFile("maze.sit", "pindle 2,2\n");
    scripted().files = {maze};
    subframe->OnMenuCommand(ID_EDIT_OPEN);
    EXPECT_EQ(maze, worldFile);
    EXPECT_FALSE(editFileIsProgram);
    EXPECT_EQ(subframe->text_window->GetValue(), "pindle 2,2\n");
    EXPECT_FALSE(subframe->text_window->IsModified());

    std::string prog = writeFile("go.pnd", "define main as { left }\n");
    scripted().files = {prog};
    subframe->OnMenuCommand(ID_EDIT_OPEN);
    EXPECT_EQ(prog, progFile);
    EXPECT_TRUE(editFileIsProgram);

    scripted().files = {tempDir + "/missing.sit", ""};
    subframe->OnMenuCommand(ID_EDIT_OPEN);
    std::vector<std::string> expected = {"File Error|Cannot open file for some reason"};
    EXPECT_EQ(scripted().boxLines(), expected);
    subframe->OnMenuCommand(ID_EDIT_OPEN); // cancelled
    EXPECT_EQ(scripted().boxLines(), expected);
    EXPECT_EQ(prog, editFileName);
    EXPECT_EQ(maze, worldFile);
    EXPECT_TRUE(editFileIsProgram);
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { left }\n");
    EXPECT_EQ(subframe->GetTitle(), titleFor(prog));
}

TEST_F(EditorTest, NewThenSaveAsksForANameAndCancellingKeepsNew) {
    frame->OnMenuCommand(ID_EDIT_WORLD);
    subframe->OnMenuCommand(ID_EDIT_NEW);
    EXPECT_STREQ(editFileName, "new");
    EXPECT_EQ(subframe->GetTitle(), "Pindle's Editor: new file");
    EXPECT_EQ(subframe->text_window->GetValue(), "");
    EXPECT_FALSE(editFileIsProgram);
    scripted().saveFiles = {""};
    subframe->OnMenuCommand(ID_EDIT_SAVE);
    std::vector<std::string> asked = {"save Save file|World files (*.sit)|*.sit"};
    EXPECT_EQ(scripted().asked, asked);
    EXPECT_STREQ(editFileName, "new");
    EXPECT_EQ(subframe->GetTitle(), "Pindle's Editor: new file");
}

TEST_F(EditorTest, ChangedTextIsNeverDroppedWithoutAsking) {
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    setEditorText("define main as { left left }\n");
    scripted().questions = {Dialogs::CANCEL};
    subframe->OnMenuCommand(ID_EDIT_NEW);
    ASSERT_EQ(scripted().asked.size(), 1u);
    EXPECT_EQ(scripted().asked[0].rfind("question ", 0), 0u);
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { left left }\n");
    EXPECT_EQ(std::string(editFileName), progFile);

    scripted().asked.clear();
    scripted().questions = {Dialogs::CANCEL};
    subframe->OnMenuCommand(ID_EDIT_OPEN);
    ASSERT_EQ(scripted().asked.size(), 1u) << "no selector after Cancel";
    EXPECT_TRUE(subframe->text_window->IsModified());

    scripted().questions = {Dialogs::YES};
    subframe->OnMenuCommand(ID_EDIT_NEW);
    EXPECT_EQ(fileText(progFile), "define main as { left left }\n");
    EXPECT_STREQ(editFileName, "new");

    setEditorText("scratch");
    scripted().questions = {Dialogs::NO};
    subframe->OnMenuCommand(ID_EDIT_NEW);
    EXPECT_EQ(subframe->text_window->GetValue(), "");
    EXPECT_FALSE(subframe->text_window->IsModified());
}

TEST_F(EditorTest, EditCommandsAskBeforeReplacingChangedText) {
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    setEditorText("define main as { left left }\n");
    scripted().questions = {Dialogs::CANCEL};
    frame->OnMenuCommand(ID_EDIT_WORLD);
    ASSERT_EQ(scripted().asked.size(), 1u);
    EXPECT_EQ(scripted().asked[0].rfind("question ", 0), 0u);
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { left left }\n");
    EXPECT_TRUE(subframe->text_window->IsModified());
    EXPECT_EQ(std::string(editFileName), progFile);

    scripted().questions = {Dialogs::NO};
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { move left }\n");
    EXPECT_FALSE(subframe->text_window->IsModified());
}

TEST_F(EditorTest, FailedSaveKeepsTheOldFileAndAsksForAnotherName) {
    std::string dir = tempDir + "/locked";
    mkdir(dir.c_str(), 0755);
    std::string keep = writeFile("locked/keep.pnd", "define main as { move }\n");
    scripted().files = {keep};
    subframe->OnMenuCommand(ID_EDIT_OPEN);
    setEditorText("define main as { left left left left left left left }\n");
    chmod(dir.c_str(), 0555);
    // Permissions do not bind the superuser: a file size limit makes the write fail too.
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &small);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    scripted().saveFiles = {""};
    subframe->OnMenuCommand(ID_EDIT_SAVE);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    chmod(dir.c_str(), 0755);

    std::vector<std::string> boxes = {"File Error|Cannot save file--try saving on drive A: or C:"};
    EXPECT_EQ(scripted().boxLines(), boxes);
    std::vector<std::string> asked = {"open Open file|Pindle programs (*.pnd) |*.pnd|World files "
                                      "(*.sit)|*.sit|All files (*.*)|*.*",
                                      "save Save file|Pindle programs (*.pnd) |*.pnd"};
    EXPECT_EQ(scripted().asked, asked);
    EXPECT_EQ(fileText(keep), "define main as { move }\n");
    EXPECT_EQ(keep, editFileName);
    EXPECT_TRUE(subframe->text_window->IsModified());

    // A name that cannot be written, then one that can.
    scripted().boxes.clear();
    scripted().saveFiles = {tempDir + "/no/such/dir/x", tempDir + "/other", ""};
    subframe->OnMenuCommand(ID_EDIT_SAVE_AS);
    EXPECT_EQ(scripted().boxLines(), boxes);
    EXPECT_EQ(fileText(tempDir + "/other.pnd"),
              "define main as { left left left left left left left }\n");
    EXPECT_EQ(tempDir + "/other.pnd", editFileName);
    EXPECT_EQ(tempDir + "/other.pnd", progFile);
    EXPECT_EQ(scripted().saveFiles.size(), 1u) << "no selector after the successful write";
}

TEST_F(EditorTest, QuitHidesTheEditorAndEditProgramBringsTheProgramBack) {
    frame->OnMenuCommand(ID_EDIT_WORLD);
    ASSERT_TRUE(subframe->IsShown());
    subframe->OnMenuCommand(ID_EDIT_NEW);
    subframe->OnMenuCommand(ID_EDIT_QUIT);
    EXPECT_FALSE(subframe->IsShown());
    EXPECT_STREQ(editFileName, "new");
    EXPECT_FALSE(editFileIsProgram);
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    EXPECT_TRUE(subframe->IsShown());
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { move left }\n");
    EXPECT_EQ(std::string(editFileName), progFile);
    EXPECT_TRUE(editFileIsProgram);
    EXPECT_EQ(subframe->GetTitle(), titleFor(progFile));
}

TEST_F(EditorTest, HelpBoxTellsTheCommands) {
    subframe->OnMenuCommand(ID_EDIT_HELP);
    ASSERT_EQ(scripted().boxes.size(), 1u);
    EXPECT_EQ(scripted().boxes[0].caption, "Pindle's World Editor help");
    EXPECT_EQ(
        scripted().boxes[0].text,
        "Pindle's World Editor has a few simple commands:\nNew (Ctrl-N) sets up a new file in "
        "editor\nOpen (Ctrl-O) opens a file on disk\nSave (Ctrl-S) saves contents into "
        "currently named file\nSave as (Ctrl-A) saves into a file that you name\nPrint (Ctrl-P) "
        "attempts to print file in editor through DOS\nWindow notepad (Ctrl-W) loads file into "
        "Windows notepad\n  (If Print doesn't work, try printing through notepad)\nQuit "
        "(Ctrl-Q) closes this editor (but not the program)\nWindows clipboard copy, cut and "
        "paste work the usual way\nHighlight text with the mouse, then:\n  Ctrl-Ins copies "
        "highlighted text to Windows clipboard\n  Shift-Ins paste text from Windows clipboard "
        "at cursor\n  Shift-Del cuts highlighted text & copies to Windows clipboard\nNOTE: "
        "pressing the 'run' button automatically saves the file\n  If it's a .pnd program "
        "file, 'run' also re-parses the file");
}

TEST_F(EditorTest, EditorKeysSaveAsAndQuit) {
    typeIntoEditor();
    scripted().saveFiles = {""};
    ctrl('a');
    std::vector<std::string> asked = {"save Save file|Pindle programs (*.pnd) |*.pnd"};
    EXPECT_EQ(scripted().asked, asked) << "Ctrl-A is Save as";
    ctrl('q');
    pumpUntil([] { return !subframe->IsShown(); });
    EXPECT_FALSE(subframe->IsShown());
    backToTheWorld();
}

TEST_F(EditorTest, CtrlHGoesToTheTextNotToTheHelpItem) {
    typeIntoEditor();
    ctrl('h');
    EXPECT_TRUE(scripted().boxes.empty());
    ctrl('q');
    backToTheWorld();
}

TEST_F(EditorTest, PrintAndNotepadPassTheNameAsOneArgumentWithoutAShell) {
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    const char* visual = std::getenv("VISUAL");
    std::string oldVisual = visual ? visual : "";
    fakeProgram("lpr");
    std::string editor = fakeProgram("fakeedit");
    setenv("PATH", (tempDir + "/bin:" + oldPath).c_str(), 1);
    setenv("VISUAL", editor.c_str(), 1);

    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    std::string name = tempDir + "/a'b;touch PWNED";
    scripted().saveFiles = {name};
    subframe->OnMenuCommand(ID_EDIT_SAVE_AS);
    ASSERT_EQ(name + ".pnd", editFileName);
    subframe->OnMenuCommand(ID_EDIT_PRINT);
    EXPECT_EQ(argsWritten(), name + ".pnd\n");
    std::remove((tempDir + "/args").c_str());
    subframe->OnMenuCommand(ID_EDIT_NOTEPAD);
    EXPECT_EQ(argsWritten(), name + ".pnd\n");
    pump(100);
    EXPECT_FALSE(exists("PWNED.pnd"));
    EXPECT_FALSE(exists(tempDir + "/PWNED.pnd"));
    EXPECT_TRUE(scripted().boxes.empty());

    // Without a print program on the path.
    setenv("PATH", (tempDir + "/nothing").c_str(), 1);
    subframe->OnMenuCommand(ID_EDIT_PRINT);
    setenv("PATH", oldPath.c_str(), 1);
    if (visual)
        setenv("VISUAL", oldVisual.c_str(), 1);
    else
        unsetenv("VISUAL");
    std::vector<std::string> expected = {"File Error|Cannot start lpr to print the file"};
    EXPECT_EQ(scripted().boxLines(), expected);
}

// A program with a fault at line 20 of a file of the given number of lines.
std::string faultAtLine20(int lines) {
    std::string text = "define main as {\n";
    for (int n = 2; n < 20; ++n)
        text += "  move\n";
    text += "  jump\n";
    for (int n = 21; n < lines; ++n)
        text += "  left\n";
    return text + "}\n";
}

// The character position of column in line (both from 0) of text.
long positionOf(const std::string& text, int column, int line) {
    size_t at = 0;
    for (int n = 0; n < line; ++n)
        at = text.find('\n', at) + 1;
    return static_cast<long>(at) + column;
}

TEST_F(EditorTest, ProgramFaultShowsTheFileWithTheCaretOnTheFaultAndTheLinesAfterInView) {
    std::string text = "define main as {\n  move\n  jump\n  left left left\n}\n";
    restart(tempDir + "/w.sit", writeFile("fault.pnd", text));
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(icon_y, 210) << "nothing ran";
    ASSERT_EQ(scripted().boxes.size(), 1u);
    const Box& box = scripted().boxes[0];
    EXPECT_EQ(box.caption, "Line 3");
    EXPECT_EQ(box.text, "Unknown instruction\njump");
    EXPECT_EQ(box.x, 250);
    EXPECT_EQ(box.y, 130);
    EXPECT_TRUE(subframe->IsShown());
    EXPECT_EQ(subframe->text_window->GetValue(), text);
    EXPECT_EQ(std::string(editFileName), progFile);
    EXPECT_EQ(subframe->GetTitle(), titleFor(progFile));
    long from, to;
    subframe->text_window->GetSelection(&from, &to);
    EXPECT_EQ(from, to);
    // The scanner stands after "jump" (column 6); the caret goes to that column of the fault's
    // line (2, counted from 0), which is marked.
    EXPECT_EQ(from, positionOf(text, 6, 2));
    EXPECT_EQ(subframe->text_window->faultLine(), 2);

    // The view shows the line after the fault's that the box's place leaves in view.
    struct Case {
        int lines, viewLine, y;
    };
    for (Case c : {Case{40, 30, 290}, Case{27, 25, 360}, Case{22, 20, 450}}) {
        SCOPED_TRACE(c.lines);
        std::string longer = faultAtLine20(c.lines);
        restart(tempDir + "/w.sit", writeFile("long.pnd", longer));
        frame->OnMenuCommand(ID_STEP);
        pump(300); // the editor scrolls to the caret before the next restart hides it
        ASSERT_EQ(scripted().boxes.size(), 1u);
        EXPECT_EQ(scripted().boxes[0].caption, "Line 20");
        EXPECT_EQ(scripted().boxes[0].y, c.y);
        subframe->text_window->GetSelection(&from, &to);
        EXPECT_EQ(from, positionOf(longer, 6, 19));
        EXPECT_EQ(subframe->text_window->faultLine(), 19);
        int first = subframe->text_window->GetFirstVisibleLine();
        EXPECT_LE(first, 19);
        EXPECT_LT(c.viewLine, first + subframe->text_window->LinesOnScreen());
        EXPECT_TRUE(firstRun) << "the step was abandoned";
    }
}

} // namespace
