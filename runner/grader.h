// Grading runs: programs run on worlds, each program's runs in processes of their own, several
// at once, with the results handed back in a fixed order whatever order the runs end in.
#pragma once
#include "runner/gradereport.h"
#include "world/taskfolder.h"

#include <functional>
#include <string>
#include <vector>

// The options every grading takes.
struct GradeOptions {
    unsigned long long maxSteps = 1000000;
    unsigned long long jobs = 0; // runs at once; 0 for one per processor
    const char* csv = nullptr;   // the CSV report's file; null for none
    const char* junit = nullptr; // the JUnit XML report's file; null for none
};

// False after a message on standard error when the kind of folder ("task", "course") could not
// be read (error, an errno) or holds nothing to grade (empty; holdsNo names what it lacks).
bool folderUsable(const char* kind, const char* folder, int error, bool empty, const char* holdsNo);

// Writes the reports that options ask for; false after a message when one cannot be written.
bool writeReports(const GradeOptions& options, const std::string& csv,
                  const std::vector<JunitSuite>& suites);

// One run to grade: a program on a world. Runs are grouped (a group's runs come one after the
// other), and a group's results are handed over together.
struct GradeJob {
    std::string program;
    const TaskWorld* world;
    size_t group;
};

// Called once per group, in group order, as soon as every run of that group and of the groups
// before it has ended (a group of no runs included); results holds the runs ended so far.
using GroupDone = std::function<void(size_t group, const std::vector<GradedRun>& results)>;

// Runs every job as a run with a goal does (without one for a world that has none), each from a
// clean language and world, in child processes (consecutive jobs of one program share one, one
// after another), up to options.jobs processes at once; the results in the order of jobs. A
// process that dies fails its run in progress, and its runs after that go to a new process.
// A SIGTERM, SIGINT or SIGHUP to this process ends every run and removes a report being
// written.
std::vector<GradedRun> gradeJobs(const std::vector<GradeJob>& jobs, size_t groups,
                                 const GradeOptions& options, const GroupDone& groupDone);
