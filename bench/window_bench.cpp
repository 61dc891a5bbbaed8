// The window program on X11 or on Wayland: start-up, drawing speed of a run, and how it
// answers while a program runs. Prints one "name value unit" line per figure. On Wayland, keys
// are pressed through the X display that the compositor runs in, named by PINDLE_BENCH_KEYS.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/worldview.h"
#include "app/wxui.h"
#include "app/zoom.h"
#include "bench/benchtools.h"
#include "bench/programs.h"
#include "lang/interp.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "app/canvas.h"
#include "app/worldview.h"
#include "app/zoom.h"
#include "world/situation.h"
#include "world/world.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>

namespace {

// Seconds since this process started, from the kernel's record of its start.
double sinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - started;
}

bool onX11() {
    return wxGetDisplayInfo().type == wxDisplayX11;
}

// Waits until the display server has carried out every drawing request sent so far.
void syncDisplay() {
    if (onX11()) XSync(wxGetX11Display(), False);
}

// Runs xdotool on the X display that the Wayland compositor runs in.
void xdotool(const std::string& args) {
    const char* keys = std::getenv("PINDLE_BENCH_KEYS");
    std::string command = std::string("DISPLAY=") + (keys ? keys : ":0") + " xdotool " + args;
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

// Presses and releases Escape through the display server, as a keyboard would.
void pressEscape() {
    if (!onX11()) {
        xdotool("key Escape &");
        return;
    }
    Display* display = wxGetX11Display();
    KeyCode escape = XKeysymToKeycode(display, XK_Escape);
    XTestFakeKeyEvent(display, escape, True, CurrentTime);
    XTestFakeKeyEvent(display, escape, False, CurrentTime);
    XFlush(display);
}

// The real display, counting steps; stops the run after a given number of them.
class BenchUI : public WxUI {
  public:
    long steps = 0;
    long stopAfter = 0;
    void updateStatus() override {
        WxUI::updateStatus();
        if (++steps == stopAfter) requestStop();
    }
    void messageBox(const char* text, const char* caption, int, int) override {
        std::fprintf(stderr, "unexpected box: %s: %s\n", caption, text);
    }
};

BenchUI benchUI;
int paints = 0;

// Runs the loaded program from main until the given number of steps; returns seconds.
double timedRun(long steps) {
    benchUI.steps = 0;
    benchUI.stopAfter = steps;
    auto start = Clock::now();
    frame->Run_Pindle_Program(1);
    syncDisplay();
    return secondsSince(start);
}

int redraws = 0;

// On Wayland the compositor places the window: a click into its world gives it the keys.
void focusByClick() {
    frame->Maximize(true);
    pump(500);
    xdotool("mousemove 300 400 click 1");
    frame->Maximize(false);
    pump(500);
}

void runSpeed(const char* name) {
    timedRun(2000); // warm up: fonts, caches
    redraws = 0;
    setRedrawListener([] { ++redraws; });
    paints = 0;
    double t = timedRun(20000);
    setRedrawListener(nullptr);
    print(name, 20000 / t, "steps/s");
    // Every robot action of the loop (three in four steps) renews the kept picture.
    print("  redraws_per_step", redraws / 20000.0, "");
    print("  screen_pictures_per_s", paints / t, "paints/s");
}

void copyCost() {
    double t = timedRun(20000);
    wxMemoryDC memory(*worldBitmap);
    const int copies = 1000;
    auto start = Clock::now();
    for (int i = 0; i < copies; ++i) {
        wxClientDC dc(frame->canvas);
        dc.Blit(0, 0, 550, 550, &memory, 0, 0);
    }
    syncDisplay();
    double copy = secondsSince(start) / copies;
    print("full_copy_ms", copy * 1000, "ms");
    print("step_ms", t / 20000 * 1000, "ms");
    print("step_per_copy_ratio", (t / 20000) / copy, "(step cost / full copy cost)");
}

// The same Run with the editor showing the program, its next instruction lit as it runs.
void runSpeedZoomed() {
    frame->zoomWorld(300);
    pump(300);
    runSpeed("run_fast_300_percent_steps_per_s");
    frame->zoomWorld(ACTUAL_SIZE);
    pump(300);
}

void runSpeedWithTheMark() {
    EditPindleFile(progFile);
    frame->Raise();
    pump(200);
    timedRun(2000);
    double t = timedRun(20000);
    print("run_fast_marked_steps_per_s", 20000 / t, "steps/s");
    subframe->Show(false);
    pump(100);
}

void escapeLatency() {
    if (!onX11()) focusByClick();
    std::vector<double> latencies;
    for (int i = 0; i < 5; ++i) {
        Clock::time_point pressed;
        wxTimer timer, lost;
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            pressed = Clock::now();
            pressEscape();
        });
        lost.Bind(wxEVT_TIMER, [](wxTimerEvent&) { requestStop(); }); // a key that never came
        timer.StartOnce(300);
        lost.StartOnce(3000);
        benchUI.steps = 0;
        benchUI.stopAfter = -1;
        frame->Run_Pindle_Program(1);
        latencies.push_back(std::chrono::duration<double>(Clock::now() - pressed).count());
    }
    std::sort(latencies.begin(), latencies.end());
    print("escape_to_stopped_ms_median", latencies[2] * 1000, "ms");
    print("escape_to_stopped_ms_max", latencies.back() * 1000, "ms");
}

void repaintsWhileRunning() {
    wxTimer refresher, stopper;
    refresher.Bind(wxEVT_TIMER, [](wxTimerEvent&) { frame->canvas->Refresh(false); });
    stopper.Bind(wxEVT_TIMER, [](wxTimerEvent&) { requestStop(); });
    refresher.Start(5);
    stopper.StartOnce(2000);
    paints = 0;
    benchUI.stopAfter = -1;
    auto start = Clock::now();
    frame->Run_Pindle_Program(1);
    double t = secondsSince(start);
    refresher.Stop();
    print("repaints_per_s_while_running", paints / t, "paints/s");
}

void cpuDuringSlowWait() {
    frame->OnMenuCommand(ID_DELAY_SLOW);
    benchUI.steps = 0;
    benchUI.stopAfter = 4; // the first step waits nothing; three waits of 1.5 s follow
    double cpu = cpuSeconds();
    auto start = Clock::now();
    frame->Run_Pindle_Program(1);
    double wall = secondsSince(start);
    frame->OnMenuCommand(ID_DELAY_FAST);
    print("cpu_during_slow_wait", (cpuSeconds() - cpu) / wall * 100, "% of a core");
}

} // namespace

int main(int argc, char** argv) {
    std::string dir = "/tmp/pindle-bench-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    std::string world = writeFile(dir + "/w.sit", bench::world);
    std::string program = writeFile(dir + "/p.pnd", bench::tightLoop);
    std::string config =
        writeFile(dir + "/pindle.cfg", ("0 0 " + world + " " + program + " 456 540\n").c_str());
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1); // the settings of this run alone
    if (!startWindow(argc, argv, config, benchUI)) return 2;
    frame->canvas->Bind(wxEVT_PAINT, [](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    while (paints == 0) {
        wxTheApp->Yield(true);
        wxMilliSleep(1);
    }
    syncDisplay();
    print("startup_to_first_world_ms", sinceProcessStart() * 1000, "ms");
    pump(200);
    if (!onX11()) focusByClick();
    runSpeed("run_fast_steps_per_s");
    runSpeedZoomed();
    if (onX11()) copyCost();
    runSpeedWithTheMark();
    escapeLatency();
    repaintsWhileRunning();
    cpuDuringSlowWait();
    frame->Destroy();
    wxEntryCleanup();
    std::remove(world.c_str());
    std::remove(program.c_str());
    std::remove(config.c_str());
    rmdir(dir.c_str());
    return 0;
}
