// Grading a task: every program on every world of a task folder, each run in a process of its
// own.
#pragma once
#include "runner/grader.h"

#include <vector>

// What --grade is asked to do.
struct GradeRequest {
    const char* task = nullptr;        // the task folder
    std::vector<const char*> programs; // in the order given
    GradeOptions options;
};

// Grades the programs and prints a grade line per program (with its fail lines) in the order
// given, then the summary, and writes the reports. The exit status: 0 when every program passed
// every world, 1 when some did not, 2 when the task cannot be used or a report not written.
int grade(const GradeRequest& request);
