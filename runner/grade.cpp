#include "runner/grade.h"

#include "runner/outputcheck.h"
#include "runner/runreport.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Prints the grade line of a program and a fail line for each world it did not pass; the
// worlds it passed.
size_t printGrade(const char* program, const std::vector<TaskWorld>& worlds,
                  const GradedRun* runs) {
    size_t passed = passes(runs, worlds.size());
    std::printf("grade \"%s\" passed %zu of %zu\n", quoted(program).c_str(), passed, worlds.size());
    for (size_t w = 0; w < worlds.size(); ++w)
        if (!runs[w].passed)
            std::printf("  fail \"%s\" %s\n", quoted(worlds[w].name).c_str(),
                        runs[w].reason.c_str());
    return passed;
}

// The reports: a CSV row and a JUnit testcase for each program and world.
bool writeGradeReports(const GradeRequest& request, const std::vector<TaskWorld>& worlds,
                       const std::vector<GradedRun>& results) {
    std::string csv = "program,world,result,steps,reason\n";
    std::vector<JunitSuite> suites;
    for (size_t p = 0; p < request.programs.size(); ++p) {
        suites.push_back({request.programs[p], {}});
        for (size_t w = 0; w < worlds.size(); ++w) {
            const GradedRun& r = results[p * worlds.size() + w];
            csv += csvRow({request.programs[p], worlds[w].name, r.passed ? "pass" : "fail",
                           std::to_string(r.steps), r.reason});
            suites.back().cases.push_back({worlds[w].name, r});
        }
    }
    return writeReports(request.options, csv, suites);
}

} // namespace

int grade(const GradeRequest& request) {
    std::vector<TaskWorld> worlds;
    std::vector<std::string> inputs(request.programs.begin(), request.programs.end());
    int error = readTask(request.task, worlds, &inputs);
    if (!folderUsable("task", request.task, error, worlds.empty(), "world (NAME.sit)")) return 2;
    if (!outputsSafe({request.options.csv, request.options.junit}, inputs)) return 2;
    std::vector<GradeJob> jobs;
    for (size_t p = 0; p < request.programs.size(); ++p)
        for (const TaskWorld& w : worlds)
            jobs.push_back({request.programs[p], &w, p});
    size_t passedAll = 0;
    std::vector<GradedRun> results =
        gradeJobs(jobs, request.programs.size(), request.options,
                  [&](size_t p, const std::vector<GradedRun>& runs) {
                      size_t passed =
                          printGrade(request.programs[p], worlds, &runs[p * worlds.size()]);
                      passedAll += passed == worlds.size() ? 1 : 0;
                  });
    std::printf("summary: %zu programs, %zu passed every world\n", request.programs.size(),
                passedAll);
    if (!writeGradeReports(request, worlds, results)) return 2;
    return passedAll == request.programs.size() ? 0 : 1;
}
