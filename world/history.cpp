#include "world/history.h"

#include "lang/interp.h"
#include "lang/table.h"
#include "world/world.h"

#include <cstring>
#include <vector>

namespace {

// What one step or action may change, as it was before.
struct Step {
    char* code;         // the interpreter's next code
    int stackBefore;    // the return stack's size
    int stackLow;       // the least size the step brought it to
    short iconX, iconY; // the robot's place
    char heading, board1, board2, movement, movementShown, stopped;
    char corner; // the item at the robot's corner
    unsigned char statusLength;
};

bool on = false;
bool begun = false;
Step pending;
char pendingStatus[sizeof CurrInstrName];
std::vector<Step> steps;
std::vector<char> statuses; // the status texts, one after another
std::vector<long> popped;   // the return-stack entries the steps took off

bool robotPlaced(int x, int y) {
    return x >= 0 && y >= 0;
}

// Lets the oldest steps go, a large batch at a time so that it costs little per step.
void dropOldest() {
    constexpr size_t batch = HISTORYSTEPS / 10;
    if (steps.size() < HISTORYSTEPS + batch) return;
    size_t statusBytes = 0, entries = 0;
    for (size_t k = 0; k < batch; ++k) {
        statusBytes += steps[k].statusLength;
        entries += steps[k].stackBefore - steps[k].stackLow;
    }
    steps.erase(steps.begin(), steps.begin() + batch);
    statuses.erase(statuses.begin(), statuses.begin() + statusBytes);
    popped.erase(popped.begin(), popped.begin() + entries);
}

} // namespace

void keepHistory(bool keep) {
    on = keep;
    if (!on) clearHistory();
}

void historyBegin() {
    if (!on) return;
    pending.code = CodePtr;
    pending.stackBefore = CodeStack.size();
    pending.iconX = static_cast<short>(icon_x);
    pending.iconY = static_cast<short>(icon_y);
    pending.heading = static_cast<char>(position);
    pending.board1 = b1;
    pending.board2 = b2;
    pending.movement = static_cast<char>(bbstate);
    pending.movementShown = static_cast<char>(bbstateShown);
    pending.stopped = STOPPED;
    pending.corner = robotPlaced(icon_x, icon_y) ? PindlesWorld.get(icon_x / 30, icon_y / 30) : 0;
    size_t length = std::strlen(CurrInstrName);
    pending.statusLength = static_cast<unsigned char>(length);
    std::memcpy(pendingStatus, CurrInstrName, length + 1);
    CodeStack.markLowest();
    begun = true;
}

void historyEnd() {
    if (!on || !begun) return;
    begun = false;
    pending.stackLow = CodeStack.lowest();
    for (int k = pending.stackLow; k < pending.stackBefore; ++k)
        popped.push_back(CodeStack.entry(k));
    statuses.insert(statuses.end(), pendingStatus, pendingStatus + pending.statusLength);
    steps.push_back(pending);
    dropOldest();
}

void recordedStep(bool should_sleep) {
    historyBegin();
    SingleStep(should_sleep);
    historyEnd();
}

bool stepBack() {
    if (steps.empty()) return false;
    const Step& s = steps.back();
    if (robotPlaced(s.iconX, s.iconY) && PindlesWorld.get(s.iconX / 30, s.iconY / 30) != s.corner)
        PindlesWorld.set(s.iconX / 30, s.iconY / 30, s.corner);
    icon_x = s.iconX;
    icon_y = s.iconY;
    position = s.heading;
    b1 = s.board1;
    b2 = s.board2;
    bbstate = s.movement;
    bbstateShown = s.movementShown;
    STOPPED = s.stopped;
    CodePtr = s.code;
    CodeStack.truncate(s.stackLow);
    size_t entries = s.stackBefore - s.stackLow;
    for (size_t k = popped.size() - entries; k < popped.size(); ++k)
        CodeStack.push(popped[k]);
    popped.resize(popped.size() - entries);
    CurrInstrName[0] = '\0';
    if (s.statusLength > 0)
        std::memcpy(CurrInstrName, statuses.data() + statuses.size() - s.statusLength,
                    s.statusLength);
    CurrInstrName[s.statusLength] = '\0';
    statuses.resize(statuses.size() - s.statusLength);
    steps.pop_back();
    return true;
}

void clearHistory() {
    steps.clear();
    statuses.clear();
    popped.clear();
    begun = false;
}

long historySize() {
    return static_cast<long>(steps.size());
}
