// The window on a desktop: the world zoomed and back, keys and the mouse at a zoom, Alt and
// Ctrl left to the menus, and the screen showing the kept picture.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/settings.h"
#include "app/worldedit.h"
#include "app/zoom.h"
#include "tests/gui/gui_harness.h"
#include "world/world.h"

#include <wx/uiaction.h>

namespace {

class ZoomTest : public GuiTest {
  protected:
    void TearDown() override {
        endWorldEditing();
        frame->OnMenuCommand(ID_ZOOM_ACTUAL);
        GuiTest::TearDown();
    }
    static void zoomTo(int percent) {
        while (worldZoom() < percent)
            frame->OnMenuCommand(ID_ZOOM_IN);
        pump(100);
        ASSERT_EQ(worldZoom(), percent);
    }
    // Whether the row y of image is black from x1 to x2.
    static bool blackRow(const wxImage& image, int y, int x1, int x2) {
        for (int x = x1; x <= x2; ++x)
            if (!sameColour(pixel(image, x, y), *wxBLACK)) return false;
        return true;
    }
};

TEST_F(ZoomTest, TheWorldIsDrawnLargerAndComesBackPixelForPixel) {
    wxImage actual = worldImage();
    frame->OnMenuCommand(ID_ZOOM_OUT);
    EXPECT_EQ(worldZoom(), 100) << "no smaller step";
    zoomTo(200);
    EXPECT_EQ(savedZoom(), 200);
    wxImage large = worldImage();
    ASSERT_EQ(large.GetWidth(), 1100);
    EXPECT_EQ(statusImage().GetWidth(), 500);
    // The top border runs from (15, 15) to (435, 15): twice as long, and 10 pixels thick.
    EXPECT_TRUE(blackRow(large, 30, 30, 870));
    EXPECT_TRUE(blackRow(large, 34, 30, 870));
    EXPECT_GT(frame->GetClientSize().y, 540) << "the window grew to hold the world";

    frame->OnMenuCommand(ID_ZOOM_ACTUAL);
    pump(100);
    EXPECT_EQ(savedZoom(), 100);
    EXPECT_EQ(frame->GetClientSize(), wxSize(456, 540));
    wxImage back = worldImage();
    ASSERT_EQ(back.GetWidth(), actual.GetWidth());
    EXPECT_EQ(memcmp(back.GetData(), actual.GetData(), 550 * 550 * 3), 0);
}

TEST_F(ZoomTest, KeysAndTheMouseWorkAtAZoom) {
    zoomTo(200);
    // The robot stands on (7, 7) facing north; a move brings its picture 60 pixels up.
    wxImage before = worldImage().GetSubImage(wxRect(420, 420, 64, 64));
    type("m");
    ASSERT_EQ(icon_y, 180);
    wxImage after = worldImage().GetSubImage(wxRect(420, 360, 64, 64));
    EXPECT_EQ(memcmp(before.GetData(), after.GetData(), 64 * 64 * 3), 0);

    frame->OnMenuCommand(ID_EDIT_BY_MOUSE);
    ASSERT_TRUE(worldEditing());
    frame->canvas->Scroll(0, 0);
    wxUIActionSimulator sim;
    sim.MouseMove(frame->canvas->ClientToScreen(wxPoint(2 * (30 * 4 + 15) + 8, 2 * (30 * 3 + 15))));
    pump(30);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    pump(40);
    EXPECT_EQ(icon_x, 120);
    EXPECT_EQ(icon_y, 90);
}

TEST_F(ZoomTest, TheEditorZoomsItsOwnText) {
    subframe->Show(true);
    subframe->OnMenuCommand(ID_ZOOM_IN);
    EXPECT_GT(subframe->text_window->GetZoom(), 0);
    EXPECT_EQ(worldZoom(), 100);
    subframe->OnMenuCommand(ID_ZOOM_ACTUAL);
    EXPECT_EQ(subframe->text_window->GetZoom(), 0);
}

TEST_F(ZoomTest, AltCtrlAndMetaLettersAreLeftToTheMenus) {
    for (int modifier : {wxMOD_ALT, wxMOD_CONTROL, wxMOD_META}) {
        wxKeyEvent key(wxEVT_CHAR);
        key.m_keyCode = 'w';
        key.SetControlDown(modifier == wxMOD_CONTROL);
        key.SetAltDown(modifier == wxMOD_ALT);
        key.SetMetaDown(modifier == wxMOD_META);
        key.SetEventObject(frame->canvas);
        EXPECT_FALSE(frame->canvas->GetEventHandler()->ProcessEvent(key));
    }
    EXPECT_TRUE(scripted().boxes.empty()) << "no write was tried";
    type("W");
    EXPECT_EQ(scripted().boxes.size(), 1u) << "Shift still writes";
}

// Whether the screen shows, at a point of the world canvas, what the kept picture holds there.
bool screenShowsPicture(wxPoint at) {
    wxPoint screen = frame->canvas->ClientToScreen(at);
    std::string cmd = "import -window root -crop 1x1+" + std::to_string(screen.x) + "+" +
                      std::to_string(screen.y) + " -depth 8 rgb:- 2>/dev/null";
    unsigned char rgb[3] = {1, 2, 3};
    FILE* out = popen(cmd.c_str(), "r");
    if (out) {
        if (std::fread(rgb, 1, 3, out) != 3) rgb[0] = 1;
        pclose(out);
    }
    wxImage image = worldBitmap->ConvertToImage();
    return rgb[0] == image.GetRed(at.x, at.y) && rgb[1] == image.GetGreen(at.x, at.y) &&
           rgb[2] == image.GetBlue(at.x, at.y);
}

TEST_F(ZoomTest, TheScreenShowsEveryMoveWithoutAnotherRepaint) {
    frame->Raise();
    pump(100);
    // The robot's body on (7, 7), then on (7, 6) after a move.
    const wxPoint body(225, 228), above(225, 198);
    ASSERT_TRUE(screenShowsPicture(body));
    type("m");
    pump(100);
    EXPECT_TRUE(screenShowsPicture(body));
    EXPECT_TRUE(screenShowsPicture(above));
}

} // namespace
