// pindle-run given hostile files and names, as a process. Every case must end with the
// program's own box lines or a clean report and a defined exit status (0 to 3): never a signal,
// a hang or a sanitizer report. Built against the plain runner and against the sanitized one.
#include <gtest/gtest.h>

#include "runner/runreport.h"
#include "tests/process.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#ifndef SANITIZED_RUNNER
#define SANITIZED_RUNNER 0
#endif

namespace {

using namespace std::string_literals;

// A text as the runner quotes it in its box lines.
std::string q(const std::string& text) {
    return quoted(text);
}

std::string box(const std::string& caption, const std::string& text) {
    return "box \"" + q(caption) + "\" \"" + q(text) + "\"\n";
}

// A message as a box shows it: cut to the 79 characters of the message buffer.
std::string cut79(const std::string& text) {
    return text.substr(0, 79);
}

const std::string parsesOK = box("Parses OK", "Program is syntactically correct");
const std::string checkFailed = box("error", "Error in Pindle program");

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        out.push_back(l);
    return out;
}

// Past a double-quoted text starting at at, or npos when there is none.
size_t pastQuoted(const std::string& s, size_t at) {
    if (at >= s.size() || s[at] != '"') return std::string::npos;
    for (size_t k = at + 1; k < s.size(); ++k) {
        if (s[k] == '\\') {
            ++k;
        } else if (s[k] == '"') {
            return k + 1;
        } else if (static_cast<unsigned char>(s[k]) < 0x20 ||
                   static_cast<unsigned char>(s[k]) >= 0x7F) {
            return std::string::npos;
        }
    }
    return std::string::npos;
}

bool isBoxLine(const std::string& l) {
    if (l.rfind("box ", 0) != 0) return false;
    size_t p = pastQuoted(l, 4);
    if (p == std::string::npos || p >= l.size() || l[p] != ' ') return false;
    return pastQuoted(l, p + 1) == l.size();
}

bool isBoardLine(const std::string& l, const std::string& name) {
    if (l == name + "=???") return true;
    return l.rfind(name + "='", 0) == 0 && l.size() >= name.size() + 4 && l.back() == '\'';
}

// The run's report from its "end:" line on is whole and agrees with the exit status.
std::string reportFault(const std::vector<std::string>& ls, size_t at, int status) {
    static const char* const ends[] = {"end: finished", "end: stopped", "", "end: limit"};
    if (ls.size() < at + 23) return "the report is cut short";
    if (ls[at] != ends[status]) return "'" + ls[at] + "' does not go with the exit status";
    if (ls[at + 1].rfind("steps: ", 0) != 0) return "no steps line";
    if (ls[at + 2].rfind("status: ", 0) != 0 || pastQuoted(ls[at + 2], 8) != ls[at + 2].size())
        return "no status line";
    if (ls[at + 3].rfind("robot: ", 0) != 0) return "no robot line";
    if (!isBoardLine(ls[at + 4], "b1") || !isBoardLine(ls[at + 5], "b2")) return "no boards";
    if (ls[at + 6] != "world:") return "no world line";
    for (size_t k = at + 7; k < at + 23; ++k)
        if (ls[k].size() != 16) return "a world row that is not 16 characters";
    for (size_t k = at + 23; k < ls.size(); ++k)
        if (ls[k].rfind("outside ", 0) != 0) return "'" + ls[k] + "' after the world rows";
    return "";
}

enum Mode { CHECK, RUN };

// What every case must show: the process ended by itself with a defined status; standard error
// holds only compiler-style fault lines (so no sanitizer report); standard output is box lines,
// ending with the verdict for a check, and for a run that started, one whole report.
::testing::AssertionResult definedOutcome(const Result& r, Mode mode) {
    auto fail = [&r](const std::string& why) {
        return ::testing::AssertionFailure() << why << "\nexit status " << r.status << "\nstdout:\n"
                                             << r.out.substr(0, 2000) << "\nstderr:\n"
                                             << r.err.substr(0, 4000);
    };
    if (r.hung) return fail("no end within " + std::to_string(TIMEOUT_SECONDS) + " s");
    if (r.status < 0 || r.status > 3) return fail("exit status outside 0 to 3");
    for (const char* report : {"AddressSanitizer", "LeakSanitizer", "runtime error:"})
        if (r.err.find(report) != std::string::npos)
            return fail(std::string("sanitizer report (") + report + ")");
    for (const std::string& l : lines(r.err))
        if (l.find(": error: ") == std::string::npos) return fail("stray standard error line");
    std::vector<std::string> ls = lines(r.out);
    if (!r.out.empty() && r.out.back() != '\n') return fail("output ends without a line feed");
    size_t n = 0;
    while (n < ls.size() && isBoxLine(ls[n]))
        ++n;
    if (mode == CHECK || r.status == 2) {
        if (n != ls.size()) return fail("a line that is no box line: " + ls[n]);
        if (mode == CHECK && r.status == 0 && (ls.empty() || ls.back() + "\n" != parsesOK))
            return fail("a check that passed without its verdict");
        if (r.status == 2 && ls.empty()) return fail("nothing says why it could not start");
        const std::string last = ls.empty() ? "" : ls.back() + "\n";
        if (mode == CHECK && r.status == 2 && last != checkFailed &&
            last.find("\"File name too long (max is 80)\"\n") == std::string::npos)
            return fail("a failed check without its verdict");
        if (mode == CHECK && (r.status == 1 || r.status == 3))
            return fail("a run status for a check");
        return ::testing::AssertionSuccess();
    }
    std::string fault = reportFault(ls, n, r.status);
    if (!fault.empty()) return fail(fault);
    return ::testing::AssertionSuccess();
}

// The line of the report that starts with key, without the key.
std::string field(const std::string& out, const std::string& key) {
    for (const std::string& l : lines(out))
        if (l.rfind(key, 0) == 0) return l.substr(key.size());
    return "<no " + key + "line>";
}

// The 16 rows of the world picture of the report.
std::vector<std::string> worldRows(const std::string& out) {
    std::vector<std::string> ls = lines(out);
    auto at = std::find(ls.begin(), ls.end(), "world:");
    if (ls.end() - at < 17) return {};
    return std::vector<std::string>(at + 1, at + 17);
}

std::vector<std::string> emptyRows() {
    return std::vector<std::string>(16, std::string(16, '.'));
}

// Bytes of a fixed pseudo-random sequence (std::mt19937's output is the same everywhere).
std::string randomBytes(unsigned seed, size_t n) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(gen() & 0xFF);
    return s;
}

// Words drawn from a list, joined by nothing, a blank or a line feed, in a fixed order.
std::string randomText(unsigned seed, const std::vector<std::string>& words, size_t count) {
    static const char* const joins[] = {"", " ", " ", " ", "\n"};
    std::mt19937 gen(seed);
    std::string s;
    for (size_t k = 0; k < count; ++k) {
        s += words[gen() % words.size()];
        s += joins[gen() % 5];
    }
    return s;
}

class HostileTest : public ::testing::Test {
  protected:
    std::string dir;

    static void SetUpTestSuite() { std::signal(SIGPIPE, SIG_IGN); }

    void SetUp() override { dir = makeDir("/tmp/pindle-hostile-XXXXXX"); }
    void TearDown() override {
        for (const std::string& d : dirs)
            std::filesystem::remove_all(d);
    }

    std::string makeDir(const char* pattern) {
        std::vector<char> name(pattern, pattern + std::strlen(pattern) + 1);
        if (!mkdtemp(name.data())) {
            ADD_FAILURE() << "mkdtemp " << pattern;
            return "/nonexistent";
        }
        dirs.push_back(name.data());
        return name.data();
    }

    std::string writeFile(const std::string& name, const std::string& text) {
        return writeAt(dir + "/" + name, text);
    }
    static std::string writeAt(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // A world with the robot on corner 5,5, and programs that turn it or move it once.
    std::string world() { return writeFile("five.sit", "pindle 5,5\n"); }
    std::string turn() { return writeFile("turn.pnd", "define main as { left }\n"); }
    std::string step() { return writeFile("step.pnd", "define main as { move }\n"); }

    // Runs pindle-run with args; kills it when it has not ended after TIMEOUT_SECONDS.
    Result run(const std::vector<std::string>& args, const RunOptions& opt = {}) {
        return runProcess(PINDLE_RUN, args, dir, opt);
    }

    // The message of an out-of-bounds box for an item of the world file at path.
    static std::string bounds(const char* item, const std::string& path) {
        return cut79(std::string("A '") + item + "' coordinate in " + path + " is out of bounds");
    }

    // A situation file read as a goal, with an empty world, gives the boxes it gives as a world
    // (naming it), starts exactly when the world would, and ends with a defined goal run: exit
    // 0, 4 or 2, no fault lines, and after a report the goal line and only differ lines.
    ::testing::AssertionResult readsAsGoal(const std::string& sit) {
        Result asWorld = run({sit, turn()});
        Result asGoal = run({"--goal", sit, writeFile("empty.sit", ""), turn()});
        auto fail = [&](const std::string& why) {
            return ::testing::AssertionFailure() << why << " (" << sit.substr(0, 200) << ")\n"
                                                 << asGoal.out.substr(0, 2000) << asGoal.err;
        };
        if (asGoal.hung) return fail("no end");
        if (asGoal.status != 0 && asGoal.status != 2 && asGoal.status != 4)
            return fail("exit status " + std::to_string(asGoal.status));
        if (!asGoal.err.empty()) return fail("standard error is not empty");
        if ((asWorld.status == 2) != (asGoal.status == 2)) return fail("started differently");
        auto boxes = [](const std::string& out) { return out.substr(0, out.find("end: ")); };
        if (boxes(asGoal.out) != boxes(asWorld.out)) return fail("other boxes than the world's");
        if (asGoal.status == 2) return ::testing::AssertionSuccess();
        std::vector<std::string> ls = lines(asGoal.out);
        auto goal = std::find_if(ls.begin(), ls.end(),
                                 [](const std::string& l) { return l.rfind("goal: ", 0) == 0; });
        if (goal == ls.end()) return fail("no goal line");
        if (*goal != (asGoal.status == 0 ? "goal: met" : "goal: not met"))
            return fail("a goal line that does not go with the exit status");
        for (auto l = goal + 1; l != ls.end(); ++l)
            if (l->rfind("differ: ", 0) != 0) return fail("'" + *l + "' after the goal line");
        return ::testing::AssertionSuccess();
    }

  private:
    std::vector<std::string> dirs;
};

TEST_F(HostileTest, EmptyFiles) {
    std::string empty = writeFile("empty", "");
    Result r = run({"--check", empty});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, parsesOK);

    r = run({world(), empty});
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, box("main?", "No 'main' instruction in program"));

    r = run({empty, turn()});
    EXPECT_TRUE(readsAsGoal(empty));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(field(r.out, "robot: "), "none");
    EXPECT_EQ(worldRows(r.out), emptyRows());
}

TEST_F(HostileTest, RandomBytesAndRandomWords) {
    const std::vector<std::string> programWords = {"define",
                                                   "main",
                                                   "as",
                                                   "{",
                                                   "}",
                                                   "(",
                                                   ")",
                                                   "if",
                                                   "else",
                                                   "while",
                                                   "not",
                                                   "move",
                                                   "left",
                                                   "read",
                                                   "write",
                                                   "pause",
                                                   "b1=b2",
                                                   "b2=b1",
                                                   "frontClear",
                                                   "facingNorth",
                                                   "cornerHasSomething",
                                                   "b1",
                                                   "b2",
                                                   "==",
                                                   "'x'",
                                                   "'",
                                                   "/",
                                                   "\n",
                                                   "\r\n",
                                                   "\r",
                                                   "hop",
                                                   "define hop as {",
                                                   "define main as {",
                                                   "=",
                                                   ";",
                                                   "99999999999",
                                                   std::string(1, '\0'),
                                                   "\xe9",
                                                   std::string(40, 'n'),
                                                   std::string(130, 'w'),
                                                   "\t"};
    const std::vector<std::string> worldWords = {"wall",
                                                 "Wall",
                                                 "thing",
                                                 "Thing",
                                                 "pindle",
                                                 "Pindle",
                                                 "WALL",
                                                 "3",
                                                 "15",
                                                 "16",
                                                 "-1",
                                                 "0",
                                                 "99999999999",
                                                 "-99999999999",
                                                 "+7",
                                                 ",",
                                                 ", ",
                                                 "3,4",
                                                 "14,2",
                                                 "x",
                                                 "ab",
                                                 "\n",
                                                 "\r",
                                                 "\t",
                                                 std::string(1, '\0'),
                                                 "\xff",
                                                 "/",
                                                 "wallwall",
                                                 std::string(40, 'q')};
    std::string w = world();
    std::string walker = writeFile(
        "walker.pnd", "define main as { read write while (frontClear) move left move }\n");
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::string prog = writeFile("random.pnd", randomText(seed, programWords, 300));
        EXPECT_TRUE(definedOutcome(run({"--check", prog}), CHECK));
        EXPECT_TRUE(definedOutcome(run({"--max-steps", "20000", w, prog}), RUN));
        std::string sit = writeFile("random.sit", randomText(seed, worldWords, 300));
        EXPECT_TRUE(definedOutcome(run({"--max-steps", "1000", sit, walker}), RUN));
        EXPECT_TRUE(readsAsGoal(sit));
    }
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE("bytes, seed " + std::to_string(seed));
        std::string bytes = writeFile("bytes", randomBytes(seed, seed % 2 ? 4096 : 65536));
        EXPECT_TRUE(definedOutcome(run({"--check", bytes}), CHECK));
        EXPECT_TRUE(definedOutcome(run({"--max-steps", "20000", w, bytes}), RUN));
        EXPECT_TRUE(definedOutcome(run({"--max-steps", "1000", bytes, walker}), RUN));
        EXPECT_TRUE(readsAsGoal(bytes));
    }
}

TEST_F(HostileTest, NulBytesEndTheProgramLineAndArePartOfSituationWords) {
    // In a program the rest of a line after a NUL is not read.
    std::string prog = writeFile("nul.pnd", "\0 junk\ndefine main as { move\0 jump }\nleft }\n"s);
    Result r = run({"--check", prog});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, parsesOK);
    r = run({world(), prog});
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(field(r.out, "robot: "), "5 4 west");

    // In a situation file a NUL is a character like any other: it ends no word.
    std::string sit = writeFile("nul.sit", "thing 2,2 a\0junk\npindle 3,3\0\nthing 4,4 b\n"s);
    r = run({sit, turn()});
    EXPECT_TRUE(readsAsGoal(sit));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(field(r.out, "robot: "), "3 3 west");
    std::vector<std::string> rows = emptyRows();
    rows[2][2] = 'a';
    rows[4][4] = 'b';
    EXPECT_EQ(worldRows(r.out), rows);
}

TEST_F(HostileTest, FilesOfTenMegabytes) {
    // One definition of 10 MB: its code is cut to whole instructions and reported once.
    std::string body;
    const int bodyLines = 10 * 1024 * 1024 / 24;
    body.reserve(bodyLines * 24 + 32);
    body = "define main as {\n";
    for (int k = 0; k < bodyLines; ++k)
        body += "    left left left left\n";
    body += "}\n";
    std::string prog = writeFile("big.pnd", body);
    std::string tooLong = box("Line " + std::to_string(bodyLines + 2),
                              "Definition is too long, break it down?\nmain");
    Result r = run({"--check", prog});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, tooLong + parsesOK);
    r = run({world(), prog});
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind(tooLong + "end: finished\nsteps: 40\n", 0), 0u) << "39 lefts are kept";
    EXPECT_EQ(field(r.out, "robot: "), "5 5 east");

    // 10 MB of items and comments: every item is entered, the first robot item places it.
    std::string items;
    const std::string block = "ordinary words, thing 2,2 x and a wall 3,3 3,5 then pindle 7,7\n";
    while (items.size() < 10 * 1024 * 1024)
        items += block;
    r = run({writeFile("big.sit", items), step()});
    EXPECT_TRUE(readsAsGoal(dir + "/big.sit"));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("end: finished", 0), 0u) << "no boxes";
    EXPECT_EQ(field(r.out, "robot: "), "7 6 north");
    std::vector<std::string> rows = emptyRows();
    rows[2] = "..x.............";
    rows[3] = "...###..........";
    EXPECT_EQ(worldRows(r.out), rows);
}

TEST_F(HostileTest, LinesOfOneMegabyte) {
    // A program line is read in pieces of 255 characters, each counted as a line.
    const size_t blanks = 1 << 20;
    ASSERT_LE(blanks % 255, 255u - 24) << "the definition must not straddle a cut";
    std::string prog =
        writeFile("blanks.pnd", std::string(blanks, ' ') + "define main as { jump }\n");
    Result r = run({"--check", prog});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, box("Line " + std::to_string(blanks / 255 + 1), "Unknown instruction\njump") +
                         checkFailed);

    // A word of 1 MB: its token keeps 119 characters, the box the first 79 of its message.
    std::string word = writeFile("word.pnd", std::string(1 << 20, 'a') + "\n");
    r = run({"--check", word});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, box("Line 1", cut79("Expected define but found\n" + std::string(200, 'a'))) +
                         checkFailed);
    EXPECT_EQ(r.err.substr(r.err.find(" found ")), " found " + std::string(119, 'a') + "\n");

    // Situation files have no line length: a word of 1 MB is passed over, a number of 1 MB
    // saturates, and the items after them are read.
    std::string sit = writeFile("long.sit", "wall" + std::string(1 << 20, 'l') + " 2,2 2,5 thing " +
                                                std::string(1 << 20, '1') + ",2 a pindle 4,4\n");
    r = run({sit, turn()});
    EXPECT_TRUE(readsAsGoal(sit));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("end:")), box("2147483647 > 15", bounds("thing", sit)));
    EXPECT_EQ(field(r.out, "robot: "), "4 4 west");
    EXPECT_EQ(worldRows(r.out), emptyRows());
}

TEST_F(HostileTest, LinesOf255To257Characters) {
    // The line with "move" at its end is followed by the line with the fault.
    const struct {
        size_t length;
        std::string box;
    } cases[] = {
        {254, box("Line 3", "Unknown instruction\njump")},
        {255, box("Line 4", "Unknown instruction\njump")}, // its line feed is a piece of its own
        {256, box("Line 2", "Unknown instruction\nmov")},
        {257, box("Line 2", "Unknown instruction\nmo")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        std::string prog = writeFile(
            "line.pnd", "define main as {\n" + std::string(c.length - 4, ' ') + "move\njump }\n");
        Result r = run({"--check", prog});
        ASSERT_TRUE(definedOutcome(r, CHECK));
        EXPECT_EQ(r.out, c.box + checkFailed);
    }
    // Situation files read words, not lines: an item at the end of a long line is read.
    for (size_t length : {255, 256, 257}) {
        SCOPED_TRACE(length);
        std::string sit =
            writeFile("line.sit", std::string(length - 11, '.') + " pindle 3,3\n" +
                                      std::string(length - 1, '-') + "\nthing 2,2 a\n");
        Result r = run({sit, turn()});
        EXPECT_TRUE(readsAsGoal(sit));
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(field(r.out, "robot: "), "3 3 west");
        EXPECT_EQ(worldRows(r.out)[2], "..a.............");
    }
}
TEST_F(HostileTest, WordsAndNamesOf31To121Characters) {
    for (size_t length : {31, 32, 119, 120, 121}) {
        SCOPED_TRACE(length);
        const std::string name(length, 'w');
        const std::string kept = name.substr(0, 119); // a token holds 119 characters

        // As the name of a definition: 31 characters fit the table, 32 and more do not.
        std::string prog = writeFile(
            "name.pnd", "define " + name + " as { move }\ndefine main as { " + name + " }\n");
        Result r = run({"--check", prog});
        ASSERT_TRUE(definedOutcome(r, CHECK));
        if (length == 31) {
            EXPECT_EQ(r.out, parsesOK);
            r = run({world(), prog});
            ASSERT_TRUE(definedOutcome(r, RUN));
            EXPECT_EQ(field(r.out, "robot: "), "5 4 north");
        } else {
            EXPECT_EQ(r.out, box("Line 1", cut79("Instruction name is too long (80)\n" + kept)) +
                                 checkFailed);
            EXPECT_EQ(r.err.substr(r.err.find("(80) ")), "(80) " + kept + "\n");
        }

        // As an instruction that was never defined.
        prog = writeFile("call.pnd", "define main as { " + name + " }\n");
        r = run({"--check", prog});
        ASSERT_TRUE(definedOutcome(r, CHECK));
        EXPECT_EQ(r.out, box("Line 1", cut79("Unknown instruction\n" + kept)) + checkFailed);
        EXPECT_EQ(r.err.substr(r.err.find("instruction ")), "instruction " + kept + "\n");

        // Situation words: a long word is no keyword, a thing keeps its first character.
        std::string sit =
            writeFile("words.sit", "pindle" + std::string(length - 6, 'x') + " 2,2\nthing 3,3 Q" +
                                       std::string(length - 1, 'q') + "\nWall" +
                                       std::string(length - 4, 'l') + " 1,1 1,5\npindle 4,4\n");
        r = run({sit, turn()});
        EXPECT_TRUE(readsAsGoal(sit));
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out.rfind("end: finished", 0), 0u) << "no boxes";
        EXPECT_EQ(field(r.out, "robot: "), "4 4 west");
        std::vector<std::string> rows = emptyRows();
        rows[3][3] = 'Q';
        EXPECT_EQ(worldRows(r.out), rows);
    }
}

TEST_F(HostileTest, NumbersBeyondAnIntSaturate) {
    std::string sit = writeFile("huge.sit", "thing 99999999999,3 a\n"
                                            "pindle -99999999999,3\n"
                                            "wall 99999999999,3 99999999999,5\n"
                                            "thing 3,-99999999999 z\n"
                                            "pindle 3,99999999999 pindle 5,5\n");
    Result r = run({sit, step()});
    EXPECT_TRUE(readsAsGoal(sit));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    // Reported, but nothing so far away is stored or placed.
    EXPECT_EQ(r.out.substr(0, r.out.find("end:")),
              box("2147483647 > 15", bounds("thing", sit)) +
                  box("-2147483648 < 0", bounds("Pindle", sit)) + box("wall", bounds("wall", sit)) +
                  box("-2147483648 < 0", bounds("thing", sit)) +
                  box("2147483647 > 15", bounds("Pindle", sit)));
    EXPECT_EQ(field(r.out, "robot: "), "5 4 north");
    EXPECT_EQ(worldRows(r.out), emptyRows());
    EXPECT_EQ(r.out.find("outside"), std::string::npos);

    std::string prog = writeFile("huge.pnd", "define 99999999999 as { move }\n");
    r = run({"--check", prog});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, box("Line 1", "Instruction name must begin with a letter\n99999999999") +
                         checkFailed);
}

TEST_F(HostileTest, FilesWithoutAFinalLineFeed) {
    Result r = run({world(), writeFile("last.pnd", "define main as { move }")});
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(field(r.out, "robot: "), "5 4 north");
    r = run({"--check", writeFile("cut.pnd", "define main as { move }\ndefine hop as { move ;")});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, box("Line 2", "Unknown token at\n;") +
                         box("Line 2", "Expected token but found eof\nmove") + checkFailed);
    r = run({"--check", writeFile("open.pnd", "define main as { move")});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, parsesOK) << "the end of the file closes the body";

    r = run({writeFile("last.sit", "thing 2,2 a\npindle 3,3"), turn()});
    EXPECT_TRUE(readsAsGoal(dir + "/last.sit"));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(field(r.out, "robot: "), "3 3 west");
    EXPECT_EQ(worldRows(r.out)[2], "..a.............");
    // Items cut off by the end of the file.
    for (const char* text : {"pindle 3,3\nthing 2,", "pindle 3,3 thing", "pindle 3,3 wall 1,1 1,",
                             "pindle 3,3 thing 4,4"}) {
        SCOPED_TRACE(text);
        r = run({writeFile("cut.sit", text), turn()});
        EXPECT_TRUE(readsAsGoal(dir + "/cut.sit"));
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(field(r.out, "robot: "), "3 3 west");
    }
}

TEST_F(HostileTest, CarriageReturnsAsLineEnds) {
    for (const std::string end : {"\r\n", "\r"}) {
        SCOPED_TRACE(q(end));
        std::string prog = writeFile("cr.pnd", "define main as {" + end + "  move" + end +
                                                   "  left" + end + "}" + end);
        Result r = run({world(), prog});
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(field(r.out, "robot: "), "5 4 west");

        // Only a line feed ends a line: a file of lone carriage returns is one line.
        prog = writeFile("crbad.pnd", "define main as {" + end + "  move ;" + end + "}" + end);
        r = run({"--check", prog});
        ASSERT_TRUE(definedOutcome(r, CHECK));
        const std::string line = end == "\r" ? "Line 1" : "Line 2";
        const std::string rest = end == "\r" ? ";\r}\r" : ";\r\n"; // the rest of the line
        EXPECT_EQ(r.out, box(line, "Unknown token at\n" + rest) +
                             box(line, "Expected token but found eof\nmove") + checkFailed);

        std::string sit =
            writeFile("cr.sit", "thing 2,2 a" + end + "wall 1,1 1,2" + end + "pindle 3,3" + end);
        r = run({sit, turn()});
        EXPECT_TRUE(readsAsGoal(sit));
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out.rfind("end: finished", 0), 0u) << "no boxes";
        EXPECT_EQ(field(r.out, "robot: "), "3 3 west");
        std::vector<std::string> rows = emptyRows();
        rows[1] = ".##.............";
        rows[2][2] = 'a'; // the thing is 'a', not a carriage return
        EXPECT_EQ(worldRows(r.out), rows);
    }
}

TEST_F(HostileTest, FilesThatCannotBeOpened) {
    std::string regular = writeFile("plain.txt", "pindle 3,3\n");
    for (const std::string& path : {dir, regular + "/x.pnd", dir + "/none/x.pnd"}) {
        SCOPED_TRACE(path);
        const std::string noFile = box("Line 0", cut79("No such file as\n" + path));
        Result r = run({"--check", path});
        ASSERT_TRUE(definedOutcome(r, CHECK));
        EXPECT_EQ(r.out, noFile + checkFailed);
        EXPECT_EQ(r.err, path + ":0:1: error: No such file as " + path + "\n");
        r = run({world(), path});
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out, noFile);
        r = run({path, turn()});
        EXPECT_TRUE(readsAsGoal(path));
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out, box(path, "Cannot open world situation file\n"));
    }

    // Devices are no files: an endless one like /dev/zero must not keep the loaders reading.
    for (const std::string device : {"/dev/null", "/dev/zero"}) {
        Result r = run({device, turn()});
        EXPECT_TRUE(readsAsGoal(device));
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out, box(device, "Cannot open world situation file\n"));
        r = run({world(), device});
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out, box("Line 0", "No such file as\n" + device));
    }
    // Pipes are read like files.
    Result r = run({"/dev/stdin", turn()}, {"pindle 3,3\nthing 2,2 a\n"});
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(field(r.out, "robot: "), "3 3 west");
    r = run({world(), "/dev/stdin"}, {"define main as { move }\n"});
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(field(r.out, "robot: "), "5 4 north");
}

TEST_F(HostileTest, FilesWithoutReadPermission) {
    // Root reads files whatever their mode, so as root the runner is started as nobody.
    RunOptions opt;
    opt.asNobody = geteuid() == 0;
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    std::string w = world(), t = turn();
    ASSERT_EQ(chmod(w.c_str(), 0644) | chmod(t.c_str(), 0644), 0);
    Result probe = run({w, t}, opt);
    if (probe.status != 0)
        GTEST_SKIP() << "pindle-run cannot run as an ordinary user here (status " << probe.status
                     << "); the unreadable-file cases need one";

    std::string secretProgram = writeFile("secret.pnd", "define main as { move }\n");
    std::string secretWorld = writeFile("secret.sit", "pindle 3,3\n");
    ASSERT_EQ(chmod(secretProgram.c_str(), 0) | chmod(secretWorld.c_str(), 0), 0);
    Result r = run({"--check", secretProgram}, opt);
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, box("Line 0", cut79("No such file as\n" + secretProgram)) + checkFailed);
    r = run({w, secretProgram}, opt);
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.out, box("Line 0", cut79("No such file as\n" + secretProgram)));
    r = run({secretWorld, t}, opt);
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.out, box(secretWorld, "Cannot open world situation file\n"));
}

TEST_F(HostileTest, FileNamesOf79CharactersAndLonger) {
    ASSERT_LT(dir.size(), 70u);
    std::string name79 = dir + "/" + std::string(79 - dir.size() - 5, 'n') + ".pnd";
    ASSERT_EQ(name79.size(), 79u);
    writeAt(name79, "define main as { move }\n");
    Result r = run({"--check", name79});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.out, parsesOK);
    std::string world79 = name79.substr(0, 75) + ".sit";
    writeAt(world79, "pindle 3,3\n");
    r = run({world79, name79});
    EXPECT_TRUE(readsAsGoal(world79));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(field(r.out, "robot: "), "3 2 north");

    for (size_t length : {80, 300}) {
        SCOPED_TRACE(length);
        std::string name = dir + "/" + std::string(length - dir.size() - 5, 'n') + ".pnd";
        ASSERT_EQ(name.size(), length);
        // Refused even when the file exists (a name of 300 cannot even be created).
        writeAt(name, "define main as { move }\n");
        const std::string tooLong = box(name, "File name too long (max is 80)");
        r = run({"--check", name});
        ASSERT_TRUE(definedOutcome(r, CHECK));
        EXPECT_EQ(r.out, tooLong);
        r = run({world(), name});
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out, tooLong);
        r = run({name, name79});
        EXPECT_TRUE(readsAsGoal(name));
        ASSERT_TRUE(definedOutcome(r, RUN));
        EXPECT_EQ(r.out, tooLong);
    }
}

TEST_F(HostileTest, FileNamesWithBlanksQuotesSemicolonsAndNonAsciiLetters) {
    std::string folder = makeDir("/tmp/ph-XXXXXX");
    std::string base = folder + "/my \"odd\" 'name'; \xc3\xa4\xc3\xb6 \xc3\xa9";
    ASSERT_LT(base.size() + 4, 80u);
    std::string sit = writeAt(base + ".sit", "thing 16,1 a\npindle 5,5\n");
    std::string prog = writeAt(base + ".pnd", "define main as { move }\n");
    Result r = run({sit, prog});
    EXPECT_TRUE(readsAsGoal(sit));
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("end:")), box("16 > 15", bounds("thing", sit)));
    EXPECT_EQ(field(r.out, "robot: "), "5 4 north");

    writeAt(prog, "define main as { jump }\n");
    r = run({"--check", prog});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.err, prog + ":1:22: error: Unknown instruction jump\n");
}

TEST_F(HostileTest, DeepNestingIsRefused) {
    std::string nested = "define main as {\n";
    for (int k = 0; k < 100000; ++k)
        nested += "while (frontClear) {\n";
    Result r = run({"--check", writeFile("nested.pnd", nested)});
    ASSERT_TRUE(definedOutcome(r, CHECK));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find(q("Definition is too long, break it down?")), std::string::npos) << r.out;
}

TEST_F(HostileTest, EndlessRecursionStopsWhenTheReturnStackIsFull) {
    if (SANITIZED_RUNNER)
        GTEST_SKIP() << "a million return-stack entries take about 30 s under AddressSanitizer; "
                        "the plain runner's test covers it";
    Result r =
        run({"--max-steps", "0", world(), writeFile("self.pnd", "define main as { main }\n")});
    ASSERT_TRUE(definedOutcome(r, RUN));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind(box("Stack full", "Too many instructions in progress at once (endless "
                                            "recursion?)--stopping") +
                              "end: stopped\nsteps: 1000002\n",
                          0),
              0u)
        << r.out;
    EXPECT_LT(r.maxRssKb, 64 * 1024) << "a million entries of 8 bytes, and little else";
}

} // namespace
