#include "world/userdata.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "io/system.h"
#include "io/textfile.h"
#include "lang/outside.h"
#include "world/course.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// The most of a start.pnd that is copied: as much as the editor takes.
constexpr size_t MAX_START_BYTES = 16 << 20;
const char* const EMPTY_MAIN = "define main as {\n}\n";

void tellCannotMake(const std::string& path, const char* why) {
    std::string text =
        formatText(tr("Your program for this task cannot be kept in\n%s\n%s"), path.c_str(), why);
    dialogs().messageBox(text.c_str(), tr("Course"));
}

// The program a student starts from: the task's start.pnd, or an empty main.
std::string startProgram(const CourseTask& task) {
    std::string start = pathIn(task.path, "start.pnd"), text;
    if (fileKind(start, false) == FileKind::NONE) return EMPTY_MAIN;
    if (readWholeFile(start.c_str(), MAX_START_BYTES, text) == WholeFile::READ) return text;
    std::string why =
        formatText(tr("The task's start.pnd cannot be read, so your program starts empty:\n%s"),
                   start.c_str());
    dialogs().messageBox(why.c_str(), tr("Course"));
    return EMPTY_MAIN;
}

} // namespace

std::string dataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    return (xdg && *xdg == '/' ? std::string(xdg) : homeFolder() + "/.local/share") + "/pindle";
}

std::string workFile(const std::string& courseFolder, const CourseTask& task) {
    std::string folder = dataFolder() + "/work/" + courseName(courseFolder);
    std::string path = folder + "/" + task.name + ".pnd";
    if (int error = makeFolders(folder)) {
        tellCannotMake(path, std::strerror(error));
        return "";
    }
    if (fileKind(path, false) != FileKind::NONE) return path;
    if (!writeNewFile(path, startProgram(task)) && errno != EEXIST) {
        tellCannotMake(path, std::strerror(errno));
        return "";
    }
    return path;
}
