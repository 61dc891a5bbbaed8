// Task and course folders as grading and the course read them: a task's worlds with their
// goals, and a course's tasks, each in the byte order of their names.
#pragma once
#include <string>
#include <vector>

// One world of a task: NAME.sit, with its goal NAME.goal.sit when the folder holds one.
struct TaskWorld {
    std::string name; // the world file's name in the folder
    std::string path; // the folder's path and the name
    std::string goal; // the goal file's path; empty when the world has none
};

// One task of a course: a subfolder that holds at least one world.
struct CourseTask {
    std::string name; // the folder's name
    std::string path; // the course folder's path and the name
    std::vector<TaskWorld> worlds;
};

// The names in folder other than . and .., in byte order. 0, or the errno when the folder
// cannot be read.
int folderNames(const std::string& folder, std::vector<std::string>& names);
// The path of name in folder: one slash between them.
std::string pathIn(const std::string& folder, const std::string& name);
// The worlds of a task folder in the byte order of their names; the paths of all the folder's
// entries are added to files when it is given. 0, or the errno when the folder cannot be read.
int readTask(const std::string& folder, std::vector<TaskWorld>& worlds,
             std::vector<std::string>* files = nullptr);
// The tasks of a course folder in the byte order of their names (a subfolder that cannot be
// read or holds no world is no task); the paths of the course folder's entries and of its
// tasks' are added to files when it is given. 0, or the errno when the folder cannot be read.
int readCourse(const std::string& folder, std::vector<CourseTask>& tasks,
               std::vector<std::string>* files = nullptr);
