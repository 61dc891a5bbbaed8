#include "app/config.h"

#include "io/textfile.h"
#include "io/wordreader.h"
#include "lang/filenames.h"
#include "lang/outside.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

static char defaultWorld[] = "mountain.sit";
static char defaultProgram[] = "mountain.pnd";
char* w_f = defaultWorld;
char* p_f = defaultProgram;
int k_x = 0, k_y = 0;
int k_w = 456, k_h = 540;
int RUNMODE = 0;

static char configWorld[80];
static char configProgram[80];

// Reads a path field; one that does not fit the program's 80-character file names is passed
// over and the path keeps its value.
static bool readPath(WordReader& in, char (&buf)[80], char*& target) {
    char word[81];
    if (!in.readWord(word, sizeof word)) return false;
    if (std::strlen(word) < sizeof buf) {
        std::strcpy(buf, word);
        target = buf;
    }
    return true;
}

bool readConfig(const char* path) {
    FILE* fp = openTextFile(path);
    if (!fp) return false;
    WordReader in(fp);
    (void)(in.readInt(k_x) && in.readInt(k_y) && readPath(in, configWorld, w_f) &&
           readPath(in, configProgram, p_f) && in.readInt(k_w) && in.readInt(k_h));
    std::fclose(fp);
    return true;
}

static KeptFileName keptWorld(configWorld), keptProgram(configProgram);

// Takes a world (NAME.sit) or a program (NAME.pnd) named on the command line, relative to the
// folder the program started in, in place of the configured one; false for any other name. A
// name that cannot be kept is told in a box.
static bool takeFileArgument(const char* arg, const std::string& startFolder) {
    size_t n = std::strlen(arg);
    bool world = n > 4 && std::strcmp(arg + n - 4, ".sit") == 0;
    bool program = n > 4 && std::strcmp(arg + n - 4, ".pnd") == 0;
    if (!world && !program) return false;
    char here[PATH_MAX];
    bool moved = arg[0] != '/' && (!getcwd(here, sizeof here) || startFolder != here);
    std::string name = moved ? startFolder + "/" + arg : arg;
    char(&buf)[80] = world ? configWorld : configProgram;
    if (takeFileName(buf, name.c_str())) (world ? w_f : p_f) = buf;
    return true;
}

void chooseConfig(int argc, char** argv) {
    struct stat st;
    char start[PATH_MAX];
    std::string startFolder = getcwd(start, sizeof start) ? start : ".";
    if (argc > 1 && takeFileArgument(argv[1], startFolder)) {
        for (int a = 2; a < argc; ++a)
            takeFileArgument(argv[a], startFolder);
    } else if (argc > 1) {
        // A named file that is there but cannot be read is told; a missing one is not.
        if (!readConfig(argv[1]) && lstat(argv[1], &st) == 0)
            dialogs().messageBox("Cannot read this configuration file", argv[1]);
    } else if (readConfig("pindle.cfg")) {
        RUNMODE = 1;
    }
}
