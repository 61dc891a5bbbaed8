// Progress through courses: the tasks a student has solved, kept in the data folder's progress
// file, one line a task: the course's name, the task's name and the date solved (YYYY-MM-DD),
// separated by tabs. Every change re-reads the file and merges into it, so that two windows
// open at once keep each other's ticks.
#pragma once
#include <string>
#include <vector>

// One task solved.
struct SolvedTask {
    std::string course, task;
    std::string date; // YYYY-MM-DD
};

// The progress file: dataFolder()/progress.
std::string progressFile();
// The tasks solved as the progress file holds them now; none when there is no file. A damaged
// file is told in a box and kept beside it (progress.damaged, or .damaged.2 and so on), and the
// progress starts afresh.
std::vector<SolvedTask> readProgress();
// True when progress holds the task of the course.
bool isSolved(const std::vector<SolvedTask>& progress, const std::string& course,
              const std::string& task);
// Records the task of the course as solved today (a task solved before keeps its date):
// re-reads the file, adds the task to what it holds and writes it through the safe save.
// False after a box when it cannot be kept.
bool recordSolved(const std::string& course, const std::string& task);
