#include "app/runcontrol.h"

#include "app/animation.h"
#include "app/debugger.h"
#include "app/pindle.h"
#include "app/windowstate.h"
#include "world/world.h"

#include <algorithm>
#include <chrono>
#include <wx/app.h>
#include <wx/utils.h>

bool running = false;
static bool stopAsked = false;
static bool closeAsked = false;

using Clock = std::chrono::steady_clock;
static Clock::time_point lastEvents;
// Events are handled between steps at most this often: often enough that each frame the
// screen shows has the latest picture, and rarely enough that the steps dominate.
static constexpr auto SLICE = std::chrono::milliseconds(5);

void requestStop() {
    if (!running) return;
    stopAsked = true;
    STOPPED = true;
}

void closeWhenStopped() {
    requestStop();
    closeAsked = true;
}

bool stopRequested() {
    return stopAsked;
}

RunGuard::RunGuard() {
    running = true;
    stopAsked = false;
    lastEvents = Clock::now();
    showWindowState();
    animationRunStarts();
}

RunGuard::~RunGuard() {
    animationRunEnds();
    running = false;
    showWindowState();
    if (Debugger* d = debugger()) d->showNextInstruction();
    stopAsked = false;
    if (closeAsked && frame) frame->CallAfter([] { frame->Close(); });
    closeAsked = false;
}

void handleEventsNow(bool force) {
    auto now = Clock::now();
    if (!force && now - lastEvents < SLICE) return;
    lastEvents = now;
    if (Debugger* d = debugger()) d->showPendingNext();
    if (wxTheApp) wxTheApp->Yield(true);
}

void waitHandlingEvents(int ms) {
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        handleEventsNow(true);
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (stopAsked || left.count() <= 0) return;
        wxMilliSleep(static_cast<unsigned long>(std::min<long>(left.count(), 10)));
    }
}
