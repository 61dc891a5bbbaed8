#include "runner/taskrun.h"

#include "lang/runstate.h"
#include "runner/runreport.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "world/goal.h"
#include "world/situation.h"
#include "world/world.h"

RunStart startRun(const char* goalFile, const char* world, const char* program) {
    static char goalName[80];
    taskGoal.clear();
    if (goalFile && (!nameFits(goalName, goalFile) || !LoadGoalFile(goalName, taskGoal)))
        return RunStart::NO_FILE;
    if (!nameFits(worldFile, world)) return RunStart::NO_FILE;
    if (!LoadWorldFile(worldFile)) return RunStart::NO_FILE;
    if (!nameFits(progFile, program) || !parse(progFile)) return RunStart::NO_COMPILE;
    if (!userMainExists()) {
        dialogs().messageBox("No 'main' instruction in program", "main?");
        return RunStart::NO_MAIN;
    }
    resetInterpreter();
    firstRun = false;
    STOPPED = false;
    return RunStart::STARTED;
}

namespace {

// The display of a graded run: keeps the last box, with the steps taken before it, and the
// first program fault, and shows nothing.
class GradeUI : public PindleUI {
  public:
    void messageBox(const char* text, const char* caption, int, int) override {
        box = "\"" + quoted(caption) + "\" \"" + quoted(text) + "\"";
        boxShown = true;
        boxStep = steps;
    }
    void programFault(const char* file, int line, int column, const char* msg,
                      const char* token) override {
        if (!fault.empty()) return;
        fault = faultFileName(file) + ":" + std::to_string(line) + ":" + std::to_string(column) +
                ": " + oneLine(msg) + " " + oneLine(token);
    }
    void betweenSteps() override { ++steps; }

    std::string box; // "CAPTION" "TEXT", quoted
    bool boxShown = false;
    unsigned long long steps = 0, boxStep = 0;
    std::string fault; // FILE:LINE:COLUMN: MESSAGE TOKEN
};

// The reason a run that started did not pass; empty for a pass.
std::string endReason(RunEnd end, const GradeUI& shown, unsigned long long steps) {
    std::string n = std::to_string(steps);
    if (end == RunEnd::LIMIT) return "limit " + n;
    if (end == RunEnd::STOPPED)
        return shown.boxShown && shown.boxStep + 1 == steps ? "stopped " + shown.box + " step " + n
                                                            : "stopped step " + n;
    if (!taskGoal.loaded) return "";
    std::vector<GoalDifference> differences = compareWithGoal(taskGoal, end);
    return differences.empty() ? "" : "goal " + differenceLine(differences[0]);
}

// The graded run, with shown installed as the display.
GradedRun runShown(GradeUI& shown, const char* program, const TaskWorld& world,
                   unsigned long long maxSteps) {
    GradedRun r;
    RunStart start =
        startRun(world.goal.empty() ? nullptr : world.goal.c_str(), world.path.c_str(), program);
    if (start == RunStart::NO_MAIN)
        r.reason = "nomain";
    else if (start == RunStart::NO_COMPILE && !shown.fault.empty())
        r.reason = "compile " + shown.fault;
    else if (start != RunStart::STARTED)
        r.reason = "error " + shown.box;
    if (start != RunStart::STARTED) return r;
    r.steps = runProgram(maxSteps);
    r.reason = endReason(howRunEnded(), shown, r.steps);
    r.passed = r.reason.empty();
    return r;
}

} // namespace

GradedRun gradeRun(const char* program, const TaskWorld& world, unsigned long long maxSteps) {
    PindleUI& host = ui();
    GradeUI shown;
    setUI(&shown);
    GradedRun r = runShown(shown, program, world, maxSteps);
    setUI(&host);
    return r;
}
