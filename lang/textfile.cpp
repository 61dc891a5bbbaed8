#include "lang/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static bool pipesTaken = false;

void readPipes(bool allow) {
    pipesTaken = allow;
}

// A descriptor of name open for reading, or -1 when it is not a file the readers take. Unless
// pipes are taken, the open does not wait for a writer (a FIFO is then refused anyway).
static int openTaken(const char* name, struct stat& st) {
    int fd = open(name, O_RDONLY | O_CLOEXEC | (pipesTaken ? 0 : O_NONBLOCK));
    if (fd < 0) return -1;
    bool taken =
        fstat(fd, &st) == 0 && (S_ISREG(st.st_mode) || (pipesTaken && S_ISFIFO(st.st_mode)));
    if (taken) taken = fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    if (!taken) {
        close(fd);
        return -1;
    }
    return fd;
}

FILE* openTextFile(const char* name) {
    struct stat st;
    int fd = openTaken(name, st);
    if (fd < 0) return nullptr;
    FILE* fp = fdopen(fd, "r");
    if (!fp) close(fd);
    return fp;
}

WholeFile readWholeFile(const char* name, size_t limit, std::string& bytes) {
    struct stat st;
    int fd = openTaken(name, st);
    if (fd < 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0) close(fd);
        return WholeFile::CANNOT_READ;
    }
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        close(fd);
        return WholeFile::TOO_LARGE;
    }
    std::string text;
    char chunk[65536];
    ssize_t n = 0;
    // A file that grows while it is read is cut at the limit rather than read without end.
    while (text.size() <= limit && (n = read(fd, chunk, sizeof chunk)) > 0)
        text.append(chunk, static_cast<size_t>(n));
    close(fd);
    if (n < 0) return WholeFile::CANNOT_READ;
    if (text.size() > limit) return WholeFile::TOO_LARGE;
    bytes.swap(text);
    return WholeFile::READ;
}
