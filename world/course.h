// A course folder as the course shows it: its name, the titles of the course and its tasks, and
// their words as HTML. (Its tasks and their worlds are read by app/taskfolder.h.)
#pragma once
#include "world/taskfolder.h"

#include <cstddef>
#include <string>

// The most of a task.md or course.md that is read.
constexpr size_t MAX_WORDS_BYTES = 1 << 20;

// The course's name: the folder's own name, the last part of its path (of its real path for
// "." and the like). Its students' work and progress are kept under it.
std::string courseName(const std::string& folder);
// The course's title: the first heading of its course.md, else its name.
std::string courseTitle(const std::string& folder);
// A task's title: the first heading of its task.md, else its folder's name.
std::string taskTitle(const CourseTask& task);

// The words of a task or a course as HTML; when they cannot be shown, problem says why in a
// sentence, and html says the same.
struct Words {
    std::string html;
    std::string problem; // empty when the words are shown
};
// The task's task.md.
Words taskWords(const CourseTask& task);
// The course's introduction, its course.md; none (no problem) when it has no course.md.
Words courseWords(const std::string& folder);
