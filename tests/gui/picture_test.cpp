// Pictures and animations of the world from the window: a PNG of the world picture and a GIF
// of a run.
#include "app/animation.h"
#include "app/canvas.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "tests/gui/gui_harness.h"
#include "world/world.h"

#include <wx/gifdecod.h>
#include <wx/wfstream.h>

namespace {

class PictureWindowTest : public GuiTest {
  protected:
    static int differingPixels(const wxImage& a, const wxImage& b) {
        if (a.GetSize() != b.GetSize()) return -1;
        int n = 0;
        for (int y = 0; y < a.GetHeight(); ++y)
            for (int x = 0; x < a.GetWidth(); ++x)
                if (!sameColour(pixel(a, x, y), pixel(b, x, y))) ++n;
        return n;
    }
    // Chooses the GIF file through Run > Record animation.
    void record(const std::string& file) {
        scripted().saveFiles = {file};
        frame->OnMenuCommand(ID_RECORD_ANIMATION);
    }
};

TEST_F(PictureWindowTest, TheSavedPngHoldsExactlyThePixelsOfTheWorldPicture) {
    EXPECT_EQ(world_menu->FindItem(ID_SAVE_PICTURE)->GetItemLabel(), "Save &picture...");
    frame->canvas->move();
    frame->canvas->left();
    frame->canvas->input(); // nothing here: a box
    scripted().boxes.clear();
    const std::string png = tempDir + "/world.png";
    scripted().saveFiles = {png};
    frame->OnMenuCommand(ID_SAVE_PICTURE);
    EXPECT_TRUE(scripted().boxes.empty());
    wxImage saved;
    ASSERT_TRUE(saved.LoadFile(png, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(differingPixels(saved, worldImage()), 0);

    scripted().saveFiles = {tempDir + "/none/world.png"};
    frame->OnMenuCommand(ID_SAVE_PICTURE);
    ASSERT_EQ(scripted().boxes.size(), 1u);
    EXPECT_EQ(scripted().boxLines()[0],
              "File Error|Cannot write " + tempDir + "/none/world.png: No such file or directory");
}

TEST_F(PictureWindowTest, ARecordingThatCannotBeWrittenIsToldAtOnceNamingItsFile) {
    record(tempDir + "/none/run.gif");
    EXPECT_EQ(scripted().boxLines(),
              std::vector<std::string>{"File Error|Cannot write " + tempDir +
                                       "/none/run.gif: No such file or directory"});
    EXPECT_FALSE(animationPending());
}

TEST_F(PictureWindowTest, ARecordedRunDecodesWithAFramePerDrawnStepEndingOnTheWorldPicture) {
    EXPECT_EQ(run_menu->FindItem(ID_RECORD_ANIMATION)->GetItemLabel(), "Record &animation...");
    const std::string gif = tempDir + "/run.gif";
    record(gif);
    EXPECT_TRUE(animationPending());
    frame->OnMenuCommand(ID_RUN); // move, left: the first picture and two frames
    EXPECT_FALSE(animationPending());
    wxGIFDecoder decoder;
    {
        wxFileInputStream in(gif);
        ASSERT_TRUE(in.IsOk());
        ASSERT_EQ(decoder.LoadGIF(in), wxGIF_OK);
    }
    ASSERT_EQ(decoder.GetFrameCount(), 3u);
    EXPECT_EQ(decoder.GetDelay(1), 100); // at Fast
    wxImage last;
    ASSERT_TRUE(decoder.ConvertToImage(2, &last));
    // Exact but for a few antialiased pixels of colours beyond the GIF's 256.
    EXPECT_LT(differingPixels(last, worldImage()), 50);

    // An execution (e) is recorded too, at the chosen delay; a cancelled one waits.
    restart(tempDir + "/w.sit", writeFile("t.pnd", "define turn as { left }\n"));
    frame->OnMenuCommand(ID_DELAY_MEDIUM);
    record(gif);
    scripted().answers = {"\x18", "turn"};
    frame->canvas->runInstruction();
    EXPECT_TRUE(animationPending());
    frame->canvas->runInstruction();
    EXPECT_FALSE(animationPending());
    frame->OnMenuCommand(ID_DELAY_FAST);
    wxGIFDecoder again;
    wxFileInputStream in(gif);
    ASSERT_EQ(again.LoadGIF(in), wxGIF_OK);
    EXPECT_EQ(again.GetFrameCount(), 2u);
    EXPECT_EQ(again.GetDelay(0), 750);
}

// A long run keeps its first and last pictures and, between them, frames at even intervals.
TEST(EvenSampleTest, ALongSeriesKeepsItsEndsAndEvenIntervalsWithinTheLimit) {
    EvenSample<int> few;
    few.start(0);
    for (int i = 1; i <= 3; ++i)
        few.add([i] { return i; });
    few.finish([] { return -1; });
    EXPECT_EQ(few.kept(), (std::vector<int>{0, 1, 2, 3}));

    EvenSample<int> many;
    many.start(0);
    const int last = 5001;
    for (int i = 1; i <= last; ++i)
        many.add([i] { return i; });
    many.finish([] { return last; });
    const std::vector<int>& kept = many.kept();
    EXPECT_LE(kept.size(), MAX_FRAMES + 2);
    EXPECT_GT(kept.size(), MAX_FRAMES / 2);
    EXPECT_EQ(kept.front(), 0);
    EXPECT_EQ(kept.back(), last);
    for (size_t i = 2; i + 1 < kept.size(); ++i)
        ASSERT_EQ(kept[i] - kept[i - 1], kept[1]) << i;
}

} // namespace
