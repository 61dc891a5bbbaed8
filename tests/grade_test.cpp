// pindle-run --goal, --grade and --course as a process: goal lines, grade and course lines,
// reports, task and course folders.
#include <gtest/gtest.h>

#include "tests/process.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

class GradeTest : public ::testing::Test {
  protected:
    std::string dir;
    void SetUp() override {
        char pattern[] = "/tmp/pindle-grade-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string writeFile(const std::string& name, const std::string& text) {
        std::string path = dir + "/" + name;
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    Result run(const std::vector<std::string>& args) {
        RunOptions here;
        here.cwd = dir;
        return runProcess(PINDLE_RUN, args, dir, here);
    }
    // A task "t": a world whose goal is met by moving north from 5,5, and a world without a
    // goal where a move north is blocked.
    void writeTask() {
        writeFile("t/a.sit", "pindle 5,5\nthing 2,2 x\n");
        writeFile("t/a.goal.sit", "pindle 4,5\nthing 2,2 x\n");
        writeFile("t/b.sit", "pindle 1,3\n");
    }
    // A course "c": "up" (two worlds, a step north each) and "Stay" (one world that only has
    // to finish), beside a folder without a world and the course's own words.
    void writeCourse() {
        writeFile("c/up/a.sit", "pindle 5,5\n");
        writeFile("c/up/a.goal.sit", "pindle 4,5\n");
        writeFile("c/up/b.sit", "pindle 9,2\n");
        writeFile("c/up/b.goal.sit", "pindle 8,2\n");
        writeFile("c/up/task.md", "# Up\n");
        writeFile("c/Stay/s.sit", "pindle 1,1\n");
        writeFile("c/pictures/robot.txt", "no world here\n");
        writeFile("c/course.md", "# A course\n");
    }
};

// The text after the report's 16 world rows.
std::string afterWorld(const std::string& out) {
    size_t at = out.find("world:\n");
    for (int row = 0; row <= 16 && at != std::string::npos; ++row)
        at = out.find('\n', at) + 1;
    return at == std::string::npos ? out : out.substr(at);
}

TEST_F(GradeTest, AGoalRunReportsThenComparesAndExitsWith0Or4) {
    writeFile("w.sit", "pindle 5,5\nthing 3,3 a\nthing 20,1 b\n");
    writeFile("p.pnd", "define main as { move }\n");
    writeFile("stop.pnd", "define main as { left pause left }\n");
    writeFile("met.sit", "pindle 4,5 north thing 3,3 a thing 20,1 b\n");
    writeFile("far.sit", "thing 3,3 \\ thing 20,1 b thing 7,2 Q pindle 4,6 east\n");
    Result r = run({"--goal", "met.sit", "w.sit", "p.pnd"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("end: finished\n"), std::string::npos);
    EXPECT_EQ(afterWorld(r.out), "outside 1 20 'b'\ngoal: met\n");

    r = run({"--goal", "far.sit", "w.sit", "stop.pnd"});
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(afterWorld(r.out), "outside 1 20 'b'\ngoal: not met\n"
                                 "differ: end want finished got stopped\n"
                                 "differ: robot want 6 4 east got 5 5 west\n"
                                 "differ: thing 3 3 want '\\\\' got 'a'\n"
                                 "differ: thing 2 7 want 'Q' got none\n");
    r = run({"--goal", "far.sit", "--max-steps", "1", "w.sit", "p.pnd"});
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.out.find("differ: end want finished got limit\n"), std::string::npos);

    // A move blocked in the step that ends main: the run stopped, and graded so.
    writeFile("t/b.sit", "pindle 1,3\n");
    r = run({"--goal", "t/b.sit", "t/b.sit", "p.pnd"});
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(afterWorld(r.out), "goal: not met\ndiffer: end want finished got stopped\n");
    r = run({"--grade", "t", "p.pnd"});
    EXPECT_EQ(r.out, "grade \"p.pnd\" passed 0 of 1\n  fail \"b.sit\" stopped \"Error\" \"Path "
                     "blocked\" step 2\nsummary: 1 programs, 0 passed every world\n");

    // The goal is read first; one that cannot be opened ends the run before the world.
    r = run({"--goal", "none.sit", "w.sit", "p.pnd"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"none.sit\" \"Cannot open world situation file\\n\"\n");
    r = run({"--goal", "met.sit", "none.sit", "p.pnd"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"20 > 15\" \"A 'thing' coordinate in met.sit is out of bounds\"\n"
                     "box \"none.sit\" \"Cannot open world situation file\\n\"\n");
}

TEST_F(GradeTest, WrongUsageOfGoalGradeAndCourse) {
    const std::vector<std::vector<std::string>> cases = {
        {"--goal", "", "w.sit", "p.pnd"},
        {"--check", "--goal", "g.sit", "p.pnd"},
        {"--grade", "t"},
        {"--grade", "--trace", "t", "p.pnd"},
        {"--grade", "--jobs", "0", "t", "p.pnd"},
        {"--grade", "--csv", "", "t", "p.pnd"},
        {"--jobs", "2", "w.sit", "p.pnd"},
        {"--grade", "--check", "t", "p.pnd"},
        {"--grade", "t", "p.pnd", "--max-steps", "0"}, // no grading may run for ever
        {"--course", "c"},
        {"--course", "--max-steps", "0", "c", "ann"},
        {"--course", "--goal", "g.sit", "c", "ann"},
        {"--course", "--grade", "c", "ann"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const auto& a : args)
            line += " [" + a + "]";
        SCOPED_TRACE(line);
        Result r = run(args);
        EXPECT_EQ(r.status, 64);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("usage: pindle-run", 0), 0u);
    }
}

TEST_F(GradeTest, GradeLinesComeInCommandLineOrderWithEveryReason) {
    writeTask();
    writeFile("t/c.goal.sit", "a goal without its world is no world\n");
    writeFile("t/notes.txt", "not a world either\n");
    writeFile("good.pnd", "define main as { move left }\n");
    writeFile("bad.pnd", "define main as {\n  jump }\n");
    writeFile("hop.pnd", "define hop as { move }\n");
    writeFile("pause.pnd", "define main as { left pause left }\n");
    writeFile("spin.pnd", "define main as { while (b1==b1) left }\n");
    writeFile("turn.pnd", "define main as { left }\n");
    const std::string expected =
        "grade \"good.pnd\" passed 1 of 2\n"
        "  fail \"b.sit\" stopped \"Error\" \"Path blocked\" step 2\n"
        "grade \"bad.pnd\" passed 0 of 2\n"
        "  fail \"a.sit\" compile bad.pnd:2:7: Unknown instruction jump\n"
        "  fail \"b.sit\" compile bad.pnd:2:7: Unknown instruction jump\n"
        "grade \"hop.pnd\" passed 0 of 2\n  fail \"a.sit\" nomain\n  fail \"b.sit\" nomain\n"
        "grade \"pause.pnd\" passed 0 of 2\n"
        "  fail \"a.sit\" stopped step 3\n  fail \"b.sit\" stopped step 3\n"
        "grade \"spin.pnd\" passed 0 of 2\n  fail \"a.sit\" limit 50\n  fail \"b.sit\" limit 50\n"
        "grade \"turn.pnd\" passed 1 of 2\n"
        "  fail \"a.sit\" goal robot want 5 4 any got 5 5 west\n"
        "grade \"good.pnd\" passed 1 of 2\n"
        "  fail \"b.sit\" stopped \"Error\" \"Path blocked\" step 2\n"
        "summary: 7 programs, 0 passed every world\n";
    for (const char* jobs : {"1", "3", "64"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        Result r = run({"--grade", "--max-steps", "50", "--jobs", jobs, "t", "good.pnd", "bad.pnd",
                        "hop.pnd", "pause.pnd", "spin.pnd", "turn.pnd", "good.pnd"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.err, "");
    }
    writeFile("t/b.sit", "pindle 5,5\n");
    Result r = run({"--grade", "t/", "good.pnd"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "grade \"good.pnd\" passed 2 of 2\nsummary: 1 programs, 1 passed every world\n");
}

// Reads the CSV and JUnit reports with python3's own modules and prints what they hold.
const char* const readReports = R"(import csv, sys, xml.etree.ElementTree as ET
out = sys.stdout.buffer
rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8', errors='surrogateescape')))
for row in rows:
    out.write('|'.join(row).encode('utf-8', 'surrogateescape') + b'\n')
root = ET.parse(sys.argv[2]).getroot()
cases = root.findall('testsuite/testcase')
assert int(root.get('tests')) == len(cases)
assert int(root.get('failures')) == len(root.findall('testsuite/testcase/failure'))
for suite in root.findall('testsuite'):
    assert int(suite.get('tests')) == len(suite.findall('testcase'))
    assert int(suite.get('failures')) == len(suite.findall('testcase/failure'))
    for case in suite.findall('testcase'):
        failure = case.find('failure')
        reason = failure.get('message') if failure is not None else 'pass'
        out.write(('%s|%s|%s\n' % (suite.get('name'), case.get('name'), reason)).encode())
)";

TEST_F(GradeTest, ReportsParseAsCsvAndJunitAndNameOddFilesExactly) {
    if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "no python3 to parse the reports";
    writeTask();
    const std::string odd = "-my \"odd\", n\xc3\xa4me \xff.pnd";
    writeFile(odd, "define main as { move left }\n");
    writeFile("q.pnd", "define main as { jump \xe9 }\n");
    writeFile("@q.pnd", "define main as { left }\n");
    writeFile("read.py", readReports);
    Result r = run({"--grade", "--csv", "r.csv", "--junit", "r.xml", "--", "t", odd, "q.pnd"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
              "grade \"-my \\\"odd\\\", n\\xc3\\xa4me \\xff.pnd\" passed 1 of 2");
    Result parsed =
        runProcess("/usr/bin/python3", {dir + "/read.py", dir + "/r.csv", dir + "/r.xml"}, dir);
    EXPECT_EQ(parsed.status, 0) << parsed.err;
    const std::string boxed = "stopped \"Error\" \"Path blocked\" step 2";
    const std::string fault = "compile q.pnd:1:22: Unknown instruction jump";
    // A name a spreadsheet would take for a formula gets a ' in front, inside the quotes.
    EXPECT_EQ(parsed.out, "program|world|result|steps|reason\n'" + odd + "|a.sit|pass|3|\n'" + odd +
                              "|b.sit|fail|2|" + boxed + "\nq.pnd|a.sit|fail|0|" + fault +
                              "\nq.pnd|b.sit|fail|0|" + fault +
                              "\n-my \"odd\", n\xc3\xa4me \\xff.pnd|a.sit|pass\n"
                              "-my \"odd\", n\xc3\xa4me \\xff.pnd|b.sit|" +
                              boxed + "\n" + "q.pnd|a.sit|" + fault + "\nq.pnd|b.sit|" + fault +
                              "\n");
    r = run({"--grade", "t", "@q.pnd", "--csv", "r.csv"});
    EXPECT_EQ(readAll(dir + "/r.csv"), "program,world,result,steps,reason\n"
                                       "'@q.pnd,a.sit,fail,2,goal robot want 5 4 any got 5 5 west\n"
                                       "'@q.pnd,b.sit,pass,2,\n");
}

TEST_F(GradeTest, AReportThatCannotBeWrittenExitsWith2AndLeavesNoFile) {
    writeTask();
    writeFile("p.pnd", "define main as { if (frontClear) move }\n");
    writeFile("old.csv", "the old report\n");
    fs::create_directory(dir + "/folder.xml");
    for (std::string target : {"missing/r.csv", "folder.xml", "/dev/full"}) {
        SCOPED_TRACE(target);
        Result r = run({"--grade", "--csv", target, "t", "p.pnd"});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("pindle-run: cannot write " + target + ": "), std::string::npos)
            << r.err;
    }
    EXPECT_FALSE(fs::exists(dir + "/missing"));
    EXPECT_TRUE(fs::is_directory(dir + "/folder.xml"));
    EXPECT_TRUE(fs::is_empty(dir + "/folder.xml"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    Result r = run({"--grade", "--csv", "old.csv", "t", "p.pnd"});
    EXPECT_EQ(r.status, 0);
    std::ifstream in(dir + "/old.csv");
    std::string header;
    std::getline(in, header);
    EXPECT_EQ(header, "program,world,result,steps,reason");
    size_t files = 0;
    for (auto& entry : fs::directory_iterator(dir))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 4u) << "p.pnd, old.csv and the caught output; nothing left beside them";
}

TEST_F(GradeTest, BundledTasksPassWithTheirSolutionsAndWrongProgramsFailForTheirReasons) {
    writeFile("wall.pnd", "define main as { while (frontClear) move }\n");
    writeFile("nocarry.pnd", "define turnRight as { left left left }\n"
                             "define main as { turnRight while (frontClear) move }\n");
    writeFile("spin.pnd", "define main as { while (not cornerHasSomething) left }\n");
    const struct {
        const char* task;
        const char* wrong;
        const char* firstFail;
    } tasks[] = {
        {"maze", "spin.pnd", "  fail \"maze1.sit\" limit 100000\n"},
        {"letters", "nocarry.pnd", "  fail \"letters1.sit\" goal thing 2 3 want none got 'P'\n"},
        {"mountain", EXAMPLES_DIR "/mountain.pnd",
         "  fail \"mountain2.sit\" stopped \"Error\" \"Path blocked\" step 68\n"},
        {"mountain", "wall.pnd",
         "  fail \"mountain1.sit\" goal robot want 10 13 east got 1 1 "
         "north\n"},
    };
    for (const auto& t : tasks) {
        SCOPED_TRACE(t.task);
        std::string folder = std::string(EXAMPLES_DIR) + "/tasks/" + t.task;
        Result r = run({"--grade", "--max-steps", "100000", folder, folder + ".pnd", t.wrong});
        EXPECT_EQ(r.status, 1);
        std::string pass = "grade \"" + folder + ".pnd\" passed 3 of 3\n";
        EXPECT_EQ(r.out.rfind(pass, 0), 0u) << r.out;
        size_t grade = r.out.find('\n', pass.size()) + 1;
        EXPECT_EQ(r.out.substr(grade, std::string(t.firstFail).size()), t.firstFail) << r.out;
    }
}

TEST_F(GradeTest, TaskAndCourseFoldersThatCannotBeUsedExitWith2AndPrintNothing) {
    writeFile("p.pnd", "define main as { move }\n");
    writeFile("empty/only.goal.sit", "pindle 1,1\n");
    writeFile("empty/notes/readme.txt", "no worlds here\n");
    for (std::string mode : {"--grade", "--course"})
        for (std::string folder : {"none", "p.pnd", "empty"}) {
            SCOPED_TRACE(mode + " " + folder);
            Result r = run({mode, "--csv", "r.csv", folder, "p.pnd"});
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err.find("pindle-run: "), std::string::npos);
            EXPECT_NE(r.err.find(folder), std::string::npos) << r.err;
            EXPECT_FALSE(fs::exists(dir + "/r.csv"));
        }
}

TEST_F(GradeTest, HostileTaskFoldersGradeEveryWorldThatCanBeRead) {
    const int many = 300;
    for (int k = 0; k < many; ++k)
        writeFile("t/w" + std::to_string(1000 + k) + ".sit", "pindle 5,5\n");
    writeFile("t/w1000.goal.sit", "pindle 4,5\n");
    fs::create_directory(dir + "/t/w1001.goal.sit"); // a goal that cannot be read
    fs::create_directory(dir + "/t/dir.sit");
    fs::create_symlink("/dev/zero", dir + "/t/zero.sit");
    ASSERT_EQ(mkfifo((dir + "/t/fifo.sit").c_str(), 0600), 0);
    writeFile("p.pnd", "define main as { move }\n");
    writeFile("endless.pnd", "define main as { while (frontClear) { left } }\n");
    Result r = run({"--grade", "--max-steps", "1000", "t", "p.pnd", "endless.pnd", "p.pnd"});
    EXPECT_FALSE(r.hung);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    const std::string unread = "  fail \"dir.sit\" error \"t/dir.sit\" \"Cannot open world "
                               "situation file\\n\"\n"
                               "  fail \"fifo.sit\" error \"t/fifo.sit\" \"Cannot open world "
                               "situation file\\n\"\n";
    const std::string goal = "  fail \"w1001.sit\" error \"t/w1001.goal.sit\" \"Cannot open world "
                             "situation file\\n\"\n";
    const std::string total = " of " + std::to_string(many + 3) + "\n";
    const std::string zero = "  fail \"zero.sit\" error \"t/zero.sit\" \"Cannot open world "
                             "situation file\\n\"\n";
    const std::string passed =
        "grade \"p.pnd\" passed " + std::to_string(many - 1) + total + unread + goal + zero;
    EXPECT_EQ(r.out.rfind(passed, 0), 0u) << r.out.substr(0, 600);
    EXPECT_NE(r.out.find("grade \"endless.pnd\" passed 0" + total + unread +
                         "  fail \"w1000.sit\" limit 1000\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("\n" + passed), std::string::npos) << "a program given twice";
    EXPECT_EQ(r.out.substr(r.out.rfind("summary")), "summary: 3 programs, 0 passed every world\n");
}

TEST_F(GradeTest, AnOutputThatNamesAnInputOrAnotherOutputIsRefusedAndNothingWritten) {
    writeTask();
    const std::string program = "define main as { if (frontClear) move }\n";
    writeFile("s1.pnd", program);
    fs::create_symlink("s1.pnd", dir + "/link.pnd");
    fs::create_hard_link(dir + "/t/a.sit", dir + "/hard.sit");
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"s1.pnd", {"--grade", "--csv", "s1.pnd", "t", "s1.pnd"}},
        {"t/a.goal.sit", {"--grade", "--csv", "t/a.goal.sit", "t", "s1.pnd"}},
        {"link.pnd", {"--grade", "--junit", "link.pnd", "t", "s1.pnd"}},
        {"hard.sit", {"--grade", "--csv", "hard.sit", "t", "s1.pnd"}},
        {"./x", {"--grade", "--csv", "x", "--junit", "./x", "t", "s1.pnd"}},
        {"t/b.sit", {"--picture", "t/b.sit", "t/b.sit", "s1.pnd"}},
        {"hard.sit", {"--picture", "hard.sit", "--goal", "t/a.sit", "t/b.sit", "s1.pnd"}},
    };
    for (const auto& [output, args] : cases) {
        SCOPED_TRACE(output);
        Result r = run(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("pindle-run: will not write " + output + ": it is the same file", 0),
                  0u)
            << r.err;
    }
    EXPECT_EQ(readAll(dir + "/s1.pnd"), program);
    EXPECT_EQ(readAll(dir + "/t/b.sit"), "pindle 1,3\n");
    EXPECT_EQ(readAll(dir + "/hard.sit"), "pindle 5,5\nthing 2,2 x\n");
    EXPECT_FALSE(fs::exists(dir + "/x"));
}

TEST_F(GradeTest, StreamsAreWrittenAsTheyAreAppendingWhereTheyAppend) {
    writeTask();
    writeFile("s1.pnd", "define main as { if (frontClear) move }\n");
    writeFile("log.txt", "earlier\n");
    const std::string grade = "grade \"s1.pnd\" passed 2 of 2\nsummary: 1 programs, 1 passed every "
                              "world\n";
    const std::string csv = "program,world,result,steps,reason\ns1.pnd,a.sit,pass,3,\n"
                            "s1.pnd,b.sit,pass,2,\n";
    // Appended to by the shell, through a pipe, and through a descriptor of its own.
    const std::string run = "'" PINDLE_RUN "' --grade ";
    RunOptions here;
    here.cwd = dir;
    Result shell = runProcess("/bin/sh",
                              {"-c", run + "--csv /dev/stdout t s1.pnd >> log.txt && " + run +
                                         "--csv - t s1.pnd | cat >> log.txt && " + run +
                                         "--csv /dev/fd/3 --junit /dev/null t s1.pnd 3>> log.txt"},
                              dir, here);
    EXPECT_EQ(shell.status, 0) << shell.err;
    EXPECT_EQ(readAll(dir + "/log.txt"), "earlier\n" + grade + csv + grade + csv + csv);
    size_t files = 0;
    for (auto& entry : fs::directory_iterator(dir))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 4u) << "s1.pnd, log.txt and the caught output; no file left beside them";
}

TEST_F(GradeTest, ARunWhoseProcessIsKilledFailsAndTheWorldsAfterItAreStillGraded) {
    writeFile("t/a.sit", "pindle 5,5\nthing 5,5 x\n"); // spins until it is killed
    for (char w = 'b'; w <= 'h'; ++w) // runs that one process takes after the first
        writeFile(std::string("t/") + w + ".sit", "pindle 5,5\n");
    writeFile("spin.pnd", "define main as { while (cornerHasSomething) left }\n");
    pid_t grader = fork();
    if (grader == 0) {
        chdir(dir.c_str());
        freopen("out.txt", "w", stdout);
        execl(PINDLE_RUN, PINDLE_RUN, "--grade", "--jobs", "1", "--max-steps", "999999999999", "t",
              "spin.pnd", static_cast<char*>(nullptr));
        _exit(127);
    }
    usleep(300000);
    Result child = runProcess("/usr/bin/pgrep", {"-P", std::to_string(grader)}, dir);
    ASSERT_NE(child.out, "");
    ASSERT_EQ(kill(std::stoi(child.out), SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(grader, &status, 0), grader);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_EQ(readAll(dir + "/out.txt"),
              "grade \"spin.pnd\" passed 7 of 8\n  fail \"a.sit\" error \"pindle-run\" \"the run "
              "was ended by signal 9\"\nsummary: 1 programs, 0 passed every world\n");
}

TEST_F(GradeTest, ASignalToTheGraderEndsEveryRunAndLeavesNoReport) {
    writeTask();
    writeFile("spin.pnd", "define main as { while (b1==b1) left }\n");
    std::string task = dir + "/t"; // names this grading's runs among the processes
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(sig);
        pid_t grader = fork();
        if (grader == 0) {
            chdir(dir.c_str());
            execl(PINDLE_RUN, PINDLE_RUN, "--grade", "--max-steps", "999999999999", "--csv",
                  "r.csv", task.c_str(), "spin.pnd", "spin.pnd", static_cast<char*>(nullptr));
            _exit(127);
        }
        usleep(300000);
        ASSERT_EQ(kill(grader, sig), 0);
        int status = 0;
        ASSERT_EQ(waitpid(grader, &status, 0), grader);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig);
        usleep(100000);
        Result left = runProcess("/usr/bin/pgrep", {"-f", task}, dir);
        EXPECT_EQ(left.out, "") << "runs left spinning";
        EXPECT_FALSE(fs::exists(dir + "/r.csv"));
    }
}

TEST_F(GradeTest, StudentsInTheOrderGivenWithEveryTaskNotSolved) {
    writeCourse();
    writeFile("ann/up.pnd", "define main as { move }\n");
    writeFile("ann/Stay.pnd", "define main as { left }\n");
    writeFile("bob/up.pnd", "define main as {\n  if (facingNorth) jump }\n");
    writeFile("cy/up.pnd", "define main as { move move }\n");
    writeFile("cy/Stay.pnd", "define main as { move }\n");
    const std::string expected = "course \"ann\" solved 2 of 2\n"
                                 "course \"bob\" solved 0 of 2\n"
                                 "  task \"Stay\" missing\n"
                                 "  task \"up\" passed 0 of 2\n"
                                 "course \"cy\" solved 0 of 2\n"
                                 "  task \"Stay\" passed 0 of 1\n"
                                 "  task \"up\" passed 0 of 2\n"
                                 "course \"gone\" solved 0 of 2\n"
                                 "  task \"Stay\" missing\n"
                                 "  task \"up\" missing\n"
                                 "course \"ann/up.pnd\" solved 0 of 2\n"
                                 "  task \"Stay\" missing\n"
                                 "  task \"up\" missing\n"
                                 "summary: 5 students, 1 solved every task\n";
    for (const char* jobs : {"1", "4"}) {
        SCOPED_TRACE(jobs);
        Result r = run({"--course", "--jobs", jobs, "c", "ann", "bob", "cy", "gone", "ann/up.pnd"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.err, "");
    }
    Result r = run({"--course", "c/", "ann", "--max-steps", "5"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "course \"ann\" solved 2 of 2\nsummary: 1 students, 1 solved every task\n");
}

TEST_F(GradeTest, ReportsHaveARowAndACaseForEveryWorldAndOneForAMissingTask) {
    writeCourse();
    writeFile("s/x/up.pnd", "define main as {\n  jump }\n");
    writeFile("=t/Stay.pnd", "define main as { pause }\n");
    Result r = run({"--course", "--csv", "r.csv", "--junit", "r.xml", "c", "s/x", "=t"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(readAll(dir + "/r.csv"),
              "student,task,world,result,steps,reason\n"
              "s/x,Stay,,missing,0,\n"
              "s/x,up,a.sit,fail,0,compile s/x/up.pnd:2:7: Unknown instruction jump\n"
              "s/x,up,b.sit,fail,0,compile s/x/up.pnd:2:7: Unknown instruction jump\n"
              "'=t,Stay,s.sit,fail,2,stopped step 2\n"
              "'=t,up,,missing,0,\n");
    const std::string missing = "      <failure message=\"missing\" type=\"missing\">missing"
                                "</failure>\n    </testcase>\n";
    const std::string fault = "compile s/x/up.pnd:2:7: Unknown instruction jump";
    const std::string failure = "      <failure message=\"" + fault + "\" type=\"compile\">" +
                                fault + "</failure>\n    </testcase>\n";
    EXPECT_EQ(readAll(dir + "/r.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<testsuites tests=\"5\" failures=\"5\" errors=\"0\" skipped=\"0\">\n"
              "  <testsuite name=\"s/x\" tests=\"3\" failures=\"3\" errors=\"0\" skipped=\"0\">\n"
              "    <testcase classname=\"s/x\" name=\"Stay\">\n" +
                  missing + "    <testcase classname=\"s/x\" name=\"up/a.sit\">\n" + failure +
                  "    <testcase classname=\"s/x\" name=\"up/b.sit\">\n" + failure +
                  "  </testsuite>\n"
                  "  <testsuite name=\"=t\" tests=\"2\" failures=\"2\" errors=\"0\" "
                  "skipped=\"0\">\n"
                  "    <testcase classname=\"=t\" name=\"Stay/s.sit\">\n"
                  "      <failure message=\"stopped step 2\" type=\"stopped\">stopped step 2"
                  "</failure>\n    </testcase>\n"
                  "    <testcase classname=\"=t\" name=\"up\">\n" +
                  missing + "  </testsuite>\n</testsuites>\n");
}

TEST_F(GradeTest, CourseOutputsNamingAnyInputAreRefused) {
    writeCourse();
    writeFile("ann/up.pnd", "define main as { move }\n");
    // A course file, a task's file, a student's program and one a student has not written yet.
    for (std::string output : {"c/course.md", "c/up/task.md", "ann/up.pnd", "ann/Stay.pnd"}) {
        SCOPED_TRACE(output);
        Result r = run({"--course", "--junit", output, "c", "ann"});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("pindle-run: will not write " + output + ": it is the same file", 0),
                  0u)
            << r.err;
    }
    EXPECT_FALSE(fs::exists(dir + "/ann/Stay.pnd"));
}

TEST_F(GradeTest, TheBundledCourseIsSolvedByItsSolutionsAndNotByThoseOfTheTaskBefore) {
    RunOptions examples;
    examples.cwd = EXAMPLES_DIR; // short names: every path fits the runner's 79 characters
    Result r = runProcess(PINDLE_RUN, {"--course", "course", "course-solutions"}, dir, examples);
    EXPECT_EQ(r.status, 0) << r.out;
    size_t tasks = 0;
    EXPECT_EQ(std::sscanf(r.out.c_str(), "course \"course-solutions\" solved %zu of", &tasks), 1);
    EXPECT_GE(tasks, 24u);
    EXPECT_EQ(r.out, "course \"course-solutions\" solved " + std::to_string(tasks) + " of " +
                         std::to_string(tasks) + "\nsummary: 1 students, 1 solved every task\n");
    // Each task asks for something new: the program of the task before it solves none.
    std::vector<fs::path> solutions;
    for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR "/course-solutions"))
        solutions.push_back(entry.path());
    std::sort(solutions.begin(), solutions.end());
    fs::create_directory(dir + "/before");
    for (size_t k = 1; k < solutions.size(); ++k)
        fs::copy_file(solutions[k - 1], dir + "/before/" + solutions[k].filename().string());
    r = runProcess(PINDLE_RUN, {"--course", "course", dir + "/before"}, dir, examples);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("course \"" + dir + "/before\" solved 0 of", 0), 0u) << r.out;
}

} // namespace
