// The main window as start-up builds it: menus, keys, buttons, and the pictures it draws.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/worldview.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "tests/gui/gui_harness.h"
#include "world/robot.h"
#include "world/world.h"

#include <wx/uiaction.h>

namespace {

struct Item {
    int id;
    const char* label;
    const char* help;
};

void expectItems(wxMenu* menu, const std::vector<Item>& items) {
    ASSERT_NE(menu, nullptr);
    for (const Item& item : items) {
        wxMenuItem* found = menu->FindItem(item.id);
        ASSERT_NE(found, nullptr) << item.label;
        EXPECT_EQ(found->GetItemLabel(), item.label);
        EXPECT_EQ(found->GetHelp(), item.help);
    }
}

using WindowTest = GuiTest;

TEST_F(WindowTest, MenuBarHoldsEveryCommandWithItsLabelAndHelp) {
    ASSERT_EQ(menu_bar->GetMenuCount(), 5u);
    EXPECT_EQ(menu_bar->GetMenuLabel(0), "&Program");
    EXPECT_EQ(menu_bar->GetMenuLabel(1), "&World");
    EXPECT_EQ(menu_bar->GetMenuLabel(2), "&Run");
    EXPECT_EQ(menu_bar->GetMenuLabel(3), "&Tasks");
    EXPECT_EQ(menu_bar->GetMenuLabel(4), "&Help");
    expectItems(program_menu, {{111, "&Edit .pnd file\tCtrl-E", "Edit current program"},
                               {138, "&Load .pnd file\tCtrl-L", "Load program from file"}});
    expectItems(world_menu, {{112, "&Edit .sit file", "Edit world"},
                             {124, "&Load .sit file", "Load world"},
                             {131, "&Reset world", "Reset world"}});
    expectItems(run_menu, {{123, "&Run\tCtrl-R", "Run a Pindle program"},
                           {137, "&Step\tS", "Execute one instruction"},
                           {122, "&Check", "Check a Pindle program"},
                           {129, "&Delay", "Specify Pindle's delay"},
                           {142, "&Stop\tEsc", "Stop the running program"}});
    expectItems(run_delay_menu,
                {{139, "&Slow", "Slow"}, {140, "&Medium", "Medium"}, {141, "&Fast", "Fast"}});
    expectItems(help_menu, {{108, "&About", "About Pindle"},
                            {125, "&Keypress instructions", "Pindle's keypress instructions"},
                            {136, "&Programming language", "Syntax of Pindle's language"}});
    EXPECT_EQ(frame->GetTitle(), "Pindle's World 1.2");
}

TEST_F(WindowTest, FastIsTheOnlyCheckedDelayAtStart) {
    EXPECT_FALSE(run_delay_menu->IsChecked(ID_DELAY_SLOW));
    EXPECT_FALSE(run_delay_menu->IsChecked(ID_DELAY_MEDIUM));
    EXPECT_TRUE(run_delay_menu->IsChecked(ID_DELAY_FAST));
}

TEST_F(WindowTest, EditorIsBuiltHiddenWithItsOwnMenuBar) {
    EXPECT_FALSE(subframe->IsShown());
    ASSERT_EQ(menu_bar2->GetMenuCount(), 4u);
    EXPECT_EQ(menu_bar2->GetMenuLabel(0), "&File");
    EXPECT_EQ(menu_bar2->GetMenuLabel(3), "&Help");
    expectItems(file_menu, {{201, "&New\tCtrl-N", "New"},
                            {202, "&Open\tCtrl-O", "Open"},
                            {203, "&Save\tCtrl-S", "Save"},
                            {205, "Save &as\tCtrl-A", "Save as"},
                            {206, "&Print\tCtrl-P", "Print file"},
                            {207, "&Windows notepad\tCtrl-W", "Notepad"},
                            {204, "&Quit editor\tCtrl-Q", "Quit"}});
    expectItems(edit_help_menu, {{208, "Help with editor\tCtrl-H", "Help"}});
}

TEST_F(WindowTest, ButtonsStandInFiveColumnsWithTheirTags) {
    const char* labels[10] = {"move",  "left", "read", "write", "b1=b2",
                              "b2=b1", "run",  "step", "reset", "define"};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(labels[i]);
        EXPECT_EQ(pn_button[i]->GetLabel(), labels[i]);
        EXPECT_EQ(pn_button[i]->GetPosition(), wxPoint(i / 2 * 50, i % 2 * 25));
        EXPECT_EQ(pn_button[i]->GetSize(), wxSize(50, 25));
        EXPECT_EQ(reinterpret_cast<long>(pn_button[i]->GetClientData()), i + 1);
        EXPECT_EQ(pn_button[i]->GetParent(), frame->panel);
    }
}

TEST_F(WindowTest, LayoutKeepsThePanelsAndStretchesTheCanvas) {
    frame->SetSize(600, 640);
    pump(80);
    int w, h;
    frame->GetClientSize(&w, &h);
    EXPECT_EQ(frame->panel->GetRect(), wxRect(0, 0, 250, 50));
    EXPECT_EQ(frame->status_window->GetRect(), wxRect(250, 0, 200, 50));
    EXPECT_EQ(frame->canvas->GetRect(), wxRect(0, 50, w, h - 50));
    frame->SetSize(456, 540);
    pump(80);
}

TEST_F(WindowTest, PictureHasLabelsGridBorderWallsThingsAndTheRobot) {
    frame->canvas->Refresh();
    pump(80);
    wxImage image = worldImage();
    ASSERT_EQ(image.GetWidth(), 550);
    EXPECT_TRUE(sameColour(pixel(image, 45, 100), *wxBLACK)) << "grid line";
    EXPECT_TRUE(sameColour(pixel(image, 100, 45), *wxBLACK)) << "grid line";
    EXPECT_TRUE(sameColour(pixel(image, 60, 100), *wxWHITE)) << "between grid lines";
    for (int x : {13, 15, 17})
        EXPECT_TRUE(sameColour(pixel(image, x, 200), *wxBLACK)) << "border";
    EXPECT_TRUE(sameColour(pixel(image, 150, 105), *wxRED)) << "wall";
    EXPECT_TRUE(sameColour(pixel(image, 150, 107), *wxRED)) << "wall width";
    bool blue = false;
    for (int y = 161; y < 185; ++y)
        for (int x = 161; x < 175; ++x)
            blue = blue || sameColour(pixel(image, x, y), *wxBLUE);
    EXPECT_TRUE(blue) << "thing";
    // The robot's icon covers corner (7, 7); its cross continues the grid lines.
    EXPECT_TRUE(sameColour(pixel(image, 225, 210), *wxBLACK));
    EXPECT_TRUE(sameColour(pixel(image, 210, 225), *wxBLACK));
    EXPECT_TRUE(sameColour(pixel(image, 212, 212), *wxWHITE));
    bool label = false;
    for (int y = 0; y < 14; ++y)
        for (int x = 11 + 60; x < 11 + 60 + 8; ++x)
            label = label || !sameColour(pixel(image, x, y), *wxWHITE);
    EXPECT_TRUE(label) << "column label 2";
}

TEST_F(WindowTest, KeysMoveTurnAndAreCaseBlind) {
    type("m");
    EXPECT_EQ(icon_y, 6 * 30);
    type("L");
    EXPECT_EQ(position, 1);
    type("M");
    EXPECT_EQ(icon_x, 6 * 30);
    type("l3x9");
    EXPECT_EQ(position, 2);
    EXPECT_EQ(icon_x, 6 * 30);
    EXPECT_TRUE(scripted().boxes.empty());
    EXPECT_EQ(wxWindow::FindFocus(), frame->canvas);
}

TEST_F(WindowTest, ReadShowsTheBoardAndItsArrowInTheStatusPanel) {
    type("mmlmm"); // from (7, 7) up to row 5, then west onto the thing at (5, 5)
    ASSERT_EQ(icon_x, 150);
    ASSERT_EQ(icon_y, 150);
    wxImage before = statusImage();
    type("r");
    wxImage after = statusImage();
    EXPECT_EQ(b1, 'x');
    bool red = false;
    for (int y = 0; y < 15; ++y)
        for (int x = 80; x < 200; ++x)
            red = red || sameColour(pixel(after, x, y), *wxRED);
    EXPECT_TRUE(red) << "the arrow <- WORLD";
    bool changed = false;
    for (int y = 0; y < 15; ++y)
        for (int x = 5; x < 80; ++x)
            changed = changed || !sameColour(pixel(before, x, y), pixel(after, x, y));
    EXPECT_TRUE(changed) << "b1's line";
    type("m"); // the next update shows no arrow
    wxImage later = statusImage();
    bool arrow = false;
    for (int y = 0; y < 15; ++y)
        for (int x = 80; x < 200; ++x)
            arrow = arrow || sameColour(pixel(later, x, y), *wxRED);
    EXPECT_FALSE(arrow);
}

TEST_F(WindowTest, RecordingWithKeysStoresTheLetters) {
    scripted().answers = {"zig"};
    type("d");
    EXPECT_STREQ(macroName, "zig");
    type("mlm");
    type("d");
    ASSERT_GE(findUserInstruc("zig"), 1);
    EXPECT_STREQ(getCodePtr("zig"), "MLM");
    std::vector<std::string> expected = {"zig|Stop definition by pressing 'd'",
                                         "zig|Defined zig as MLM"};
    EXPECT_EQ(scripted().boxLines(), expected);
    EXPECT_EQ(macroName[0], '\0');
}

TEST_F(WindowTest, CtrlRRunsAndCtrlNDoesNothingInTheMainWindow) {
    ctrl('n');
    EXPECT_FALSE(subframe->IsShown());
    ctrl('r');
    EXPECT_EQ(icon_y, 6 * 30);
    EXPECT_EQ(position, 1);
    EXPECT_STREQ(CurrInstrName, "left..done!");
}

TEST_F(WindowTest, MouseClicksOnTheCanvasDoNothing) {
    wxUIActionSimulator sim;
    sim.MouseMove(frame->canvas->ClientToScreen(wxPoint(100, 100)));
    sim.MouseClick();
    pump(40);
    EXPECT_EQ(icon_x, 210);
    EXPECT_EQ(icon_y, 210);
    EXPECT_TRUE(scripted().boxes.empty());
}

} // namespace

namespace {

// Redrawing only what changed gives the same picture as drawing everything again.
TEST_F(GuiTest, RedrawingChangesGivesTheFullPicture) {
    type("mmlmmrllmw"); // walk onto the thing, read it, walk on and write it
    frame->canvas->output();
    b1 = 'Q';
    frame->canvas->move();
    frame->canvas->output();
    frame->canvas->left();
    wxImage kept = worldImage();
    forgetPicture();
    reDraw();
    wxImage full = worldImage();
    ASSERT_EQ(kept.GetWidth(), full.GetWidth());
    int differing = 0;
    for (int y = 0; y < full.GetHeight(); ++y)
        for (int x = 0; x < full.GetWidth(); ++x)
            if (!sameColour(pixel(kept, x, y), pixel(full, x, y))) ++differing;
    EXPECT_EQ(differing, 0);
}

} // namespace
