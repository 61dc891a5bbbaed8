// Details of the world picture that a student could miss: a thing under the robot, and the row
// labels of two digits beside the heavy border, in the window and in the saved picture.
#include "app/pindle.h"
#include "tests/gui/gui_harness.h"
#include "app/canvas.h"
#include "view/worlddrawing.h"
#include "app/worldview.h"
#include "app/wxpainter.h"
#include "world/world.h"

#include <algorithm>

namespace {

class WorldLooksTest : public GuiTest {
  protected:
    // The first and last columns of the ink of row k's label, left of the border.
    static std::pair<int, int> labelInk(const wxImage& image, int k) {
        int first = 99, last = -1;
        for (int y = 30 * k + 9; y < 30 * k + 28; ++y)
            for (int x = 0; x < 13; ++x)
                if (pixel(image, x, y) != *wxWHITE) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return {first, last};
    }
};

TEST_F(WorldLooksTest, AThingUnderTheRobotShowsSmallInTheCornerOfItsSquare) {
    restart(writeFile("t.sit", "thing 7,7 q\nthing 5,7 z\npindle 7,7\n"), tempDir + "/p.pnd");
    frame->canvas->Refresh();
    pump(60);
    const wxRect corner(210 + 26, 210 + 18, 6, 14);
    EXPECT_TRUE(holds(worldImage(), corner, *wxBLUE)) << "after the load";
    type("m");
    EXPECT_FALSE(holds(worldImage(), corner, *wxBLUE));
    type("m"); // onto z
    wxImage kept = worldImage();
    forgetPicture();
    reDraw();
    wxImage full = worldImage();
    EXPECT_TRUE(std::equal(kept.GetData(), kept.GetData() + 550 * 550 * 3, full.GetData()))
        << "the kept picture as a full redraw";
}

TEST_F(WorldLooksTest, RowLabelsOfTwoDigitsFitLeftOfTheBorderInTheWindowAndThePicture) {
    frame->canvas->Refresh();
    pump(60);
    for (const wxImage& image : {worldImage(), sceneImage(currentScene())})
        for (int k = 10; k <= 14; ++k) {
            std::pair<int, int> ink = labelInk(image, k);
            EXPECT_LE(ink.first, 1) << k;
            EXPECT_GE(ink.second, 8) << k << ": two digits";
            EXPECT_LE(ink.second, 11) << k << ": clear of the border at 13";
        }
}

} // namespace
