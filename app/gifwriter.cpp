#include "app/gifwriter.h"

#include <algorithm>
#include <gif_lib.h>

namespace {

constexpr std::size_t MOST_COLOURS = 256;

uint32_t rgbKey(const unsigned char* p) {
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

uint32_t distance(uint32_t a, uint32_t b) {
    uint32_t d = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int c = int(a >> shift & 0xff) - int(b >> shift & 0xff);
        d += uint32_t(c * c);
    }
    return d;
}

int centiseconds(int ms) {
    return std::clamp((ms + 5) / 10, 0, 65535);
}

} // namespace

void GifPalette::add(const unsigned char* rgb, std::size_t pixels) {
    std::unordered_map<uint32_t, std::size_t> counts;
    for (std::size_t i = 0; i < pixels; ++i)
        ++counts[rgbKey(rgb + 3 * i)];
    std::vector<std::pair<std::size_t, uint32_t>> byCount;
    for (const auto& [colour, n] : counts)
        if (indices.count(colour) == 0) byCount.emplace_back(n, colour);
    std::sort(byCount.rbegin(), byCount.rend());
    for (std::size_t i = 0; i < byCount.size() && chosen.size() < MOST_COLOURS; ++i) {
        indices[byCount[i].second] = static_cast<unsigned char>(chosen.size());
        chosen.push_back(byCount[i].second);
    }
}

unsigned char GifPalette::index(const unsigned char* rgb) {
    uint32_t colour = rgbKey(rgb);
    auto found = indices.find(colour);
    if (found != indices.end()) return found->second;
    std::size_t best = 0;
    for (std::size_t i = 1; i < chosen.size(); ++i)
        if (distance(colour, chosen[i]) < distance(colour, chosen[best])) best = i;
    return indices[colour] = static_cast<unsigned char>(best);
}

int GifWriter::put(GifFileType* gif, const unsigned char* bytes, int length) {
    static_cast<GifWriter*>(gif->UserData)
        ->out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    return length;
}

GifWriter::GifWriter(int width, int height, const GifPalette& palette) {
    int error = 0;
    gif = EGifOpen(this, put, &error);
    if (!gif) {
        ok = false;
        return;
    }
    EGifSetGifVersion(gif, true);
    const std::vector<uint32_t>& colours = palette.colours();
    int size = 2;
    while (size < static_cast<int>(colours.size()))
        size *= 2;
    std::vector<GifColorType> table(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < colours.size(); ++i)
        table[i] = {GifByteType(colours[i] >> 16), GifByteType(colours[i] >> 8),
                    GifByteType(colours[i])};
    ColorMapObject* map = GifMakeMapObject(size, table.data());
    ok = map && EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    // The application extension that makes viewers loop the animation for ever.
    static const GifByteType netscape[] = "NETSCAPE2.0";
    static const GifByteType forever[] = {1, 0, 0};
    ok = ok && EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, 11, netscape) == GIF_OK &&
         EGifPutExtensionBlock(gif, 3, forever) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

GifWriter::~GifWriter() {
    if (gif) EGifCloseFile(gif, nullptr);
}

void GifWriter::writePending() {
    if (pending.w == 0 || !ok) return;
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, centiseconds(pending.ms),
                                 NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    std::size_t length = EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
             GIF_OK &&
         EGifPutImageDesc(gif, pending.x, pending.y, pending.w, pending.h, false, nullptr) ==
             GIF_OK &&
         EGifPutLine(gif, pending.indices.data(), pending.w * pending.h) == GIF_OK;
    ++written;
    pending.w = 0;
}

void GifWriter::frame(int x, int y, int w, int h, const unsigned char* indices, int ms) {
    writePending();
    pending.x = x;
    pending.y = y;
    pending.w = w;
    pending.h = h;
    pending.ms = ms;
    pending.indices.assign(indices, indices + std::size_t(w) * std::size_t(h));
}

void GifWriter::hold(int ms) {
    pending.ms += ms;
}

bool GifWriter::finish(int lastMs, std::string& bytes) {
    pending.ms = lastMs;
    writePending();
    if (gif) {
        int error = 0;
        ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
        gif = nullptr;
    }
    if (ok) bytes.swap(out);
    return ok;
}
