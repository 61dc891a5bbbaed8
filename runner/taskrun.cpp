#include "runner/taskrun.h"

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
