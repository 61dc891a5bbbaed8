#include "world/history.h"

#include "lang/interp.h"
#include "lang/table.h"
#include "world/world.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// What one step or action may change, as it was before.
struct Step {
    char* code;         // the interpreter's next code
    int stackBefore;    // the return stack's size
    int stackLow;       // the least size the step brought it to
    short iconX, iconY; // the robot's place
    char heading, board1, board2, movement, movementShown, stopped;
    char wrote, corner;    // the robot wrote on its corner, which held corner
    unsigned short status; // the status text, as its number among the texts seen
};

bool on = false;
Step* pending = nullptr;    // the record of the step or action in progress, in the ring
unsigned short shownStatus; // the number of the status text a display shows
bool statusShown = false;   // a display shows the status
// The steps, oldest first, in a ring that grows up to HISTORYSTEPS and then lets the oldest go.
std::vector<Step> ring;
size_t first = 0, count = 0;
std::vector<long> popped; // the return-stack entries the steps took off, from poppedFirst on
size_t poppedFirst = 0;

// The status texts seen, each kept once: a run shows few different ones. Recent ones are
// found again by their first characters without a look in the map.
std::vector<std::string> texts;
std::unordered_map<std::string, unsigned short> numbers;
unsigned short recent[64];
constexpr unsigned short NO_TEXT = 0xFFFF; // beyond the texts that can be kept: shown empty

unsigned short textNumber(const char* text) {
    unsigned slot = (static_cast<unsigned char>(text[0]) * 7u +
                     static_cast<unsigned char>(text[0] ? text[1] : 0)) %
                    64u;
    unsigned short n = recent[slot];
    if (n < texts.size() && std::strcmp(texts[n].c_str(), text) == 0) return n;
    auto found = numbers.find(text);
    if (found != numbers.end()) {
        n = found->second;
    } else {
        if (texts.size() >= NO_TEXT) return NO_TEXT;
        n = static_cast<unsigned short>(texts.size());
        texts.emplace_back(text);
        numbers.emplace(text, n);
    }
    recent[slot] = n;
    return n;
}

Step& stepAt(size_t k) {
    size_t at = first + k;
    return ring[at < ring.size() ? at : at - ring.size()];
}

// Makes room for one more step: a larger ring, or the oldest step let go.
void makeRoom() {
    if (count < ring.size()) return;
    if (ring.size() < static_cast<size_t>(HISTORYSTEPS)) {
        std::vector<Step> larger;
        larger.reserve(
            std::min(std::max<size_t>(4096, 2 * ring.size()), static_cast<size_t>(HISTORYSTEPS)));
        for (size_t k = 0; k < count; ++k)
            larger.push_back(stepAt(k));
        larger.resize(larger.capacity());
        ring.swap(larger);
        first = 0;
        return;
    }
    const Step& oldest = ring[first];
    poppedFirst += static_cast<size_t>(oldest.stackBefore - oldest.stackLow);
    if (poppedFirst > popped.size() / 2) {
        popped.erase(popped.begin(), popped.begin() + static_cast<long>(poppedFirst));
        poppedFirst = 0;
    }
    first = first + 1 == ring.size() ? 0 : first + 1;
    --count;
}

// Notes the state before a step or an action in the next record of the ring.
inline void begin() {
    makeRoom();
    Step& s = stepAt(count);
    s.code = CodePtr;
    s.stackBefore = CodeStack.size();
    s.iconX = static_cast<short>(icon_x);
    s.iconY = static_cast<short>(icon_y);
    s.heading = static_cast<char>(position);
    s.board1 = b1;
    s.board2 = b2;
    s.movement = static_cast<char>(bbstate);
    s.movementShown = static_cast<char>(bbstateShown);
    s.stopped = STOPPED;
    s.wrote = 0;
    s.status = statusShown ? shownStatus : textNumber(CurrInstrName);
    pending = &s;
}

// Keeps the noted record, with the return-stack entries the step took off. A step pushes at
// most one entry before it takes any off, so the least size it brought the stack to is the
// smaller of its sizes before and after.
inline void end() {
    Step& s = *pending;
    pending = nullptr;
    s.stackLow = std::min(s.stackBefore, CodeStack.size());
    for (int k = s.stackLow; k < s.stackBefore; ++k)
        popped.push_back(CodeStack.entry(k));
    ++count;
}

} // namespace

void keepHistory(bool keep) {
    on = keep;
    setStepper(on ? recordedStep : nullptr);
    if (!on) clearHistory();
}

void historyStatus(const char* shown) {
    shownStatus = textNumber(shown);
    statusShown = true;
}

void historyBegin() {
    if (on) begin();
}

void historyCornerWritten() {
    if (!pending || pending->wrote || !robotPlaced(icon_x, icon_y)) return;
    pending->wrote = 1;
    pending->corner = PindlesWorld.get(icon_x / CORNER, icon_y / CORNER);
}

void historyEnd() {
    if (pending) end();
}

void recordedStep(bool should_sleep) {
    begin();
    SingleStep(should_sleep);
    end();
}

bool stepBack() {
    if (count == 0) return false;
    const Step& s = stepAt(count - 1);
    if (s.wrote) PindlesWorld.set(s.iconX / CORNER, s.iconY / CORNER, s.corner);
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
    size_t entries = static_cast<size_t>(s.stackBefore - s.stackLow);
    for (size_t k = popped.size() - entries; k < popped.size(); ++k)
        CodeStack.push(popped[k]);
    popped.resize(popped.size() - entries);
    const char* status = s.status == NO_TEXT ? "" : texts[s.status].c_str();
    std::strncpy(CurrInstrName, status, sizeof CurrInstrName - 1);
    CurrInstrName[sizeof CurrInstrName - 1] = '\0';
    --count;
    return true;
}

void clearHistory() {
    count = first = 0;
    popped.clear();
    poppedFirst = 0;
    pending = nullptr;
}

size_t historyBytes() {
    size_t textBytes = 0;
    for (const std::string& t : texts)
        textBytes += t.capacity() + sizeof t;
    return ring.size() * sizeof(Step) + popped.capacity() * sizeof(long) + textBytes;
}

long historySize() {
    return static_cast<long>(count);
}
