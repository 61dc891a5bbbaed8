// The editor under Xvfb: opening a long program, typing at its end, and showing the fault of a
// very large program. Prints one "name value unit" line per figure.
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/wxui.h"
#include "bench/benchtools.h"
#include "lang/runstate.h"
#include "bench/programs.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Draws what is pending and waits until the display server has drawn it.
void drawNow() {
    subframe->text_window->Update();
    XSync(wxGetX11Display(), False);
}

// The real display; boxes are counted, not shown.
class BenchUI : public WxUI {
  public:
    int boxes = 0;
    void messageBox(const char*, const char*, int, int) override { ++boxes; }
    Answer askYesNoCancel(const char*, const char*) override { return NO; }
};

BenchUI benchUI;

// A program of the given number of lines (and two more): instructions of five lines each,
// with comments, tests and primitives.
std::string longProgram(size_t lines) {
    std::string text;
    for (size_t n = 0; n * 5 < lines; ++n)
        text += "define step" + std::to_string(n) +
                " as {\n  / one more\n  while (frontClear) { move }\n  if (b1 == 'x') left else "
                "b2=b1\n}\n";
    return text + "define main as {\n  step0\n}\n";
}

void openLongProgram(const std::string& dir) {
    std::string program = longProgram(10000);
    std::string name = dir + "/long.pnd";
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        // Each time another text, so that each is put into the editor anew.
        writeFile(name, program + "/ " + std::to_string(i) + "\n");
        editFileName[0] = '\0';
        auto start = Clock::now();
        EditPindleFile(name.c_str());
        subframe->text_window->GotoPos(subframe->text_window->GetLength());
        drawNow();
        times.push_back((secondsSince(start) * 1000));
        pump(100);
    }
    print("editor_lines", subframe->text_window->GetLineCount(), "lines");
    print("editor_open_to_end_ms", *std::min_element(times.begin(), times.end()), "ms");
}

// Presses a letter key through the display server, as a keyboard would.
void pressKey(KeySym key) {
    Display* display = wxGetX11Display();
    KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
}

void typeAtTheEnd() {
    ProgramText* text = subframe->text_window;
    frame->Hide();
    subframe->Raise();
    text->SetFocus();
    pump(300);
    std::vector<double> times;
    double cpu = (cpuSeconds() * 1000);
    for (int i = 0; i < 100; ++i) {
        int length = text->GetLength();
        auto start = Clock::now();
        pressKey(i % 10 == 9 ? XK_space : XK_a);
        while (text->GetLength() == length && (secondsSince(start) * 1000) < 1000)
            wxTheApp->Yield(true);
        drawNow();
        times.push_back((secondsSince(start) * 1000));
    }
    std::sort(times.begin(), times.end());
    print("editor_key_ms_median", times[times.size() / 2], "ms");
    print("editor_key_ms_p90", times[times.size() * 9 / 10], "ms");
    print("editor_key_ms_max", times.back(), "ms");
    print("editor_key_cpu_ms", ((cpuSeconds() * 1000) - cpu) / 100, "ms of CPU a key");
    frame->Show();
}

void faultOfAHugeProgram(const std::string& dir) {
    std::string program;
    while (program.size() < 10 * 1024 * 1024)
        program += "define walk as { move left while (frontClear) { move } }\n";
    program += "define main as { walk jump? }\n";
    std::string name = writeFile(dir + "/huge.pnd", program);
    setFileName(progFile, name.c_str());
    benchUI.boxes = 0;
    auto start = Clock::now();
    frame->OnMenuCommand(ID_CHECK);
    drawNow();
    double ms = (secondsSince(start) * 1000);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    print("editor_huge_fault_ms", ms, "ms");
    print("editor_huge_fault_line", subframe->text_window->faultLine() + 1, "");
    print("editor_peak_mb", usage.ru_maxrss / 1024.0, "MB (whole process)");
    std::remove(name.c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::string dir = "/tmp/pindle-editor-bench-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    std::string world = writeFile(dir + "/w.sit", bench::world);
    std::string program = writeFile(dir + "/p.pnd", bench::tightLoop);
    std::string config =
        writeFile(dir + "/pindle.cfg", "0 0 " + world + " " + program + " 456 540\n");
    if (!startWindow(argc, argv, config, benchUI)) return 2;
    pump(300);
    openLongProgram(dir);
    typeAtTheEnd();
    faultOfAHugeProgram(dir);
    frame->Destroy();
    wxEntryCleanup();
    for (const char* file : {"/w.sit", "/p.pnd", "/pindle.cfg", "/long.pnd"})
        std::remove((dir + file).c_str());
    rmdir(dir.c_str());
    return 0;
}
