// The reports of a grading: results, CSV and JUnit XML texts, and writing them to their files.
#pragma once
#include "runner/taskrun.h"

#include <string>
#include <vector>

// How many of the n runs passed.
size_t passes(const GradedRun* runs, size_t n);

// One CSV row of the fields, ended by a line feed: a field is quoted as CSV quotes it, and one
// that a spreadsheet would take for a formula gets a ' in front.
std::string csvRow(const std::vector<std::string>& fields);

// One testcase of a JUnit report: its name and its result (a failure names the reason).
struct JunitCase {
    std::string name;
    GradedRun run;
};
// One testsuite: its name, which its cases' classname repeats, and its cases.
struct JunitSuite {
    std::string name;
    std::vector<JunitCase> cases;
};
// The JUnit XML text of the suites, with counts that agree with the cases.
std::string junitReport(const std::vector<JunitSuite>& suites);

// Writes text to the file path through a new file beside it renamed over it; false after a
// message on standard error.
bool writeReport(const char* path, const std::string& text);
