// Recording a run as a GIF in the window program: a Fast Run of about 2,000 drawn steps is
// recorded, and the file's size, its frames and the time from the run's last step to the file
// written are printed as "name value unit" lines.
#include "app/ids.h"
#include "app/pindle.h"
#include "app/wxui.h"
#include "bench/benchtools.h"
#include "bench/programs.h"

#include <cstdio>
#include <gif_lib.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The real display, with the GIF's name given to the save selector; notes each step's end.
class BenchUI : public WxUI {
  public:
    std::string gif;
    Clock::time_point lastStep;
    void betweenSteps() override {
        lastStep = Clock::now();
        WxUI::betweenSteps();
    }
    bool chooseSaveFile(const char*, const char*, const char*, std::string& path) override {
        path = gif;
        return true;
    }
    void messageBox(const char* text, const char* caption, int, int) override {
        std::fprintf(stderr, "unexpected box: %s: %s\n", caption, text);
    }
};

BenchUI benchUI;

// The frames of a GIF file, its pixels skipped; -1 when it cannot be read.
long gifFrames(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) return -1;
    long frames = 0;
    GifRecordType record;
    int code = 0;
    GifByteType* block = nullptr;
    while (DGifGetRecordType(gif, &record) == GIF_OK && record != TERMINATE_RECORD_TYPE) {
        bool ok = record == IMAGE_DESC_RECORD_TYPE
                      ? DGifGetImageDesc(gif) == GIF_OK && DGifGetCode(gif, &code, &block) == GIF_OK
                      : DGifGetExtension(gif, &code, &block) == GIF_OK;
        while (ok && block)
            ok = (record == IMAGE_DESC_RECORD_TYPE ? DGifGetCodeNext(gif, &block)
                                                   : DGifGetExtensionNext(gif, &block)) == GIF_OK;
        if (!ok) break;
        if (record == IMAGE_DESC_RECORD_TYPE) ++frames;
    }
    DGifCloseFile(gif, &error);
    return frames;
}

} // namespace

int main(int argc, char** argv) {
    std::string dir = "/tmp/pindle-bench-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    // 38 laps along the world's edge, 52 drawn steps a lap after the first.
    std::string world = writeFile(dir + "/w.sit", bench::world);
    std::string program =
        writeFile(dir + "/p.pnd", "define side as { while (frontClear) move left }\n"
                                  "define lap as { side side side side }\n"
                                  "define tenLaps as { lap lap lap lap lap lap lap lap lap lap }\n"
                                  "define main as { tenLaps tenLaps tenLaps lap lap lap lap lap "
                                  "lap lap lap }\n");
    std::string config =
        writeFile(dir + "/pindle.cfg", "0 0 " + world + " " + program + " 456 540\n");
    benchUI.gif = dir + "/run.gif";
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1); // the settings of this run alone
    if (!startWindow(argc, argv, config, benchUI)) return 2;
    pump(300);
    frame->OnMenuCommand(ID_RECORD_ANIMATION);
    frame->Run_Pindle_Program(1);
    double written = secondsSince(benchUI.lastStep);
    struct stat st;
    if (stat(benchUI.gif.c_str(), &st) != 0) return 1;
    print("gif_frames", gifFrames(benchUI.gif), "frames");
    print("gif_kbytes", st.st_size / 1000.0, "kB");
    print("run_end_to_gif_written_ms", written * 1000, "ms");
    frame->Destroy();
    wxEntryCleanup();
    for (const std::string& file : {world, program, config, benchUI.gif})
        std::remove(file.c_str());
    rmdir(dir.c_str());
    return 0;
}
