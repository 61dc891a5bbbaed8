#include "tests/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Where a standard stream goes: the file named by `to`, or else the file that catches it.
static int openOutput(const std::string& to, const std::string& catcher) {
    return open((to.empty() ? catcher : to).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
}

// The writing end of a pipe whose reading end is closed, with SIGPIPE ignored: writes fail.
static int closedPipe() {
    int p[2];
    if (pipe(p) != 0) return -1;
    close(p[0]);
    std::signal(SIGPIPE, SIG_IGN);
    return p[1];
}

Result runProcess(const char* program, const std::vector<std::string>& args, const std::string& dir,
                  const RunOptions& opt) {
    std::string outPath = dir + "/.stdout", errPath = dir + "/.stderr";
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // A sanitizer report exits with 99, a status the runner never uses.
    std::vector<std::string> env = {"ASAN_OPTIONS=exitcode=99", "UBSAN_OPTIONS=exitcode=99"};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "ASAN_OPTIONS=", 13) && std::strncmp(*e, "UBSAN_OPTIONS=", 14))
            env.push_back(*e);
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(&e[0]);
    envp.push_back(nullptr);

    unlink(outPath.c_str()); // nothing caught from an earlier run
    unlink(errPath.c_str());
    Result r;
    int in[2];
    if (pipe(in) != 0) {
        ADD_FAILURE() << "pipe";
        return r;
    }
    pid_t pid = fork();
    if (pid == 0) {
        int out = opt.outToClosedPipe ? closedPipe() : openOutput(opt.outTo, outPath);
        int err = openOutput(opt.errTo, errPath);
        if (out < 0 || err < 0 || dup2(in[0], 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
            _exit(126);
        close(in[0]);
        close(in[1]);
        if (opt.asNobody &&
            (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0))
            _exit(125);
        if (!opt.cwd.empty() && chdir(opt.cwd.c_str()) != 0) _exit(124);
        execve(program, argv.data(), envp.data());
        _exit(127);
    }
    close(in[0]);
    if (pid < 0) {
        close(in[1]);
        ADD_FAILURE() << "fork";
        return r;
    }
    if (!opt.input.empty() && write(in[1], opt.input.data(), opt.input.size()) < 0)
        ADD_FAILURE() << "could not feed standard input";
    close(in[1]);

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TIMEOUT_SECONDS);
    int wstatus = 0;
    struct rusage usage {};
    for (;;) {
        pid_t done = wait4(pid, &wstatus, WNOHANG, &usage);
        if (done == pid) break;
        if (done < 0) {
            ADD_FAILURE() << "wait4";
            return r;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &wstatus, 0, &usage);
            r.hung = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    r.maxRssKb = usage.ru_maxrss;
    r.out = readAll(outPath);
    r.err = readAll(errPath);
    return r;
}
