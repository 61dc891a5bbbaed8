// Pictures and animations of the world from the window: a PNG of the world picture and a GIF
// of a run.
#include "app/animation.h"
#include "app/canvas.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "tests/gui/gui_harness.h"
#include "world/world.h"

#include <cstring>

#include <gif_lib.h>

namespace {

std::string barText() {
    return frame->GetStatusBar()->GetStatusText().ToStdString();
}

// A GIF file as giflib reads it back: each frame drawn over the ones before.
struct ReadGif {
    int frames = -1;
    std::vector<int> delays; // centiseconds
    std::vector<wxRect> boxes;
    bool loops = false; // the extension that repeats it for ever
    wxImage last;       // the picture after the last frame

    explicit ReadGif(const std::string& path) {
        int error = 0;
        GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
        if (!gif || DGifSlurp(gif) != GIF_OK) return;
        frames = gif->ImageCount;
        last.Create(gif->SWidth, gif->SHeight);
        for (int i = 0; i < frames; ++i) {
            const SavedImage& frame = gif->SavedImages[i];
            GraphicsControlBlock control;
            DGifSavedExtensionToGCB(gif, i, &control);
            delays.push_back(control.DelayTime);
            const GifImageDesc& d = frame.ImageDesc;
            boxes.emplace_back(d.Left, d.Top, d.Width, d.Height);
            for (int j = 0; j < d.Width * d.Height; ++j) {
                GifColorType c = gif->SColorMap->Colors[frame.RasterBits[j]];
                last.SetRGB(d.Left + j % d.Width, d.Top + j / d.Width, c.Red, c.Green, c.Blue);
            }
            for (int e = 0; e < frame.ExtensionBlockCount; ++e) {
                const ExtensionBlock& b = frame.ExtensionBlocks[e];
                if (b.ByteCount == 11 && std::memcmp(b.Bytes, "NETSCAPE2.0", 11) == 0) {
                    const ExtensionBlock& count = frame.ExtensionBlocks[e + 1];
                    loops = count.Bytes[0] == 1 && count.Bytes[1] == 0 && count.Bytes[2] == 0;
                }
            }
        }
        DGifCloseFile(gif, &error);
    }
};

bool hasInk(const wxImage& image, const wxRect& line) {
    for (int y = line.y; y < line.GetBottom() + 1; ++y)
        for (int x = line.x; x < line.GetRight() + 1; ++x)
            if (!sameColour(wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)),
                            *wxWHITE))
                return true;
    return false;
}

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

TEST_F(PictureWindowTest, TheSavedPngHoldsThePixelsOfTheWorldPictureCroppedToItsDrawing) {
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
    wxRect all(saved.GetSize());
    // Whole up to the border and the labels of corner 14, with no blank margin beyond them.
    EXPECT_GT(all.width, 438);
    EXPECT_LT(all.width, 460);
    EXPECT_TRUE(hasInk(saved, wxRect(all.width - 1, 0, 1, all.height)));
    EXPECT_TRUE(hasInk(saved, wxRect(0, all.height - 1, all.width, 1)));
    EXPECT_FALSE(hasInk(worldImage(), wxRect(all.width, 0, 550 - all.width, 550)));
    EXPECT_EQ(differingPixels(saved, worldImage().GetSubImage(all)), 0);
    EXPECT_EQ(barText().rfind("Saved world.png (", 0), 0u) << barText();

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

TEST_F(PictureWindowTest, ARecordedRunHasAFramePerDrawnStepOfItsChangesEndingOnTheWorld) {
    EXPECT_EQ(run_menu->FindItem(ID_RECORD_ANIMATION)->GetItemLabel(), "Record &animation...");
    const std::string gif = tempDir + "/run.gif";
    record(gif);
    EXPECT_TRUE(animationPending());
    frame->OnMenuCommand(ID_RUN); // move, left: the first picture and two frames
    EXPECT_FALSE(animationPending());
    ReadGif read(gif);
    ASSERT_EQ(read.frames, 3);
    EXPECT_EQ(read.delays, (std::vector<int>{10, 10, 200})) << "at Fast; the last held 2 s";
    EXPECT_TRUE(read.loops);
    EXPECT_EQ(read.boxes[0], wxRect(read.last.GetSize()));
    EXPECT_TRUE(wxRect(210, 180, 32, 62).Contains(read.boxes[1])) << "the robot's two corners";
    EXPECT_TRUE(wxRect(210, 180, 32, 32).Contains(read.boxes[2])) << "the robot turned";
    EXPECT_LT(read.last.GetWidth(), 460);
    // Exact but for a few antialiased pixels of colours beyond the GIF's 256.
    EXPECT_LT(differingPixels(read.last, worldImage().GetSubImage(wxRect(read.last.GetSize()))),
              50);
    EXPECT_EQ(barText().rfind("Finished. Saved run.gif (3 frames, ", 0), 0u) << barText();

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
    EXPECT_EQ(ReadGif(gif).delays, (std::vector<int>{75, 200}));
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

    // The first item outlives every thinning whole.
    EvenSample<std::vector<int>> lists;
    lists.start({0});
    for (int i = 1; i <= last; ++i)
        lists.add([i] { return std::vector<int>{i}; });
    EXPECT_EQ(lists.kept().front(), std::vector<int>{0});
}

} // namespace
