// A task's check in the window: the program on every world of a task as grading runs it, then
// the last world run shown as it ended, and a box that says whether every world reaches its goal
// or which one does not.
#pragma once
#include "world/taskfolder.h"

#include <cstddef>

struct TaskCheck {
    bool solved = false; // every world reached its goal
    size_t world = 0;    // the world shown after: the last one run
};

// Checks the program file on the task's worlds, stopping at the first that fails.
TaskCheck checkWorlds(const CourseTask& task);
