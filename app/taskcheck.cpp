#include "app/taskcheck.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "app/goals.h"
#include "app/pindle.h"
#include "app/status.h"
#include "app/worldview.h"
#include "lang/filenames.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "runner/grader.h"
#include "runner/taskrun.h"
#include "world/goal.h"
#include "world/history.h"
#include "world/situation.h"

#include <algorithm>
#include <string>

namespace {

// For the checking runs: no step delay and no history of steps; both come back after.
class QuietRuns {
  public:
    QuietRuns() : delay(delay_factor) {
        delay_factor = 0;
        keepHistory(false);
    }
    ~QuietRuns() {
        delay_factor = delay;
        keepHistory(true);
    }
    QuietRuns(const QuietRuns&) = delete;
    QuietRuns& operator=(const QuietRuns&) = delete;

  private:
    int delay;
};

// The world with names that fit the program's file names: when a path is too long, the task's
// folder becomes the working folder and the names are the files' own. False after a box.
bool fitNames(TaskWorld& world) {
    const std::string& longest = world.goal.size() > world.path.size() ? world.goal : world.path;
    if (longest.size() < 80) return true;
    char scratch[80];
    if (!takeFileName(scratch, longest.c_str())) return false;
    world.path = world.name;
    if (!world.goal.empty()) world.goal = world.goal.substr(world.goal.rfind('/') + 1);
    return true;
}

// The program compiles and has a main; else the fault or the box, as a run shows them.
bool programReady() {
    if (!parse(progFile)) return false;
    if (userMainExists()) return true;
    dialogs().messageBox(tr("No 'main' instruction in program"), "main?");
    return false;
}

// The world as the last run left it, with its goal; a Run starts it anew.
void showEnd() {
    clearBlockedSide();
    forgetPicture();
    loadGoalBeside(worldFile);
    update_status();
    firstRun = true;
}

std::string failure(const CourseTask& task, size_t k, const GradedRun& run) {
    std::string where = formatText(tr("%s, world %d of %d"), task.worlds[k].name.c_str(),
                                   static_cast<int>(k + 1), static_cast<int>(task.worlds.size()));
    if (run.steps == 0)
        return formatText(tr("%s, cannot be checked: %s"), where.c_str(), run.reason.c_str());
    return where + ":\n" + goalVerdict(compareWithGoal(taskGoal, howRunEnded()));
}

} // namespace

TaskCheck checkWorlds(const CourseTask& task) {
    TaskCheck check;
    if (!frame->Reset_Pindle_Program() || !programReady()) return check;
    GradedRun run;
    size_t k = 0;
    {
        QuietRuns quiet;
        for (; k < task.worlds.size(); ++k) {
            TaskWorld world = task.worlds[k];
            if (!fitNames(world)) return check;
            std::string program = progFile; // the working folder may have moved
            run = gradeRun(program.c_str(), world, GradeOptions{}.maxSteps);
            if (!run.passed) break;
        }
    }
    check.solved = k == task.worlds.size();
    check.world = std::min(k, task.worlds.size() - 1);
    std::string failed = check.solved ? "" : failure(task, k, run);
    showEnd();
    if (check.solved)
        dialogs().messageBox(
            formatText(tr("Solved: all %d worlds reach their goal."), static_cast<int>(k)).c_str(),
            tr("Task solved"));
    else
        dialogs().messageBox(failed.c_str(), tr("Goal not reached"));
    return check;
}
