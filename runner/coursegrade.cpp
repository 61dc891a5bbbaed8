#include "runner/coursegrade.h"

#include "runner/outputcheck.h"
#include "runner/runreport.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>

namespace {

constexpr size_t MISSING = static_cast<size_t>(-1);

// One student's work: for each task, the index of its first run, or MISSING.
struct Student {
    const char* name; // as given
    std::vector<size_t> firstRun;
};

bool readableFolder(const char* path) {
    DIR* dir = opendir(path);
    if (dir) closedir(dir);
    return dir != nullptr;
}

std::string programOf(const char* student, const CourseTask& task) {
    return std::string(student) + "/" + task.name + ".pnd";
}

// The runs of every program that is there, grouped by student; every program's path (there or
// not) is an input.
std::vector<GradeJob> courseJobs(const CourseRequest& request, const std::vector<CourseTask>& tasks,
                                 std::vector<Student>& students, std::vector<std::string>& inputs) {
    std::vector<GradeJob> jobs;
    for (size_t s = 0; s < request.students.size(); ++s) {
        const char* name = request.students[s];
        bool readable = readableFolder(name);
        students.push_back({name, {}});
        for (const CourseTask& task : tasks) {
            std::string program = programOf(name, task);
            inputs.push_back(program);
            struct stat st;
            bool there = readable && stat(program.c_str(), &st) == 0;
            students.back().firstRun.push_back(there ? jobs.size() : MISSING);
            if (!there) continue;
            for (const TaskWorld& w : task.worlds)
                jobs.push_back({program, &w, s});
        }
    }
    return jobs;
}

// Prints the course line of a student and a line for each task not solved; the tasks solved.
size_t printStudent(const Student& student, const std::vector<CourseTask>& tasks,
                    const std::vector<GradedRun>& runs) {
    std::string lines;
    size_t solved = 0;
    for (size_t t = 0; t < tasks.size(); ++t) {
        std::string task = "  task \"" + quoted(tasks[t].name) + "\" ";
        size_t first = student.firstRun[t], worlds = tasks[t].worlds.size();
        if (first == MISSING) {
            lines += task + "missing\n";
            continue;
        }
        size_t passed = passes(&runs[first], worlds);
        if (passed == worlds)
            ++solved;
        else
            lines +=
                task + "passed " + std::to_string(passed) + " of " + std::to_string(worlds) + "\n";
    }
    std::printf("course \"%s\" solved %zu of %zu\n%s", quoted(student.name).c_str(), solved,
                tasks.size(), lines.c_str());
    return solved;
}

// The reports: a CSV row and a JUnit testcase for each student, task and world, and one for
// each task missing.
bool writeCourseReports(const CourseRequest& request, const std::vector<CourseTask>& tasks,
                        const std::vector<Student>& students, const std::vector<GradedRun>& runs) {
    std::string csv = "student,task,world,result,steps,reason\n";
    std::vector<JunitSuite> suites;
    GradedRun missing;
    missing.reason = "missing";
    for (const Student& s : students) {
        suites.push_back({s.name, {}});
        for (size_t t = 0; t < tasks.size(); ++t) {
            const CourseTask& task = tasks[t];
            if (s.firstRun[t] == MISSING) {
                csv += csvRow({s.name, task.name, "", "missing", "0", ""});
                suites.back().cases.push_back({task.name, missing});
                continue;
            }
            for (size_t w = 0; w < task.worlds.size(); ++w) {
                const GradedRun& r = runs[s.firstRun[t] + w];
                csv += csvRow({s.name, task.name, task.worlds[w].name, r.passed ? "pass" : "fail",
                               std::to_string(r.steps), r.reason});
                suites.back().cases.push_back({task.name + "/" + task.worlds[w].name, r});
            }
        }
    }
    return writeReports(request.options, csv, suites);
}

} // namespace

int gradeCourse(const CourseRequest& request) {
    std::vector<CourseTask> tasks;
    std::vector<std::string> inputs;
    int error = readCourse(request.course, tasks, &inputs);
    if (!folderUsable("course", request.course, error, tasks.empty(),
                      "task (a folder holding a world NAME.sit)"))
        return 2;
    std::vector<Student> students;
    std::vector<GradeJob> jobs = courseJobs(request, tasks, students, inputs);
    if (!outputsSafe({request.options.csv, request.options.junit}, inputs)) return 2;
    size_t solvedAll = 0;
    std::vector<GradedRun> runs = gradeJobs(
        jobs, students.size(), request.options, [&](size_t s, const std::vector<GradedRun>& done) {
            solvedAll += printStudent(students[s], tasks, done) == tasks.size() ? 1 : 0;
        });
    std::printf("summary: %zu students, %zu solved every task\n", students.size(), solvedAll);
    if (!writeCourseReports(request, tasks, students, runs)) return 2;
    return solvedAll == students.size() ? 0 : 1;
}
