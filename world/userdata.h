// The user's own files beside a course: the data folder and the student's program for each task.
// Nothing is ever written into a course folder, which may be read-only.
#pragma once
#include "world/taskfolder.h"

#include <string>

// The folder of Pindle's World's data: $XDG_DATA_HOME/pindle, or ~/.local/share/pindle.
std::string dataFolder();
// The student's program for a task: dataFolder()/work/COURSE/TASK.pnd, COURSE the course's
// name (courseName). The first time it is made from the task's start.pnd, or as an empty main
// when there is none. Empty after a box when it cannot be made.
std::string workFile(const std::string& courseFolder, const CourseTask& task);
