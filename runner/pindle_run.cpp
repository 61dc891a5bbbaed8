// pindle-run: compiles and runs robot programs on situation files, without a window.
#include "io/system.h"
#include "io/textfile.h"
#include "runner/coursegrade.h"
#include "runner/grade.h"
#include "runner/outputcheck.h"
#include "runner/runreport.h"
#include "lang/runstate.h"
#include "runner/taskrun.h"
#include "lang/bytecode.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "runner/grade.h"
#include "runner/outputcheck.h"
#include "runner/runreport.h"
#include "runner/taskrun.h"
#include "view/svgpainter.h"
#include "world/goal.h"
#include "world/robot.h"
#include "world/world.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const usageText =
    "usage: pindle-run [--max-steps N] [--trace [--lines]] [--goal GOAL.sit] [--] WORLD.sit "
    "PROGRAM.pnd\n"
    "       pindle-run [run options] --picture FILE.svg [--] WORLD.sit PROGRAM.pnd\n"
    "       pindle-run --check [--] PROGRAM.pnd\n"
    "       pindle-run --list [--] PROGRAM.pnd\n"
    "       pindle-run --dump [--] PROGRAM.pnd [PROGRAM.pnd ...]\n"
    "       pindle-run --grade [--max-steps N] [--jobs J] [--csv FILE] [--junit FILE] [--] TASK\n"
    "                  PROGRAM.pnd [PROGRAM.pnd ...]\n"
    "       pindle-run --course [--max-steps N] [--jobs J] [--csv FILE] [--junit FILE] [--] "
    "COURSE\n"
    "                  STUDENT [STUDENT ...]\n"
    "       pindle-run --help | --version\n";

enum Exit { FINISHED = 0, STOPPED_EXIT = 1, NOT_STARTED = 2, LIMIT = 3, NOT_MET = 4, USAGE = 64 };

std::string placeOf(const char* code);

// Shows every box as a line, and program faults as compiler-style lines on standard error.
class RunnerUI : public PindleUI {
  public:
    void messageBox(const char* text, const char* caption, int, int) override {
        std::printf("box \"%s\" \"%s\"\n", quoted(caption).c_str(), quoted(text).c_str());
    }
    void programFault(const char* file, int line, int column, const char* msg,
                      const char* token) override {
        std::fflush(stdout);
        std::fprintf(stderr, "%s:%d:%d: error: %s %s\n", faultFileName(file).c_str(), line, column,
                     oneLine(msg).c_str(), oneLine(token).c_str());
    }
};

// As RunnerUI, and shows each step of a run (with where the next step comes from, when asked).
// A run without a trace has nothing to do between its steps, so it goes without this one.
class TracingUI : public RunnerUI {
  public:
    void betweenSteps() override {
        ++steps;
        std::printf("step %llu \"%s\"", steps, quoted(CurrInstrName).c_str());
        if (lines) std::printf(" %s", placeOf(CodePtr).c_str());
        std::printf("\n");
    }
    bool lines = false;
    unsigned long long steps = 0;
};

RunnerUI runnerUI;
TracingUI tracingUI;

// "LINE:COL" of the instruction whose code starts at code, or "-" when it has none.
std::string placeOf(const char* code) {
    SourcePos at = sourcePosition(code);
    if (at.line == 0) return "-";
    return std::to_string(at.line) + ":" + std::to_string(at.column);
}

struct Options {
    enum Mode { RUN, CHECK, LIST, DUMP, GRADE, COURSE, HELP, VERSION } mode = RUN;
    unsigned long long maxSteps = 1000000;
    bool trace = false, lines = false;
    const char* goal = nullptr;
    const char* picture = nullptr; // the SVG file of the final world
    GradeOptions grading;          // --jobs, --csv and --junit
    std::vector<const char*> files;
};

int usage() {
    std::fputs(usageText, stderr);
    return USAGE;
}

bool parseCount(const char* text, unsigned long long& n) {
    if (!*text) return false;
    unsigned long long v = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        unsigned digit = static_cast<unsigned>(*p - '0');
        if (v > (~0ULL - digit) / 10) return false;
        v = v * 10 + digit;
    }
    n = v;
    return true;
}

// An option of --grade and --course and its value; false for a bad value.
bool gradeOption(const std::string& arg, const char* value, GradeOptions& g) {
    if (arg == "--jobs") return parseCount(value, g.jobs) && g.jobs > 0;
    (arg == "--csv" ? g.csv : g.junit) = value;
    return value[0] != '\0';
}

// What the options given so far were.
struct Seen {
    bool mode = false;      // a mode (--check, --grade, ...)
    bool runOption = false; // an option of a run
    bool gradeOnly = false; // an option only grading (--grade, --course) takes
};

// Takes the option argv[a] (and its value, moving a past it); false for wrong usage.
bool takeOption(int argc, char** argv, int& a, Options& o, Seen& seen) {
    std::string arg = argv[a];
    Options::Mode mode;
    if (arg == "--max-steps") {
        seen.runOption = true;
        return ++a < argc && parseCount(argv[a], o.maxSteps);
    }
    if (arg == "--trace" || arg == "--lines") {
        (arg == "--trace" ? o.trace : o.lines) = seen.runOption = true;
        return true;
    }
    if (arg == "--goal" || arg == "--picture") {
        if (++a >= argc || argv[a][0] == '\0') return false;
        (arg == "--goal" ? o.goal : o.picture) = argv[a];
        seen.runOption = true;
        return true;
    }
    if (arg == "--jobs" || arg == "--csv" || arg == "--junit") {
        seen.gradeOnly = true;
        return ++a < argc && gradeOption(arg, argv[a], o.grading);
    }
    if (arg == "--check")
        mode = Options::CHECK;
    else if (arg == "--list")
        mode = Options::LIST;
    else if (arg == "--dump")
        mode = Options::DUMP;
    else if (arg == "--grade")
        mode = Options::GRADE;
    else if (arg == "--course")
        mode = Options::COURSE;
    else if (arg == "--help")
        mode = Options::HELP;
    else if (arg == "--version")
        mode = Options::VERSION;
    else
        return false;
    if (seen.mode) return false;
    seen.mode = true;
    o.mode = mode;
    return true;
}

// The options of a grading: no run's own output, and a step limit, so that none runs for ever.
bool gradingOptionsFit(const Options& o) {
    return !o.trace && !o.goal && !o.picture && o.maxSteps > 0;
}

// Options come before or among the file arguments; "--" ends them. False for wrong usage.
bool parseOptions(int argc, char** argv, Options& o) {
    Seen seen;
    bool optionsEnded = false;
    for (int a = 1; a < argc; ++a) {
        if (!optionsEnded && std::strcmp(argv[a], "--") == 0) {
            optionsEnded = true; // every argument after it is a file, even one with a dash
        } else if (!optionsEnded && argv[a][0] == '-' && argv[a][1] != '\0') {
            if (!takeOption(argc, argv, a, o, seen)) return false;
        } else {
            if (argv[a][0] == '\0') return false;
            o.files.push_back(argv[a]);
        }
    }
    size_t n = o.files.size();
    if (o.lines && !o.trace) return false;
    bool grading = o.mode == Options::GRADE || o.mode == Options::COURSE;
    if (seen.gradeOnly && !grading) return false;
    switch (o.mode) {
    case Options::RUN: return n == 2;
    case Options::GRADE:
    case Options::COURSE: return n >= 2 && gradingOptionsFit(o);
    case Options::CHECK:
    case Options::LIST: return n == 1 && !seen.runOption;
    case Options::DUMP: return n >= 1 && !seen.runOption;
    default: return n == 0 && !seen.runOption;
    }
}

int check(const char* file) {
    if (!nameFits(progFile, file)) return NOT_STARTED;
    if (!parse(progFile)) {
        dialogs().messageBox("Error in Pindle program", "error");
        return NOT_STARTED;
    }
    dialogs().messageBox("Program is syntactically correct", "Parses OK");
    return FINISHED;
}

// Every named row with each of its instructions, where it came from, in the language's words.
void listTable() {
    for (int row = 0; row < MAXDEFINITIONS; ++row) {
        const defined& d = definedTable[row];
        if (d.name[0] == '\0') continue;
        std::printf("%d %s\n", row, d.name);
        forEachInstruction(d.byteCode, [](const char* at, int depth, bool opensElse) {
            std::printf("  %s %s%s%s\n", placeOf(at).c_str(), std::string(2 * depth, ' ').c_str(),
                        opensElse ? "else " : "", describeInstruction(at).c_str());
        });
    }
}

int dump(const std::vector<const char*>& files) {
    bool allCompiled = true;
    for (const char* file : files) {
        if (!nameFits(progFile, file) || !parse(progFile)) allCompiled = false;
    }
    for (int row = 0; row < MAXDEFINITIONS; ++row) {
        const defined& d = definedTable[row];
        if (d.name[0] != '\0')
            std::printf("%d %s \"%s\"\n", row, d.name, quoted(d.byteCode).c_str());
    }
    return allCompiled ? FINISHED : NOT_STARTED;
}

void report(const char* end, unsigned long long steps) {
    std::printf("end: %s\nsteps: %llu\nstatus: \"%s\"\nrobot: %s\n%s\n%s\nworld:\n%s", end, steps,
                quoted(CurrInstrName).c_str(), robotReport().c_str(), boardReport("b1", b1).c_str(),
                boardReport("b2", b2).c_str(), worldReport().c_str());
}

// The goal lines after the report; the exit status of a run with a goal.
int goalReport(RunEnd end) {
    std::vector<GoalDifference> differences = compareWithGoal(taskGoal, end);
    std::printf("goal: %s\n", differences.empty() ? "met" : "not met");
    for (const GoalDifference& d : differences)
        std::printf("differ: %s\n", differenceLine(d).c_str());
    return differences.empty() ? FINISHED : NOT_MET;
}

// Writes the world as it stands as an SVG drawing; false after a message when it cannot.
bool writePicture(const char* file) {
    SaveOutcome outcome = saveFileSafely(file, worldSvg());
    if (outcome.saved) return true;
    std::fflush(stdout);
    std::fprintf(stderr, "pindle-run: cannot write picture %s: %s\n", file,
                 std::strerror(outcome.error));
    return false;
}

int run(const Options& o) {
    std::vector<std::string> inputs(o.files.begin(), o.files.end());
    if (o.goal) inputs.push_back(o.goal);
    if (!outputsSafe({o.picture}, inputs)) return NOT_STARTED;
    if (startRun(o.goal, o.files[0], o.files[1]) != RunStart::STARTED) return NOT_STARTED;
    tracingUI.lines = o.lines;
    if (o.trace) setUI(&tracingUI);
    unsigned long long steps = runProgram(o.maxSteps);
    RunEnd end = howRunEnded();
    static const char* const endWords[] = {"finished", "stopped", "limit"};
    report(endWords[static_cast<int>(end)], steps);
    static const int statuses[] = {FINISHED, STOPPED_EXIT, LIMIT};
    int status = o.goal ? goalReport(end) : statuses[static_cast<int>(end)];
    if (o.picture && !writePicture(o.picture)) return NOT_STARTED;
    return status;
}

int gradeTask(const Options& o) {
    GradeRequest request{o.files[0], {o.files.begin() + 1, o.files.end()}, o.grading};
    request.options.maxSteps = o.maxSteps;
    return grade(request);
}

int gradeTerm(const Options& o) {
    CourseRequest request{o.files[0], {o.files.begin() + 1, o.files.end()}, o.grading};
    request.options.maxSteps = o.maxSteps;
    return gradeCourse(request);
}

// Does what the arguments ask; the exit status.
int pindleRun(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) return usage();
    if (o.mode == Options::HELP) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (o.mode == Options::VERSION) {
        std::puts("pindle-run (Pindle's World) " PINDLE_VERSION);
        return 0;
    }
    setUI(&runnerUI);
    readPipes(true); // scripts hand programs and worlds over through pipes
    setRobot(&worldRobot);
    switch (o.mode) {
    case Options::CHECK: return check(o.files[0]);
    case Options::LIST: {
        int status = check(o.files[0]);
        listTable();
        return status;
    }
    case Options::DUMP: return dump(o.files);
    case Options::GRADE: return gradeTask(o);
    case Options::COURSE: return gradeTerm(o);
    default: return run(o);
    }
}

// True when everything written to standard output and standard error reached them; a message
// on standard error when standard output failed.
bool outputWritten() {
    bool outWritten = std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (!outWritten) std::fputs("pindle-run: could not write standard output\n", stderr);
    return outWritten && std::fflush(stderr) == 0 && !std::ferror(stderr);
}

} // namespace

// A report that could not be written must not pass for a result: exit status 2.
int main(int argc, char** argv) {
    int status = pindleRun(argc, argv);
    return outputWritten() ? status : NOT_STARTED;
}
