#include "io/inputfil.h"
#include "io/textbuf.h"
#include "io/textfile.h"

#include <cstdlib>
#include <cstring>

InputFile::InputFile(int maxBuf)
    : inFile(nullptr), buf(static_cast<char*>(std::calloc(maxBuf > 1 ? maxBuf : 2, 1))),
      bufCapacity(buf ? (maxBuf > 1 ? maxBuf : 2) : 0), filename{}, currentline(0), eofflag(true) {}

InputFile::~InputFile() {
    close();
    std::free(buf);
}

void InputFile::open(const char* name) {
    close();
    inFile = openTextFile(name);
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
