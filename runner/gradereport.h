// The reports of a grading: results, CSV and JUnit XML texts, and writing them to their files.
#pragma once
#include <string>
#include <vector>

// One program's result on one world.
struct GradedRun {
    bool passed = false;
    unsigned long long steps = 0; // 0 for a run that never started
    std::string reason;           // as the fail line gives it; empty for a pass
};

// One program's results, world by world in the task's order.
struct GradedProgram {
    std::string name; // as given on the command line
    std::vector<GradedRun> runs;
    size_t passes() const; // the worlds it passed
};

// One row a program and world under the header program,world,result,steps,reason.
std::string csvReport(const std::vector<std::string>& worlds,
                      const std::vector<GradedProgram>& programs);
// One testsuite a program, one testcase a world, a failure element for each failed world.
std::string junitReport(const std::vector<std::string>& worlds,
                        const std::vector<GradedProgram>& programs);
// Writes text to the file path through a new file beside it renamed over it; false after a
// message on standard error.
bool writeReport(const char* path, const std::string& text);
