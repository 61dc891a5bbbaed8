#include "io/textfile.h"

#include "io/system.h"

static bool pipesTaken = false;

void readPipes(bool allow) {
    pipesTaken = allow;
}

FILE* openTextFile(const char* name) {
    return openForReading(name, pipesTaken).fp;
}

WholeFile readWholeFile(const char* name, size_t limit, std::string& bytes) {
    OpenedFile file = openForReading(name, pipesTaken);
    if (!file.fp) return WholeFile::CANNOT_READ;
    if (!file.regular || file.size > limit) {
        std::fclose(file.fp);
        return file.regular ? WholeFile::TOO_LARGE : WholeFile::CANNOT_READ;
    }
    std::string text;
    char chunk[65536];
    size_t n = 0;
    // A file that grows while it is read is cut at the limit rather than read without end.
    while (text.size() <= limit && (n = std::fread(chunk, 1, sizeof chunk, file.fp)) > 0)
        text.append(chunk, n);
    bool failed = std::ferror(file.fp);
    std::fclose(file.fp);
    if (failed) return WholeFile::CANNOT_READ;
    if (text.size() > limit) return WholeFile::TOO_LARGE;
    bytes.swap(text);
    return WholeFile::READ;
}
