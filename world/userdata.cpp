#include "world/userdata.h"

#include "world/course.h"
#include "lang/outside.h"
#include "io/textfile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The most of a start.pnd that is copied: as much as the editor takes.
constexpr size_t MAX_START_BYTES = 16 << 20;
const char* const EMPTY_MAIN = "define main as {\n}\n";

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home == '/') return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "/tmp";
}

void tellCannotMake(const std::string& path, const char* why) {
    std::string text = "Your program for this task cannot be kept in\n" + path + "\n" + why;
    dialogs().messageBox(text.c_str(), "Course");
}

// The program a student starts from: the task's start.pnd, or an empty main.
std::string startProgram(const CourseTask& task) {
    std::string start = pathIn(task.path, "start.pnd"), text;
    struct stat st;
    if (lstat(start.c_str(), &st) != 0) return EMPTY_MAIN;
    if (readWholeFile(start.c_str(), MAX_START_BYTES, text) == WholeFile::READ) return text;
    std::string why =
        "The task's start.pnd cannot be read, so your program starts empty:\n" + start;
    dialogs().messageBox(why.c_str(), "Course");
    return EMPTY_MAIN;
}

// Writes text to a new file at path; false (and nothing left) when path exists or the write
// fails, with errno set.
bool writeNewFile(const std::string& path, const std::string& text) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    int error = 0;
    for (size_t at = 0; at < text.size() && !error;) {
        ssize_t n = write(fd, text.data() + at, text.size() - at);
        if (n > 0)
            at += static_cast<size_t>(n);
        else if (n == 0 || errno != EINTR)
            error = n == 0 ? EIO : errno;
    }
    if (close(fd) != 0 && !error) error = errno;
    if (error) {
        unlink(path.c_str());
        errno = error;
    }
    return !error;
}

} // namespace

std::string dataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    return (xdg && *xdg == '/' ? std::string(xdg) : homeFolder() + "/.local/share") + "/pindle";
}

int makeFolders(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

std::string workFile(const std::string& courseFolder, const CourseTask& task) {
    std::string folder = dataFolder() + "/work/" + courseName(courseFolder);
    std::string path = folder + "/" + task.name + ".pnd";
    if (int error = makeFolders(folder)) {
        tellCannotMake(path, std::strerror(error));
        return "";
    }
    struct stat st;
    if (lstat(path.c_str(), &st) == 0) return path;
    if (!writeNewFile(path, startProgram(task)) && errno != EEXIST) {
        tellCannotMake(path, std::strerror(errno));
        return "";
    }
    return path;
}
