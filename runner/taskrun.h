// One run as the runner starts it: the goal first when there is one, then the world, then the
// program. Shared by run mode and grading.
#pragma once

// That a run started, or what kept it from starting (NO_FILE: a goal or world file that
// cannot be read).
enum class RunStart { STARTED, NO_FILE, NO_COMPILE, NO_MAIN };

// Loads goalFile into taskGoal when it is not null (taskGoal is emptied first), loads the
// world, compiles the program and checks for its main, then sets the program at its start
// with empty boards. Every box on the way is shown; the first load that fails ends it there.
RunStart startRun(const char* goalFile, const char* world, const char* program);
