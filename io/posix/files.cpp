#include "io/system.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
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
