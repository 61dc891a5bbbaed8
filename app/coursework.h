// The course open in the window: its tasks and the task open, opened from the Tasks menu or at
// start-up, and each task's check.
#pragma once
#include <cstddef>
#include <string>

// Opens the course in folder at the task named task (its first task when there is none such)
// and keeps it for the next session; false after a box when folder holds no course.
bool openCourse(const std::string& folder, const std::string& task = "");
// Tasks > Open course...: asks for a course folder and opens it.
void chooseCourse();
// Tasks > Pindle's course: the course among the bundled examples.
void openBundledCourse();
// Opens task k of the course: its words, its first world with its goal, and the student's
// program for it.
void openTask(size_t k);
// Tasks > Next task (by 1) and Previous task (by -1).
void stepTask(int by);
// Loads world k of the task open, with its goal.
void openWorld(size_t k);
// Tasks > Check task: the program on every world of the task, and a box that tells the result.
void checkTask();
// Start-up: the course and task open at the end of the last session, when there were any.
void reopenLastCourse();
