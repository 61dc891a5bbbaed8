// GIF animations written with giflib: one palette for every frame, each frame a box of palette
// indices drawn over the frames before it, and the whole looping for ever.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct GifFileType;

// Up to 256 colours, and the index of any colour: its own, or the nearest one's.
class GifPalette {
  public:
    // Takes the colours of pixels RGB triples, the most frequent first, after those taken
    // before, while there is room.
    void add(const unsigned char* rgb, std::size_t pixels);
    unsigned char index(const unsigned char* rgb);
    const std::vector<uint32_t>& colours() const { return chosen; } // 0xRRGGBB

  private:
    std::vector<uint32_t> chosen;
    std::unordered_map<uint32_t, unsigned char> indices; // every colour looked up so far
};

// Writes an animation of width x height pixels into memory, frame by frame.
class GifWriter {
  public:
    GifWriter(int width, int height, const GifPalette& palette);
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;
    // The next frame: the box at (x, y) of w x h indices, row by row, shown for ms.
    void frame(int x, int y, int w, int h, const unsigned char* indices, int ms);
    // The frame before shows ms longer.
    void hold(int ms);
    // Ends the animation, its last frame shown for lastMs before it starts again; false when
    // giflib failed.
    bool finish(int lastMs, std::string& bytes);
    long frames() const { return written + (pending.w > 0); }

  private:
    struct Frame {
        int x = 0, y = 0, w = 0, h = 0, ms = 0;
        std::vector<unsigned char> indices;
    };
    GifFileType* gif = nullptr;
    std::string out;
    bool ok = true;
    long written = 0;
    Frame pending; // written when its time is known
    static int put(GifFileType* gif, const unsigned char* bytes, int length);
    void writePending();
};
