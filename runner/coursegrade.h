// Grading a term's work: every student's program for every task of a course folder, each
// program's runs in processes of their own.
#pragma once
#include "runner/grader.h"

#include <vector>

// What --course is asked to do.
struct CourseRequest {
    const char* course = nullptr;      // the course folder
    std::vector<const char*> students; // the students' folders, in the order given
    GradeOptions options;
};

// Grades every student's STUDENT/TASK.pnd on the worlds of each task and prints a course line
// per student (with a line for each task not solved) in the order given, then the summary,
// and writes the reports. The exit status: 0 when every student solved every task, 1 when
// some did not, 2 when the course cannot be used or a report not written.
int gradeCourse(const CourseRequest& request);
