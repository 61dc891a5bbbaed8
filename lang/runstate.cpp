#include "lang/runstate.h"

#include "lang/filenames.h"

#include <cstring>

bool firstRun = true;
char progFile[80];
static KeptFileName keptProgram(progFile);

bool setFileName(char (&target)[80], const char* name) {
    size_t n = std::strlen(name);
    if (n >= sizeof target) return false;
    std::memcpy(target, name, n + 1);
    return true;
}

bool nameFits(char (&target)[80], const char* name) {
    return setFileName(target, name) || tooLong(name);
}
