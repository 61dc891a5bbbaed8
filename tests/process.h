// Running a program as a process for the tests: arguments in, standard output, standard error
// and the exit status out, with a time limit so that a hang fails instead of blocking.
#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

constexpr int TIMEOUT_SECONDS = 20;
constexpr uid_t NOBODY = 65534;

struct Result {
    std::string out, err;
    int status = -1;   // the exit status, or 128 + the signal that ended the process
    bool hung = false; // killed after TIMEOUT_SECONDS
    long maxRssKb = 0; // the process's peak resident memory
};

struct RunOptions {
    std::string input;            // fed to standard input through a pipe (keep it small)
    bool asNobody = false;        // run as the unprivileged user nobody (the test must be root)
    std::string outTo{}, errTo{}; // a file standard output or error go to instead ("/dev/full")
    bool outToClosedPipe = false; // standard output is a pipe nobody reads, SIGPIPE ignored
    std::string cwd{};            // the folder the program starts in, when not the test's own
};

// A whole file, or "" when it cannot be read.
std::string readAll(const std::string& path);
// Runs program with args, its output caught in files in dir. A sanitizer report exits with 99,
// a status the program never uses.
Result runProcess(const char* program, const std::vector<std::string>& args, const std::string& dir,
                  const RunOptions& opt = {});
