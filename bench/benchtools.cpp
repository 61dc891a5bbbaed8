#include "bench/benchtools.h"

#include "app/pindle.h"
#include "lang/outside.h"
#include "world/robot.h"

#include <cstdio>
#include <fstream>
#include <sys/resource.h>
#include <wx/app.h>
#include <wx/utils.h>

double secondsSince(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double cpuSeconds() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void pump(int ms) {
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        wxTheApp->Yield(true);
        wxMilliSleep(1);
    }
}

void print(const char* name, double value, const char* unit) {
    std::printf("%-28s %12.2f %s\n", name, value, unit);
    std::fflush(stdout);
}

std::string writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

bool startWindow(int argc, char** argv, std::string config, PindleUI& ui) {
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) return false;
    setUI(&ui);
    setRobot(&worldRobot);
    char* args[] = {argv[0], &config[0], nullptr};
    startUp(2, args);
    return true;
}
