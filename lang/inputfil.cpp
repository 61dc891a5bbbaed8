#include "lang/inputfil.h"
#include "lang/textbuf.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

InputFile::InputFile(int maxBuf)
    : inFile(nullptr), buf(static_cast<char*>(std::calloc(maxBuf > 1 ? maxBuf : 2, 1))),
      bufCapacity(buf ? (maxBuf > 1 ? maxBuf : 2) : 0), filename{}, currentline(0), eofflag(true) {}

InputFile::~InputFile() {
    close();
    std::free(buf);
}

// A directory opens as a stream on Linux but cannot be read as text: treat it as missing.
static FILE* openText(const char* name) {
    FILE* fp = std::fopen(name, "r");
    struct stat st;
    if (fp && (fstat(fileno(fp), &st) != 0 || S_ISDIR(st.st_mode))) {
        std::fclose(fp);
        fp = nullptr;
    }
    return fp;
}

void InputFile::open(const char* name) {
    close();
    inFile = openText(name);
    formatCut(filename, sizeof filename, "%s", name);
    currentline = 0;
    eofflag = false;
}

void InputFile::close() {
    if (inFile) std::fclose(inFile);
    inFile = nullptr;
}

bool InputFile::exists() const {
    return inFile != nullptr;
}

char* InputFile::readLn() {
    if (!inFile || bufCapacity < 2) return nullptr;
    if (!std::fgets(buf, bufCapacity, inFile)) {
        eofflag = true;
        return nullptr;
    }
    ++currentline;
    return buf;
}

bool InputFile::eof() const {
    return eofflag;
}
char* InputFile::fileName() {
    return filename;
}
int InputFile::currentLine() const {
    return currentline;
}
