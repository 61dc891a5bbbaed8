// The main window's status bar: the state the window is in, how a run ended, the menus' help,
// and the world kept whole above it.
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "lang/interp.h"
#include "tests/gui/gui_harness.h"
#include "app/canvas.h"
#include "app/status.h"
#include "world/history.h"

namespace {

std::string barText() {
    return frame->GetStatusBar()->GetStatusText().ToStdString();
}

std::string textDuringRun;
int stepsBeforeEsc = -1; // a step taken with this many left presses Esc

void watchingStep(bool sleep) {
    textDuringRun = barText();
    if (stepsBeforeEsc >= 0 && stepsBeforeEsc-- == 0) requestStop();
    SingleStep(sleep);
}

class WindowStateTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        setStepper(watchingStep);
    }
    void TearDown() override {
        keepHistory(true); // the window's own stepper
        stepsBeforeEsc = -1;
        GuiTest::TearDown();
    }
    // The bar's text after a Run of main's body.
    std::string afterRun(const std::string& body) {
        restart(tempDir + "/w.sit", writeFile("p.pnd", "define main as { " + body + " }\n"));
        textDuringRun.clear();
        frame->OnMenuCommand(ID_RUN);
        EXPECT_EQ(textDuringRun, "Running (Esc stops)") << body;
        return barText();
    }
};

TEST_F(WindowStateTest, TheBarSaysHowEachRunEnded) {
    EXPECT_EQ(afterRun("move left"), "Finished.");
    EXPECT_EQ(afterRun("move move move move move move move"), "Stopped: the way was blocked.");
    EXPECT_EQ(afterRun("move pause move"), "Stopped by a pause.");
    stepsBeforeEsc = 3;
    EXPECT_EQ(afterRun("while (frontClear) { left left left left }"), "Stopped by Esc.");

    // A breakpoint, then Continue to the end; a Step forgets what the bar said.
    restart(tempDir + "/w.sit", writeFile("p.pnd", "define main as {\n  move\n  left\n}\n"));
    frame->OnMenuCommand(ID_EDIT_PROGRAM);
    subframe->text_window->toggleBreakpoint(2);
    frame->OnMenuCommand(ID_RUN);
    EXPECT_EQ(barText().rfind("Stopped at a breakpoint", 0), 0u) << barText();
    frame->OnMenuCommand(ID_CONTINUE);
    EXPECT_EQ(barText(), "Finished.");
    frame->OnMenuCommand(ID_STEP);
    EXPECT_EQ(barText(), "");
}

TEST_F(WindowStateTest, EditingByMouseAndRecordingShowWhileTheyLast) {
    frame->OnMenuCommand(ID_EDIT_BY_MOUSE);
    EXPECT_EQ(barText(), "Editing the world with the mouse");
    frame->OnMenuCommand(ID_EDIT_BY_MOUSE);
    EXPECT_EQ(barText(), "");

    scripted().answers = {"hop"};
    press(10); // define
    EXPECT_EQ(barText(), "Recording a new instruction (d ends it)");
    EXPECT_NE(frame->GetTitle().Find("recording hop"), wxNOT_FOUND);
    type("m");
    type("d");
    EXPECT_EQ(barText(), "");
    EXPECT_EQ(frame->GetTitle(), mainTitle);
}

TEST_F(WindowStateTest, MenusShowTheirHelpAndTheWorldKeepsItsPlaceAboveTheBar) {
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, ID_RUN);
    frame->ProcessWindowEvent(highlight);
    EXPECT_EQ(barText(), "Run a Pindle program");
    for (wxMenu* menu : {program_menu, world_menu, run_menu, run_delay_menu, help_menu})
        for (wxMenuItem* item : menu->GetMenuItems())
            EXPECT_TRUE(item->IsSeparator() || !item->GetHelp().empty()) << item->GetItemLabel();

    // The bar lies under the world: the inside above it is the configured size.
    frame->fitWindowToWorld();
    pump();
    int w, h;
    frame->GetClientSize(&w, &h);
    EXPECT_EQ(wxSize(w, h), wxSize(456, 540));
    EXPECT_EQ(frame->canvas->GetRect(), wxRect(0, PANEL_HEIGHT, 456, 540 - PANEL_HEIGHT));
    EXPECT_GE(frame->GetStatusBar()->GetPosition().y, h);
}

} // namespace
