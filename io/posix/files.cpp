#include "io/system.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

OpenedFile openForReading(const char* name, bool takePipes) {
    OpenedFile opened;
    int fd = open(name, O_RDONLY | O_CLOEXEC | (takePipes ? 0 : O_NONBLOCK));
    if (fd < 0) return opened;
    struct stat st;
    bool taken =
        fstat(fd, &st) == 0 && (S_ISREG(st.st_mode) || (takePipes && S_ISFIFO(st.st_mode)));
    if (taken) taken = fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    if (taken) opened.fp = fdopen(fd, "r");
    if (!opened.fp) {
        close(fd);
        return opened;
    }
    opened.regular = S_ISREG(st.st_mode);
    opened.size = static_cast<unsigned long long>(st.st_size);
    return opened;
}

std::string workingFolder() {
    char here[PATH_MAX];
    return getcwd(here, sizeof here) ? here : "";
}

std::string realFolder(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    std::string out = real ? real : "";
    std::free(real);
    return out;
}

bool changeFolder(const std::string& path) {
    return chdir(path.c_str()) == 0;
}

FileKind fileKind(const std::string& path, bool followLinks) {
    struct stat st;
    if ((followLinks ? stat(path.c_str(), &st) : lstat(path.c_str(), &st)) != 0)
        return FileKind::NONE;
    if (S_ISREG(st.st_mode)) return FileKind::REGULAR;
    return S_ISDIR(st.st_mode) ? FileKind::FOLDER : FileKind::OTHER;
}

int listFolder(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return errno;
    errno = 0;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    int error = errno;
    closedir(dir);
    return error;
}

int makeFolders(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at < folder.size() && folder[at] != '/') continue;
        std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    FileKind kind = fileKind(folder);
    if (kind == FileKind::NONE) return errno;
    return kind == FileKind::FOLDER ? 0 : ENOTDIR;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home == '/') return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "/tmp";
}

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

std::string moveAside(const std::string& path, const std::string& suffix) {
    for (int n = 1; n < 100; ++n) {
        std::string name = path + suffix + (n > 1 ? "." + std::to_string(n) : "");
        if (link(path.c_str(), name.c_str()) == 0) {
            unlink(path.c_str());
            return name;
        }
        if (errno != EEXIST) break;
    }
    std::string name = path + suffix;
    return rename(path.c_str(), name.c_str()) == 0 ? name : "";
}

FileLock::FileLock(const std::string& path) {
    fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    while (fd >= 0 && flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FileLock::~FileLock() {
    if (fd >= 0) close(fd);
}
