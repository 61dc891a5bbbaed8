#include "app/coursework.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "app/editor.h"
#include "app/goals.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/settings.h"
#include "app/taskcheck.h"
#include "app/taskpane.h"
#include "app/worldedit.h"
#include "app/wxui.h"
#include "lang/filenames.h"
#include "lang/outside.h"
#include "lang/runstate.h"
#include "world/course.h"
#include "world/progress.h"
#include "world/situation.h"
#include "world/userdata.h"

#include <cstring>
#include <vector>
#include <wx/choice.h>
#include <wx/filename.h>

namespace {

struct OpenCourse {
    std::string folder, name, title;
    std::vector<CourseTask> tasks; // empty while no course is open
    size_t task = 0, world = 0;    // the task open and the world loaded
};
OpenCourse course;

// The folder's absolute path, so that a move of the working folder leaves it valid.
std::string absolute(const std::string& folder) {
    wxFileName dir = wxFileName::DirName(fromText(folder.c_str()));
    dir.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
    return toText(dir.GetPath());
}

// A box that says no course is open; false.
bool courseOpen() {
    if (!course.tasks.empty()) return true;
    dialogs().messageBox(tr("No course is open: choose Tasks > Pindle's course, or Open course..."),
                         tr("Course"));
    return false;
}

// The tasks' titles, with a tick in front of each one solved.
std::vector<std::string> taskLines() {
    std::vector<SolvedTask> progress = readProgress();
    std::vector<std::string> lines;
    for (const CourseTask& t : course.tasks)
        lines.push_back((isSolved(progress, course.name, t.name) ? "\u2713 " : "    ") +
                        taskTitle(t));
    return lines;
}

void showPane() {
    const CourseTask& t = course.tasks[course.task];
    PaneContents c;
    c.title = course.title;
    c.tasks = taskLines();
    c.task = course.task;
    c.words = taskWords(t).html;
    c.folder = t.path;
    for (const TaskWorld& w : t.worlds)
        c.worlds.push_back(w.name);
    taskPane().show(c);
    taskPane().worlds->SetSelection(int(course.world));
}

// Loads a world of the task and its goal, as World > Load .sit file does.
void loadWorld(const TaskWorld& world) {
    if (!takeFileName(worldFile, world.path.c_str()) || !LoadWorldFile(worldFile)) return;
    loadGoalBeside(worldFile);
    firstRun = true;
}

// The editor's changed text saved or let go; false when the user cancelled.
bool editsSettled() {
    if (!keepWorldEditsSafe() || !keepEditsSafe()) return false;
    subframe->text_window->DiscardEdits(); // let go: not asked again
    return true;
}

} // namespace

bool openCourse(const std::string& folder, const std::string& task) {
    if (running) return false;
    std::string path = absolute(folder);
    std::vector<CourseTask> tasks;
    int error = readCourse(path, tasks);
    if (error || tasks.empty()) {
        std::string why =
            error ? formatText(tr("The folder %s cannot be read: %s."), path.c_str(),
                               std::strerror(error))
                  : formatText(tr("The folder %s holds no task: a task is a folder that holds "
                                  "worlds (NAME.sit)."),
                               path.c_str());
        dialogs().messageBox(why.c_str(), tr("Course"));
        return false;
    }
    size_t k = 0;
    while (k < tasks.size() && tasks[k].name != task)
        ++k;
    course = {path, courseName(path), courseTitle(path), tasks, 0, 0};
    openTask(k < tasks.size() ? k : 0);
    return true;
}

void chooseCourse() {
    std::string folder;
    if (dialogs().chooseFolder(tr("Open a course"), course.folder.c_str(), folder))
        openCourse(folder);
}

void openBundledCourse() {
    openCourse(examplesFolder() + "/course");
}

void openTask(size_t k) {
    if (course.tasks.empty() || k >= course.tasks.size()) return;
    const CourseTask& t = course.tasks[k];
    std::string work;
    if (!running && editsSettled()) work = workFile(course.folder, t);
    if (work.empty() || !takeFileName(progFile, work.c_str())) return showPane();
    course.task = k;
    course.world = 0;
    editFileIsProgram = true;
    EditPindleFile(progFile);
    loadWorld(t.worlds[0]);
    showPane();
    saveCourse(course.folder, t.name);
}

void stepTask(int by) {
    if (!courseOpen()) return;
    long k = long(course.task) + by;
    if (k >= 0 && size_t(k) < course.tasks.size()) openTask(size_t(k));
}

void openWorld(size_t k) {
    if (!course.tasks.empty() && !running && keepWorldEditsSafe() &&
        k < course.tasks[course.task].worlds.size()) {
        course.world = k;
        loadWorld(course.tasks[course.task].worlds[k]);
    }
    showPane();
}

void checkTask() {
    if (!courseOpen()) return;
    const CourseTask& t = course.tasks[course.task];
    TaskCheck check = checkWorlds(t);
    course.world = check.world;
    if (check.solved) recordSolved(course.name, t.name);
    showPane();
}

void reopenLastCourse() {
    std::string folder, task;
    // A course that is gone is told once, then forgotten.
    if (savedCourse(folder, task) && !openCourse(folder, task)) saveCourse("", "");
}
