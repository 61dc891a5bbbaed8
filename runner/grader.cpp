#include "runner/grader.h"

#include "runner/runreport.h"
#include "runner/taskrun.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "io/system.h"
#include "io/textfile.h"
#include "world/goal.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A result as a child process hands it over: P or F, the steps, a blank, the reason's length, a
// line feed, the reason.
std::string encode(const GradedRun& r) {
    return (r.passed ? "P" : "F") + std::to_string(r.steps) + " " +
           std::to_string(r.reason.size()) + "\n" + r.reason;
}

// Takes the first whole result off the front of bytes; false while there is none.
bool decodeFirst(std::string& bytes, GradedRun& r) {
    size_t end = bytes.find('\n');
    if (end == std::string::npos) return false;
    char* at = nullptr;
    r.passed = bytes[0] == 'P';
    r.steps = std::strtoull(bytes.c_str() + 1, &at, 10);
    size_t length = std::strtoull(at, nullptr, 10);
    if (bytes.size() - end - 1 < length) return false;
    r.reason = bytes.substr(end + 1, length);
    bytes.erase(0, end + 1 + length);
    return true;
}

GradedRun failedToRun(const std::string& why) {
    GradedRun r;
    r.reason = "error \"pindle-run\" \"" + quoted(why) + "\"";
    return r;
}

// The runs in progress, for the signal handler: their process ids, 0 in a free slot.
pid_t* liveRuns = nullptr;
size_t liveSlots = 0;
const int endingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal that ends the grader ends every run, removes a report being written, and ends the
// grader as the signal would have.
void endGrading(int sig) {
    for (size_t k = 0; k < liveSlots; ++k)
        if (liveRuns[k] > 0) kill(liveRuns[k], SIGKILL);
    removeSaveInProgress();
    signal(sig, SIG_DFL);
    raise(sig); // delivered as the handler returns
}

// Blocks (or unblocks) the ending signals, so that a run is never started unseen.
void holdEndingSignals(bool hold) {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : endingSignals)
        sigaddset(&set, sig);
    sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

// Watches the grader: the ending signals end it and its runs.
void catchEndingSignals(size_t slots) {
    static std::vector<pid_t> pids;
    pids.assign(slots, 0);
    liveRuns = pids.data();
    liveSlots = slots;
    struct sigaction action {};
    action.sa_handler = endGrading;
    sigemptyset(&action.sa_mask);
    for (int sig : endingSignals)
        sigaddset(&action.sa_mask, sig);
    for (int sig : endingSignals)
        sigaction(sig, &action, nullptr);
}

// In a new run's process: it dies with the grader, whatever ends the grader.
void dieWithGrader(pid_t grader) {
    for (int sig : endingSignals)
        signal(sig, SIG_DFL);
    holdEndingSignals(false);
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != grader) _exit(1);
}

// The processors this process may run on.
unsigned long long processors() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<unsigned long long>(CPU_COUNT(&set));
    long n = sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<unsigned long long>(n) : 1;
}

// Runs the jobs, up to a number of processes at once, and hands the groups' results over in
// order. Consecutive runs of one program go to one child process of this one (which has loaded
// and compiled nothing), which runs them one after the other, each from a clean language and
// world, and hands over each result as it is ready. When a process dies, its run in progress
// fails with the signal and the runs after it go to a new process.
class Grader {
  public:
    Grader(const std::vector<GradeJob>& jobs, size_t groups, const GradeOptions& options,
           const GroupDone& groupDone)
        : todo(jobs), maxSteps(options.maxSteps), results(jobs.size()), left(groups, 0),
          done(groupDone) {
        atOnce =
            std::min<unsigned long long>(options.jobs ? options.jobs : processors(), jobs.size());
        for (const GradeJob& job : jobs)
            ++left[job.group];
        makeBatches();
    }
    void gradeAll();
    const std::vector<GradedRun>& graded() const { return results; }
    size_t slots() const { return atOnce; } // processes at once at most

  private:
    struct Batch {
        size_t first, count; // runs first to first + count - 1, of one program
    };
    struct Child {
        pid_t pid;
        size_t slot; // its place among the live runs
        int fd;      // the reading end of the child's result pipe
        Batch batch;
        size_t received = 0; // the results handed over so far
        std::string got;     // what the child has written and is not yet taken
    };
    const std::vector<GradeJob>& todo;
    unsigned long long maxSteps;
    unsigned long long atOnce = 0;
    std::vector<GradedRun> results;
    std::vector<size_t> left; // the runs not yet ended, per group
    const GroupDone& done;
    std::deque<Batch> waiting;
    std::vector<Child> running;
    size_t handedOver = 0; // the groups handed over

    void makeBatches();
    bool start(const Batch& batch);
    void runBatch(const Batch& batch, int fd);
    void collect();
    void finish(Child& child);
    void record(size_t run, const GradedRun& r);
    void handOverReady();
};

// Batches small enough that every process has several to take, so that none waits long for
// the last one.
void Grader::makeBatches() {
    size_t most = std::max<size_t>(1, todo.size() / std::max<size_t>(1, 4 * atOnce));
    for (size_t run = 0; run < todo.size(); ++run) {
        Batch* last = waiting.empty() ? nullptr : &waiting.back();
        if (last && last->count < most && todo[last->first].program == todo[run].program &&
            todo[last->first].group == todo[run].group)
            ++last->count;
        else
            waiting.push_back({run, 1});
    }
}

bool Grader::start(const Batch& batch) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    std::fflush(stdout);
    size_t slot = 0;
    while (liveRuns[slot] != 0)
        ++slot;
    pid_t grader = getpid();
    holdEndingSignals(true);
    pid_t pid = fork();
    if (pid > 0) liveRuns[slot] = pid;
    int error = errno;
    if (pid != 0) holdEndingSignals(false);
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        errno = error;
        return false;
    }
    if (pid == 0) {
        dieWithGrader(grader);
        close(fds[0]);
        runBatch(batch, fds[1]);
        _exit(0);
    }
    close(fds[1]);
    running.push_back({pid, slot, fds[0], batch, 0, ""});
    return true;
}

// In the child: every run of the batch, each result written as soon as it is there.
void Grader::runBatch(const Batch& batch, int fd) {
    for (size_t run = batch.first; run < batch.first + batch.count; ++run) {
        resetLanguage();
        const GradeJob& job = todo[run];
        std::string bytes = encode(gradeRun(job.program.c_str(), *job.world, maxSteps));
        for (size_t at = 0; at < bytes.size();) {
            ssize_t n = write(fd, bytes.data() + at, bytes.size() - at);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return;
            at += static_cast<size_t>(n);
        }
    }
}

void Grader::collect() {
    std::vector<pollfd> polled;
    for (const Child& child : running)
        polled.push_back({child.fd, POLLIN, 0});
    if (poll(polled.data(), polled.size(), -1) < 0) return; // EINTR: polled again
    for (size_t k = polled.size(); k-- > 0;) {
        if (!polled[k].revents) continue;
        Child& child = running[k];
        char chunk[4096];
        ssize_t n = read(child.fd, chunk, sizeof chunk);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n > 0) {
            child.got.append(chunk, static_cast<size_t>(n));
            GradedRun r;
            while (child.received < child.batch.count && decodeFirst(child.got, r))
                record(child.batch.first + child.received++, r);
            continue;
        }
        finish(child);
        running.erase(running.begin() + static_cast<long>(k));
    }
}

void Grader::finish(Child& child) {
    close(child.fd);
    liveRuns[child.slot] = 0; // from here the process is not signalled: it has ended or is reaped
    int status = 0;
    while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    const Batch& batch = child.batch;
    if (child.received == batch.count) return;
    size_t run = batch.first + child.received;
    if (WIFSIGNALED(status))
        record(run, failedToRun(std::string("the run was ended by signal ") +
                                std::to_string(WTERMSIG(status))));
    else
        record(run, failedToRun("the run ended without a result"));
    if (child.received + 1 < batch.count)
        waiting.push_front({run + 1, batch.count - child.received - 1});
}

void Grader::record(size_t run, const GradedRun& r) {
    results[run] = r;
    --left[todo[run].group];
    handOverReady();
}

void Grader::handOverReady() {
    for (; handedOver < left.size() && left[handedOver] == 0; ++handedOver)
        done(handedOver, results);
}

void Grader::gradeAll() {
    handOverReady(); // groups of no runs before the first run
    while (!waiting.empty() || !running.empty()) {
        while (!waiting.empty() && running.size() < atOnce) {
            Batch batch = waiting.front();
            if (start(batch)) {
                waiting.pop_front();
            } else if (running.empty()) {
                waiting.pop_front();
                GradedRun r =
                    failedToRun(std::string("cannot start a run: ") + std::strerror(errno));
                for (size_t run = batch.first; run < batch.first + batch.count; ++run)
                    record(run, r);
            } else {
                break; // no process now: one of those running has to end first
            }
        }
        if (!running.empty()) collect();
    }
}

} // namespace

bool folderUsable(const char* kind, const char* folder, int error, bool empty,
                  const char* holdsNo) {
    std::string shown = faultFileName(folder);
    if (error)
        std::fprintf(stderr, "pindle-run: cannot read the %s folder %s: %s\n", kind, shown.c_str(),
                     std::strerror(error));
    else if (empty)
        std::fprintf(stderr, "pindle-run: the %s folder %s holds no %s\n", kind, shown.c_str(),
                     holdsNo);
    return !error && !empty;
}

bool writeReports(const GradeOptions& options, const std::string& csv,
                  const std::vector<JunitSuite>& suites) {
    bool written = true;
    if (options.csv) written = writeReport(options.csv, csv) && written;
    if (options.junit) written = writeReport(options.junit, junitReport(suites)) && written;
    return written;
}

std::vector<GradedRun> gradeJobs(const std::vector<GradeJob>& jobs, size_t groups,
                                 const GradeOptions& options, const GroupDone& groupDone) {
    // Every run reads its files anew, so none can come through a pipe; and a FIFO in a task
    // folder must not keep a run waiting for a writer.
    readPipes(false);
    Grader grader(jobs, groups, options, groupDone);
    catchEndingSignals(grader.slots());
    grader.gradeAll();
    return grader.graded();
}
