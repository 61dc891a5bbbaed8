#include "world/goal.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "lang/interp.h"
#include "lang/outside.h"
#include "world/world.h"

#include <map>
#include <utility>

Goal taskGoal;

void Goal::clear() {
    loaded = false;
    things.erase();
    robotX = robotY = -1;
    heading = -1;
}

RobotPlace Goal::robot() const {
    RobotPlace place;
    place.placed = robotPlaced(robotX, robotY);
    place.x = robotX / CORNER;
    place.y = robotY / CORNER;
    place.heading = heading;
    return place;
}

RobotPlace robotPlace() {
    RobotPlace place;
    place.placed = robotPlaced(icon_x, icon_y);
    place.x = icon_x / CORNER;
    place.y = icon_y / CORNER;
    place.heading = position & 3;
    return place;
}

RunEnd howRunEnded() {
    if (!STOPPED) return RunEnd::LIMIT;
    return programFinished() && !programFinishedStopped() ? RunEnd::FINISHED : RunEnd::STOPPED;
}

namespace {

// What a corner holds as a goal sees it: its character, or NUL for a wall mark or a space.
char held(char item) {
    return item == ' ' ? '\0' : item;
}

using Corner = std::pair<int, int>;                       // row, then column
using Holdings = std::map<Corner, std::pair<char, char>>; // the goal's and the world's

void collect(const world_struct& grid, Holdings& into, bool isGoal) {
    for (const world_row* r = grid.world; r; r = r->next)
        for (const world_corner* c = r->column; c; c = c->next) {
            char item = held(c->item);
            if (item == '\0') continue;
            auto& pair = into[{r->pos, c->pos}];
            (isGoal ? pair.first : pair.second) = item;
        }
}

bool robotDiffers(const RobotPlace& want, const RobotPlace& got) {
    if (!got.placed) return true;
    if (got.x != want.x || got.y != want.y) return true;
    return want.heading != -1 && want.heading != got.heading;
}

} // namespace

std::vector<GoalDifference> compareWithGoal(const Goal& goal, RunEnd end) {
    std::vector<GoalDifference> out;
    if (end != RunEnd::FINISHED) {
        GoalDifference d;
        d.kind = GoalDifference::END;
        d.end = end;
        out.push_back(d);
    }
    RobotPlace want = goal.robot(), got = robotPlace();
    if (want.placed && robotDiffers(want, got)) {
        GoalDifference d;
        d.kind = GoalDifference::ROBOT;
        d.want = want;
        d.got = got;
        out.push_back(d);
    }
    Holdings holdings;
    collect(goal.things, holdings, true);
    collect(PindlesWorld, holdings, false);
    for (const auto& [corner, items] : holdings) {
        if (items.first == items.second) continue;
        GoalDifference d;
        d.kind = GoalDifference::THING;
        d.y = corner.first;
        d.x = corner.second;
        d.wantThing = items.first;
        d.gotThing = items.second;
        out.push_back(d);
    }
    return out;
}

namespace {

constexpr size_t SHOWN = 3; // differences a verdict names; the rest are counted

std::string cornerWords(int x, int y, bool capital = false) {
    return formatText(capital ? tr("Row %d, column %d") : tr("row %d, column %d"), y, x);
}

std::string thingWords(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u > 0x20 && u < 0x7F) return std::string("'") + c + "'";
    return tr("a character that cannot be shown");
}

std::string placeWords(const RobotPlace& p) {
    std::string words = cornerWords(p.x, p.y);
    if (p.heading >= 0) words += formatText(tr(", facing %s"), tr(headingWord(p.heading)));
    return words;
}

std::string sentence(const GoalDifference& d) {
    switch (d.kind) {
    case GoalDifference::END:
        return d.end == RunEnd::LIMIT ? tr("The program did not end: it took too many steps.")
                                      : tr("The run was stopped before the program finished.");
    case GoalDifference::ROBOT: {
        std::string now = d.got.placed ? formatText(tr("it is on %s"), placeWords(d.got).c_str())
                                       : tr("it is not in the world");
        return formatText(tr("Pindle should stand on %s (%s)."), placeWords(d.want).c_str(),
                          now.c_str());
    }
    case GoalDifference::THING: {
        std::string corner = cornerWords(d.x, d.y, true);
        std::string now = d.gotThing ? formatText(tr("it holds %s"), thingWords(d.gotThing).c_str())
                                     : tr("it holds nothing");
        if (!d.wantThing)
            return formatText(tr("%s should be empty (%s)."), corner.c_str(), now.c_str());
        return formatText(tr("%s should hold %s (%s)."), corner.c_str(),
                          thingWords(d.wantThing).c_str(), now.c_str());
    }
    }
    return "";
}

} // namespace

std::string goalVerdict(const std::vector<GoalDifference>& differences) {
    if (differences.empty()) return tr("Well done: the world is as the goal asks.");
    std::string text = tr("Not yet:");
    for (size_t k = 0; k < differences.size() && k < SHOWN; ++k)
        text += "\n" + sentence(differences[k]);
    if (differences.size() > SHOWN)
        text += formatText(tr("\n...and %d more."), static_cast<int>(differences.size() - SHOWN));
    return text;
}

void tellGoal(RunEnd end) {
    if (!taskGoal.loaded) return;
    std::vector<GoalDifference> differences = compareWithGoal(taskGoal, end);
    dialogs().messageBox(goalVerdict(differences).c_str(),
                         differences.empty() ? tr("Goal reached") : tr("Goal not reached"));
}
