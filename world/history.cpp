#include "world/history.h"

#include "lang/interp.h"
#include "lang/step.h"
#include "lang/table.h"
#include "world/world.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// What one step or action may change, as it was before: 24 bytes.
struct Step {
    int stackBefore;       // the return stack's size
    int stackLow;          // the least size the step brought it to
    unsigned short code;   // the interpreter's next code, as its place in the table
    unsigned short status; // the status text, as its number among the texts seen
    short iconX, iconY;    // the robot's place
    char heading, board1, board2, movement, movementShown;
    char flags;        // the run-stop flag (1), and WROTE
    unsigned char how; // how the step left the status (STEP_ bits)
    char corner;       // what the corner the robot wrote on held
};

constexpr unsigned short NO_CODE = 0xFFFF;    // no next code: the next step starts main
constexpr unsigned short CODE_AWAY = 0xFFFE;  // a code outside the table, kept among the extras
constexpr unsigned short NO_TEXT = 0xFFFF;    // beyond the texts that can be kept: shown empty
constexpr unsigned short AFTER_LAST = 0xFFFE; // the status the step before wrote
constexpr char WROTE = 2;                     // the robot wrote on its corner
constexpr int LOOK_UP = -1;                   // no text's number: CurrInstrName is looked up

// The ring's size when full: the least power of two that holds HISTORYSTEPS steps and the
// LET_GO steps let go at once, a block of the ring.
constexpr size_t LET_GO = 4096;
constexpr size_t fullSize() {
    size_t n = 1;
    while (n < static_cast<size_t>(HISTORYSTEPS) + LET_GO)
        n *= 2;
    return n;
}

bool on = false;
bool acting = false;        // an action of the robot is being noted
unsigned short shownStatus; // the number of the status text a display shows
bool statusShown = false;   // a display shows the status
// The status the next record notes when the step before it kept its own (see begin): a text's
// number, or LOOK_UP.
int nextStatus = LOOK_UP;

// The steps, oldest first, in a ring whose size is a power of two, between a slot that stands
// for the slot before the first (the guard) and one that takes what is written at the ring's
// end; counted from the start, the oldest kept is step oldest. The ring holds one step fewer
// than its size: the step let go last stays, for the status the oldest kept may take from it.
std::vector<Step> ringSlots;
Step* ring = nullptr;
size_t ringMask = 0; // its size less one
size_t oldest = 0;
// The slot of the next step to come, and where begin must make room first (the ring's end, its
// last free slot, or null when something else must be seen to first). The next step is step
// next, counted when the cursor was at cursorFrom.
Step* cursor = nullptr;
Step* roomEnd = nullptr;
Step* cursorFrom = nullptr;
size_t next = 0;
// The record before the next one was written from outside the steps: the next record does not
// take its status from it.
bool chainBroken = true;
// The return-stack entries the steps took off and the codes outside the table they started
// from, in a ring of their own the same way.
std::vector<long> extras;
size_t extrasSize = 0, extrasMask = 0; // its size, and its size less one
size_t extrasOldest = 0, extrasNext = 0;
// Where the extras of the step in the first slot of each block of the ring begin.
std::vector<size_t> blockExtras;

// The instruction table as the steps since it was last written found it: their statuses are
// told from it. Written since, the table is compared with it at the next record.
defined tableCopy[MAXDEFINITIONS];
bool tableWasWritten = true;

// The status texts seen, each kept once: a run shows few different ones. Recent ones are
// found again by their first characters without a look in the map.
std::vector<std::string> texts;
std::unordered_map<std::string, unsigned short> numbers;
unsigned short recent[64];

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
        if (texts.size() >= AFTER_LAST) return NO_TEXT;
        n = static_cast<unsigned short>(texts.size());
        texts.emplace_back(text);
        numbers.emplace(text, n);
    }
    recent[slot] = n;
    return n;
}

Step& stepAt(size_t k) {
    return ring[k & ringMask];
}

// Counts the steps the cursor went past: step next is the cursor's again.
void settle() {
    if (cursor) next += static_cast<size_t>(cursor - cursorFrom);
    cursorFrom = cursor;
}

// The status text the step of record s wrote, told from the code it started at.
std::string statusAfter(const Step& s) {
    const char* code =
        s.code == NO_CODE ? nullptr : reinterpret_cast<const char*>(tableCopy) + s.code;
    return ::statusAfter(code, tableCopy, s.how);
}

// The text of the status the record of step k holds.
std::string statusOf(size_t k) {
    const Step& s = stepAt(k);
    if (s.status == NO_TEXT) return "";
    return s.status == AFTER_LAST ? statusAfter(stepAt(k - 1)) : texts[s.status];
}

// Every record that takes its status from the step before it gets the text itself: the
// table the statuses are told from is about to change.
void fixStatuses() {
    std::unordered_map<unsigned, unsigned short> known; // by the code and how of the step before
    for (size_t k = oldest; k < next; ++k) {
        Step& s = stepAt(k);
        if (s.status != AFTER_LAST) continue;
        const Step& before = stepAt(k - 1);
        unsigned key = before.code * 256u + before.how;
        auto found = known.find(key);
        if (found == known.end())
            found = known.emplace(key, textNumber(statusAfter(before).c_str())).first;
        s.status = found->second;
    }
}

// The table or CurrInstrName was written since the last record: the statuses told from the
// table are fixed if it changed, and it is copied anew.
void tableChanged() {
    tableWasWritten = false;
    chainBroken = true;
    if (std::memcmp(tableCopy, definedTable, sizeof tableCopy) == 0) return;
    fixStatuses();
    std::memcpy(tableCopy, definedTable, sizeof tableCopy);
}

// Something outside the steps happened before the next record: begin looks again first.
void lookAgain() {
    chainBroken = true;
    roomEnd = nullptr;
}

// What the table tells when it or CurrInstrName was written.
void tableWatcher() {
    tableWasWritten = true;
    lookAgain();
}

// A ring twice as large (4096 steps at first), holding the same steps; before the ring is
// full, so no step was let go yet.
void growRing() {
    size_t size = std::max<size_t>(4096, 2 * (ringMask + 1));
    std::vector<Step> larger(size + 2);
    for (size_t k = oldest; k < next; ++k)
        larger[1 + k - oldest] = stepAt(k);
    ringSlots.swap(larger);
    ring = ringSlots.data() + 1;
    ringMask = size - 1;
    blockExtras.resize(size / LET_GO);
    next -= oldest;
    oldest = 0;
}

// Lets the LET_GO oldest steps go, with their extras: a block of the ring.
void letGo() {
    oldest += LET_GO;
    extrasOldest = blockExtras[(oldest & ringMask) / LET_GO];
}

// Before the record of step next when roomEnd says so: the table compared with its copy if it
// was written; room made when the ring is full (a larger ring, or the oldest steps let go);
// the record before marked as keeping its status when the chain of statuses is broken; and the
// next slot where this must be done again found.
[[gnu::cold, gnu::noinline]] void makeRoom() {
    settle();
    if (tableWasWritten) tableChanged();
    if (next - oldest == ringMask) {
        if (ringMask + 1 < fullSize())
            growRing();
        else
            letGo();
    }
    Step& before = stepAt(next - 1); // the step let go last when none is kept
    if (chainBroken) before.how |= STEP_KEPT_STATUS;
    chainBroken = false;
    size_t at = next & ringMask;
    ring[-1].how = next > 0 && at == 0 ? before.how : STEP_KEPT_STATUS;
    if (at % LET_GO == 0) blockExtras[at / LET_GO] = extrasNext;
    cursor = cursorFrom = &ring[at];
    roomEnd = cursor + std::min(oldest + ringMask - next, LET_GO - at % LET_GO);
}

// A ring of extras large enough for needed (1024 at first, else twice as large as needed),
// holding the same extras at the same counts.
[[gnu::cold, gnu::noinline]] void growExtras(size_t needed) {
    std::vector<long> larger(std::max<size_t>(1024, 2 * extrasSize));
    while (larger.size() < needed)
        larger.resize(2 * larger.size());
    for (size_t k = extrasOldest; k < extrasNext; ++k)
        larger[k & (larger.size() - 1)] = extras[k & extrasMask];
    extras.swap(larger);
    extrasSize = extras.size();
    extrasMask = extrasSize - 1;
}

// Room for n more extras.
inline void makeRoomForExtras(size_t n) {
    size_t needed = extrasNext - extrasOldest + n;
    if (needed > extrasSize) growExtras(needed);
}

// NO_CODE for no code, else CODE_AWAY, code being kept among the extras; the next record
// looks its status up, which the step's code cannot tell.
[[gnu::cold, gnu::noinline]] unsigned short placeAway(char* code) {
    if (!code) return NO_CODE;
    makeRoomForExtras(1);
    extras[extrasNext++ & extrasMask] = reinterpret_cast<long>(code);
    lookAgain();
    return CODE_AWAY;
}

// The place of code in the table, or what placeAway makes of it.
inline unsigned short codePlace(char* code) {
    auto at =
        reinterpret_cast<std::uintptr_t>(code) - reinterpret_cast<std::uintptr_t>(definedTable);
    return at < sizeof definedTable ? static_cast<unsigned short>(at) : placeAway(code);
}

// The status the next record notes when it does not take the last step's: the display's, or
// the one stepping back left, or CurrInstrName's.
[[gnu::cold, gnu::noinline]] unsigned short otherStatus() {
    int status = nextStatus;
    nextStatus = LOOK_UP;
    if (statusShown) return shownStatus;
    return status != LOOK_UP ? static_cast<unsigned short>(status) : textNumber(CurrInstrName);
}

// Notes the state before a step or an action in the record at the cursor. Its status is the
// one the step before wrote, unless that step kept the status it found or a display shows it.
inline void begin() {
    if (reinterpret_cast<std::uintptr_t>(cursor) >= reinterpret_cast<std::uintptr_t>(roomEnd))
        makeRoom();
    unsigned short code = codePlace(CodePtr);
    Step& s = *cursor;
    s.code = code;
    s.stackBefore = s.stackLow = CodeStack.size();
    s.iconX = static_cast<short>(icon_x);
    s.iconY = static_cast<short>(icon_y);
    s.heading = static_cast<char>(position);
    s.board1 = b1;
    s.board2 = b2;
    s.movement = static_cast<char>(bbstate);
    s.movementShown = static_cast<char>(bbstateShown);
    s.flags = STOPPED;
    s.status = ((cursor[-1].how & STEP_KEPT_STATUS) | statusShown) ? otherStatus() : AFTER_LAST;
}

// Keeps the return-stack entries the step of record s took off, down to low.
inline void keepTakenOff(Step& s, int low) {
    s.stackLow = low;
    makeRoomForExtras(static_cast<size_t>(s.stackBefore - low));
    long* kept = extras.data();
    size_t at = extrasNext, mask = extrasMask;
    for (int k = low; k < s.stackBefore; ++k)
        kept[at++ & mask] = CodeStack.entry(k);
    extrasNext = at;
}

// Keeps the noted record, with how the step left the status and the return-stack entries it
// took off. A step pushes at most one entry before it takes any off, so the least size it
// brought the stack to is the smaller of its sizes before and after.
inline void end(int how) {
    Step& s = *cursor++;
    s.how = static_cast<unsigned char>(how);
    int after = CodeStack.size();
    if (after < s.stackBefore) keepTakenOff(s, after);
}

} // namespace

void keepHistory(bool keep) {
    on = keep;
    setStepper(on ? recordedStep : nullptr);
    watchTable(on ? tableWatcher : nullptr);
    tableWatcher(); // the table may have been written unwatched
    if (!on) clearHistory();
}

void historyStatus(const char* shown) {
    shownStatus = textNumber(shown);
    statusShown = true;
}

void historyBegin() {
    if (!on) return;
    begin();
    acting = true;
}

void historyCornerWritten() {
    // Outside a record the slot at the cursor is the next record's, which begin writes over.
    if (!on || !cursor || cursor->flags & WROTE || !robotPlaced(icon_x, icon_y)) return;
    cursor->flags |= WROTE;
    cursor->corner = PindlesWorld.get(icon_x / CORNER, icon_y / CORNER);
}

void historyEnd() {
    if (acting) end(STEP_KEPT_STATUS);
    acting = false;
}

void recordedStep(bool should_sleep) {
    begin();
    end(stepOnce(should_sleep));
}

bool stepBack() {
    settle();
    if (next == oldest) return false;
    if (tableWasWritten) tableChanged();
    const Step& s = stepAt(next - 1);
    if (s.flags & WROTE) PindlesWorld.set(s.iconX / CORNER, s.iconY / CORNER, s.corner);
    icon_x = s.iconX;
    icon_y = s.iconY;
    position = s.heading;
    b1 = s.board1;
    b2 = s.board2;
    bbstate = s.movement;
    bbstateShown = s.movementShown;
    STOPPED = s.flags & 1;
    CodeStack.truncate(s.stackLow);
    int entries = s.stackBefore - s.stackLow;
    extrasNext -= static_cast<size_t>(entries);
    for (int k = 0; k < entries; ++k)
        CodeStack.push(extras[(extrasNext + static_cast<size_t>(k)) & extrasMask]);
    if (s.code == CODE_AWAY)
        CodePtr = reinterpret_cast<char*>(extras[--extrasNext & extrasMask]);
    else
        CodePtr = s.code == NO_CODE ? nullptr : reinterpret_cast<char*>(definedTable) + s.code;
    std::string status = statusOf(next - 1);
    std::strncpy(CurrInstrName, status.c_str(), sizeof CurrInstrName - 1);
    CurrInstrName[sizeof CurrInstrName - 1] = '\0';
    nextStatus = textNumber(status.c_str()); // the next record's status, as it was this one's
    --next;
    cursor = cursorFrom = nullptr;
    lookAgain();
    return true;
}

void clearHistory() {
    settle();
    oldest = next = 0;
    extrasOldest = extrasNext = 0;
    cursor = cursorFrom = nullptr;
    lookAgain();
    acting = false;
    nextStatus = LOOK_UP;
}

size_t historyBytes() {
    size_t textBytes = 0;
    for (const std::string& t : texts)
        textBytes += t.capacity() + sizeof t;
    return ringSlots.size() * sizeof(Step) + extrasSize * sizeof(long) + textBytes +
           sizeof tableCopy;
}

long historySize() {
    settle();
    return static_cast<long>(next - oldest);
}
