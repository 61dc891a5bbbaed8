// What a new or a hostile user meets first: files that are not files, labels that must be
// read whole, boxes where they belong, and a recording that shows.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/status.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "tests/gui/gui_harness.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>

namespace {

using Lines = std::vector<std::string>;
using TrustTest = GuiTest;

TEST_F(TrustTest, ReadersOfTheWindowTakeOnlyRegularFiles) {
    std::string fifo = tempDir + "/fifo.pnd";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const std::string text = "define main as { left }\n";
    for (std::string program : {std::string("/dev/zero"), fifo}) {
        SCOPED_TRACE(program);
        // The editor holds another program; compiling the device or pipe neither hangs nor
        // brings the endless text into the editor.
        std::string held = writeFile("held.pnd", text);
        EditPindleFile(held.c_str());
        ASSERT_TRUE(setFileName(progFile, program.c_str()));
        scripted().boxes.clear();
        frame->OnMenuCommand(ID_RUN);
        EXPECT_EQ(scripted().boxLines(), Lines{"Line 0|No such file as\n" + program});
        EXPECT_EQ(subframe->text_window->GetValue(), text);
        EXPECT_FALSE(subframe->text_window->IsModified());
    }
    // A world that is a pipe is a world that cannot be opened.
    std::string world = tempDir + "/fifo.sit";
    ASSERT_EQ(mkfifo(world.c_str(), 0644), 0);
    ASSERT_TRUE(setFileName(worldFile, world.c_str()));
    scripted().boxes.clear();
    LoadWorldFile(worldFile);
    EXPECT_EQ(scripted().boxLines(), Lines{world + "|Cannot open world situation file\n"});
}

TEST_F(TrustTest, AFileTooLargeForTheEditorIsRefusedAndTheEditorKeepsItsFile) {
    std::string held = writeFile("held.pnd", "define main as { left }\n");
    EditPindleFile(held.c_str());
    std::string big = tempDir + "/big.pnd";
    {
        std::ofstream out(big, std::ios::binary);
        std::string line(1023, 'x');
        line += '\n';
        for (int n = 0; n < 17 * 1024; ++n)
            out << line;
    }
    scripted().boxes.clear();
    EditPindleFile(big.c_str());
    EXPECT_EQ(scripted().boxLines(),
              Lines{big + "|This file is too large for the editor (more than 16 MB)"});
    EXPECT_EQ(held, editFileName);
    EXPECT_EQ(subframe->text_window->GetValue(), "define main as { left }\n");
}

TEST_F(TrustTest, ButtonLabelsAndStatusLinesFitWhole) {
    for (wxButton* button : pn_button) {
        wxMemoryDC dc;
        dc.SetFont(button->GetFont());
        wxSize text = dc.GetTextExtent(button->GetLabel());
        wxSize size = button->GetSize();
        EXPECT_EQ(size, wxSize(50, 25));
        EXPECT_LE(text.x, size.x - 4) << button->GetLabel();
        EXPECT_LE(text.y, size.y - 4) << button->GetLabel();
    }
    // The longest third line leaves the panel's right edge blank, and the lines stay apart.
    std::strcpy(CurrInstrName, "WWWWWWWWWWWWWWWWWWWWWWWWWW");
    b1 = 'W';
    bbstate = 1;
    update_status();
    wxImage status = statusImage();
    int width = frame->status_window->GetClientSize().x;
    for (int y = 0; y < 50; ++y)
        for (int x = width - 2; x < 250; ++x)
            ASSERT_TRUE(sameColour(pixel(status, x, y), *wxWHITE)) << "cut at " << x << "," << y;
    wxMemoryDC dc;
    dc.SetFont(*ttyFont);
    EXPECT_LE(dc.GetTextExtent("b1='W'").y, 15);
}

// Takes the place of every box: keeps where it would stand, and answers it.
class WhereBoxesStand : public wxModalDialogHook {
  public:
    std::vector<wxRect> places;

  protected:
    int Enter(wxDialog* dialog) override {
        places.push_back(dialog->GetRect());
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}
};

TEST_F(TrustTest, BoxesStandCentredOnTheScreenOrWhereTheFaultReportPutsThem) {
    WhereBoxesStand hook;
    hook.Register();
    subframe->Show(true);
    subframe->Raise();
    pump();
    WxUI plain;
    plain.messageBox("Path blocked", "move", -1, -1);
    plain.messageBox("Unknown instruction\njump", "Line 3", 250, 130);
    hook.Unregister();
    ASSERT_EQ(hook.places.size(), 2u);
    wxRect screen = wxDisplay(0u).GetGeometry();
    wxPoint centre = hook.places[0].GetPosition() + hook.places[0].GetSize() / 2;
    EXPECT_NEAR(centre.x, screen.width / 2, 2);
    EXPECT_NEAR(centre.y, screen.height / 2, 2);
    EXPECT_EQ(hook.places[1].GetPosition(), wxPoint(250, 130));
}

// Whether the screen shows black at a point of the world canvas (not if another window covers
// it), read from the display itself.
bool blackOnScreen(wxPoint canvasPoint) {
    wxPoint at = frame->canvas->ClientToScreen(canvasPoint);
    std::string cmd = "import -window root -crop 1x1+" + std::to_string(at.x) + "+" +
                      std::to_string(at.y) + " txt:- 2>/dev/null";
    FILE* out = popen(cmd.c_str(), "r");
    std::string text;
    char chunk[256];
    while (out && std::fgets(chunk, sizeof chunk, out))
        text += chunk;
    if (out) pclose(out);
    return text.find("#000000") != std::string::npos;
}

TEST_F(TrustTest, AFaultFoundThroughTheRunButtonLeavesTheEditorOnTopWithTheKeys) {
    // The view's right border, where the editor overlaps the main window.
    const wxPoint border(435, 300);
    ASSERT_TRUE(subframe->GetScreenRect().Contains(frame->canvas->ClientToScreen(border)));
    subframe->Show(true);
    frame->Raise();
    pump(100);
    ASSERT_TRUE(blackOnScreen(border)) << "the main window is not on top";
    ASSERT_TRUE(setFileName(progFile, writeFile("bad.pnd", "define main as { jump }\n").c_str()));
    // A window manager gives the keys back to the window that was active when a box closes.
    scripted().afterBox = [] {
        frame->Raise();
        frame->canvas->SetFocus();
    };
    press(7);
    pump(100);
    EXPECT_EQ(scripted().boxLines(), Lines{"Line 1|Unknown instruction\njump"});
    EXPECT_FALSE(blackOnScreen(border)) << "the editor is behind";
    EXPECT_EQ(wxWindow::FindFocus(), subframe->text_window);
}

TEST_F(TrustTest, TheTitleShowsARecordingWhileItGoesOn) {
    scripted().answers = {"zig"};
    frame->canvas->startKeyboardDefine();
    EXPECT_EQ(frame->GetTitle(), "Pindle's World 1.2 - recording zig (d ends it)");
    worldRobot.left();
    frame->canvas->stop();
    EXPECT_EQ(frame->GetTitle(), "Pindle's World 1.2");
}

// Ends every file selector at once, keeping its style.
class SelectorStyles : public wxModalDialogHook {
  public:
    std::vector<long> styles;

  protected:
    int Enter(wxDialog* dialog) override {
        styles.push_back(dialog->GetWindowStyleFlag());
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

TEST_F(TrustTest, EverySaveAsksBeforeReplacingAFileAndNoOpenDoes) {
    SelectorStyles hook;
    hook.Register();
    WxUI plain;
    std::string path;
    EXPECT_FALSE(plain.chooseSaveFile("Save file", "All files (*.*)|*.*", worldFile, path));
    EXPECT_FALSE(plain.chooseFile("Open file", "All files (*.*)|*.*", worldFile, path));
    hook.Unregister();
    ASSERT_EQ(hook.styles.size(), 2u);
    EXPECT_TRUE(hook.styles[0] & wxFD_OVERWRITE_PROMPT);
    EXPECT_FALSE(hook.styles[1] & wxFD_OVERWRITE_PROMPT);

    // Save world as, Save picture, Record animation and the editor's Save as: the save selector.
    scripted().saveFiles = {"", "", "", ""};
    frame->OnMenuCommand(ID_SAVE_WORLD_AS);
    frame->OnMenuCommand(ID_SAVE_PICTURE);
    frame->OnMenuCommand(ID_RECORD_ANIMATION);
    subframe->OnMenuCommand(ID_EDIT_SAVE_AS);
    ASSERT_EQ(scripted().asked.size(), 4u);
    for (const std::string& asked : scripted().asked)
        EXPECT_EQ(asked.rfind("save ", 0), 0u) << asked;
}

} // namespace
