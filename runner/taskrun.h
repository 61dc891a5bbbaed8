// One run as the runner starts it: the goal first when there is one, then the world, then the
// program. Shared by run mode and grading; and one graded run, as grading and a task's check
// make it.
#pragma once
#include "world/taskfolder.h"

#include <string>

// That a run started, or what kept it from starting (NO_FILE: a goal or world file that
// cannot be read).
enum class RunStart { STARTED, NO_FILE, NO_COMPILE, NO_MAIN };

// Loads goalFile into taskGoal when it is not null (taskGoal is emptied first), loads the
// world, compiles the program and checks for its main, then sets the program at its start
// with empty boards. Every box on the way is shown; the first load that fails ends it there.
RunStart startRun(const char* goalFile, const char* world, const char* program);

// A program's result on one world.
struct GradedRun {
    bool passed = false;
    unsigned long long steps = 0; // 0 for a run that never started
    std::string reason;           // as the runner's fail line gives it; empty for a pass
};

// Runs the program on the world as a run with its goal does (without one when it has none),
// at most maxSteps steps (0: no limit), with a display that shows nothing and keeps the boxes
// and faults for the reason; the host's display is put back after. The world is left as the
// run ended it.
GradedRun gradeRun(const char* program, const TaskWorld& world, unsigned long long maxSteps);
