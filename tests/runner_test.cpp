// pindle-run as its users see it: a process with arguments, output and an exit status.
#include <gtest/gtest.h>

#include "tests/process.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The 16 rows of an empty world picture with the given rows replaced.
std::string picture(const std::vector<std::pair<int, std::string>>& rows) {
    std::string lines[16];
    for (auto& l : lines)
        l = std::string(16, '.');
    for (const auto& [y, text] : rows)
        lines[y] = text;
    std::string out;
    for (const auto& l : lines)
        out += l + "\n";
    return out;
}

const std::string emptyWorld = picture({});

class RunnerTest : public ::testing::Test {
  protected:
    std::string dir;

    void SetUp() override {
        char pattern[] = "/tmp/pindle-run-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string writeFile(const std::string& name, const std::string& text) {
        std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Runs pindle-run with args, its standard output and error caught in files.
    Result run(const std::vector<std::string>& args) { return runProcess(PINDLE_RUN, args, dir); }

    // Runs PROGRAM on a world, both given as text.
    Result runOn(const std::string& world, const std::string& program,
                 std::vector<std::string> options = {}) {
        options.push_back(writeFile("w.sit", world));
        options.push_back(writeFile("p.pnd", program));
        return run(options);
    }
};

TEST_F(RunnerTest, HelpAndVersion) {
    Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(
        help.out.rfind("usage: pindle-run [--max-steps N] [--trace [--lines]] [--goal GOAL.sit] "
                       "[--] WORLD.sit PROGRAM.pnd\n",
                       0),
        0u);
    EXPECT_EQ(help.err, "");
    Result noArgs = run({});
    EXPECT_EQ(noArgs.err, help.out); // the same usage text, on standard error

    Result version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("pindle-run", 0), 0u);
    EXPECT_EQ(version.err, "");
}

TEST_F(RunnerTest, WrongUsageExitsWith64AndAUsageLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"w.sit"},
        {"w.sit", "p.pnd", "q.pnd"},
        {"w.sit", "p.pnd", "--max-steps"},
        {"w.sit", "p.pnd", "--", "--trace"},
        {"--frobnicate", "w.sit", "p.pnd"},
        {"-t", "w.sit", "p.pnd"},
        {"--max-steps"},
        {"--max-steps", "w.sit", "p.pnd"},
        {"--max-steps", "-1", "w.sit", "p.pnd"},
        {"--max-steps", "+5", "w.sit", "p.pnd"},
        {"--max-steps", "1x", "w.sit", "p.pnd"},
        {"--max-steps", "", "w.sit", "p.pnd"},
        {"--max-steps", " 5", "w.sit", "p.pnd"},
        {"--max-steps", "99999999999999999999999", "w.sit", "p.pnd"},
        {"--check"},
        {"--check", "p.pnd", "q.pnd"},
        {"--check", "--trace", "p.pnd"},
        {"--check", "--dump", "p.pnd"},
        {"--dump"},
        {"--dump", "--max-steps", "5", "p.pnd"},
        {"--help", "p.pnd"},
        {"--version", "--help"},
        {"--check", "--"},
        {"--", "--trace", "w.sit", "p.pnd"},
        {"--lines", "w.sit", "p.pnd"},
        {"--list"},
        {"--list", "--trace", "p.pnd"},
        {"--list", "--check", "p.pnd"},
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

TEST_F(RunnerTest, CheckGivesTheVerdictBoxAndFaultLines) {
    Result good = run({"--check", writeFile("good.pnd", "define main as { move }\n")});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, "box \"Parses OK\" \"Program is syntactically correct\"\n");
    EXPECT_EQ(good.err, "");

    std::string bad = writeFile("bad.pnd", "define main as {\n  move\n  jump }\n");
    Result r = run({"--check", bad});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"Line 3\" \"Unknown instruction\\njump\"\n"
                     "box \"error\" \"Error in Pindle program\"\n");
    EXPECT_EQ(r.err, bad + ":3:7: error: Unknown instruction jump\n");

    std::string missing = dir + "/none.pnd";
    r = run({"--check", missing});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("\"No such file as\\n" + missing + "\"\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(": error: No such file as " + missing + "\n"), std::string::npos);

    r = run({"--check", dir}); // a directory is no program file
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("No such file as"), std::string::npos) << r.out;
}

// Scripts read the runner's output: it is English whatever the desktop's language.
TEST_F(RunnerTest, OutputIsTheSameInEveryLanguage) {
    std::vector<std::vector<std::string>> runs = {
        {"--check", writeFile("bad.pnd", "define main as {\n  jump }\n")},
        {"--check", dir + "/none.pnd"},
        {writeFile("w.sit", "wall 5,6 5,8\npindle 7,7\n"),
         writeFile("p.pnd", "define main as { move move }\n")}};
    std::vector<Result> english;
    for (const auto& args : runs)
        english.push_back(run(args));
    setenv("LANGUAGE", "de", 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    for (size_t k = 0; k < runs.size(); ++k) {
        Result german = run(runs[k]);
        EXPECT_EQ(german.out, english[k].out);
        EXPECT_EQ(german.err, english[k].err);
        EXPECT_EQ(german.status, english[k].status);
    }
    unsetenv("LANGUAGE");
    unsetenv("LC_ALL");
}

TEST_F(RunnerTest, OptionsComeAmongTheFilesAndDoubleDashEndsThem) {
    writeFile("-w.sit", "pindle 5,5\n");
    writeFile("-p.pnd", "define main as { move }\n");
    RunOptions here;
    here.cwd = dir;
    Result r = runProcess(PINDLE_RUN, {"--trace", "--", "-w.sit", "-p.pnd"}, dir, here);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("step 1 \"main\"\nstep 2 \"move..done!\"\nend: finished\n", 0), 0u);
    r = runProcess(PINDLE_RUN, {"--check", "--", "-p.pnd"}, dir, here);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "box \"Parses OK\" \"Program is syntactically correct\"\n");
    r = runProcess(PINDLE_RUN, {"--dump", "--", "-p.pnd", "-p.pnd"}, dir, here);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0 main \"M\"\n");
    r = runProcess(PINDLE_RUN, {"--", "-w.sit", "--trace"}, dir, here);
    EXPECT_EQ(r.status, 2) << "a program named --trace";
    r = runProcess(PINDLE_RUN, {"-w.sit", "--max-steps", "1", "-p.pnd", "--trace"}, dir, here);
    EXPECT_EQ(r.status, 64) << "-w.sit is an unknown option without --";
    writeFile("w.sit", "pindle 5,5\n");
    r = runProcess(PINDLE_RUN, {"w.sit", "--max-steps", "1", "--", "-p.pnd", "--trace"}, dir, here);
    EXPECT_EQ(r.status, 64) << "three files";
    r = runProcess(PINDLE_RUN, {"w.sit", "--max-steps", "1", "--trace", "--", "-p.pnd"}, dir, here);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out.rfind("step 1 \"main\"\nend: limit\n", 0), 0u);
}

TEST_F(RunnerTest, DumpPrintsTheTableWithLiteralsEscaped) {
    std::string d1 =
        writeFile("d1.pnd", "define turn as { if (not b1=='x') write else { left left } }\n"
                            "define main as { while (frontClear) move left }\n");
    Result r = run({"--dump", d1});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0 main \"wFM}L\"\n1 turn \"fnA=\\xf8W}eLL}\"\n");
    EXPECT_EQ(r.err, "");

    // Later files replace earlier definitions in place; a failing file stops nothing.
    std::string bad = writeFile("bad.pnd", "define hop as { left }\ndefine main as { jump }\n");
    std::string d2 = writeFile("d2.pnd", "define main as { move }\ndefine turn as { pause }\n"
                                         "define zz as { turn hop }\n");
    r = run({"--dump", d1, bad, d2});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"Line 2\" \"Unknown instruction\\njump\"\n"
                     "0 main \"M\"\n1 turn \"p\"\n2 hop \"L\"\n3 zz \"r01r02\"\n");
    EXPECT_EQ(r.err, bad + ":2:22: error: Unknown instruction jump\n");
}

TEST_F(RunnerTest, BoxLinesQuoteLineFeedsQuotesAndHighBytes) {
    std::string odd = dir + "/a\"b\\c\xe9\nd.sit";
    Result r = run({odd, writeFile("p.pnd", "define main as { move }\n")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"" + dir +
                         "/a\\\"b\\\\c\\xe9\\nd.sit\" \"Cannot open world situation file\\n\"\n");
    EXPECT_EQ(r.err, "");

    r = run({"--check", writeFile("hi.pnd", "define main as { \xe9t\xe9\t}\n")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1),
              "box \"Line 1\" \"Unknown token at\\n\\xe9t\\xe9\\t}\\n\"\n");
}

TEST_F(RunnerTest, FaultLinesKeepFileNamesOnOneLine) {
    std::string odd = writeFile("a\nb\tc\x01\xe9\\.pnd", "define main as { jump }\n");
    Result r = run({"--check", odd});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, dir + "/a\\nb\\tc\\x01\\xe9\\\\.pnd:1:22: error: Unknown instruction jump\n");

    r = run({"--check", dir + "/x\ny.pnd"}); // the name is also the token, its line feed a space
    EXPECT_EQ(r.err, dir + "/x\\ny.pnd:0:1: error: No such file as " + dir + "/x y.pnd\n");
}

TEST_F(RunnerTest, OutputThatCannotBeWrittenExitsWith2) {
    std::string world = writeFile("w.sit", "pindle 5,5\n");
    std::string good = writeFile("good.pnd", "define main as { move }\n");
    std::string bad = writeFile("bad.pnd", "define main as { jump }\n");
    RunOptions full, closedPipe, errFull;
    full.outTo = errFull.errTo = "/dev/full";
    closedPipe.outToClosedPipe = true;
    const std::vector<std::vector<std::string>> modes = {
        {world, good}, {"--check", good}, {"--dump", good}, {"--help"}, {"--version"}};
    for (const RunOptions& opt : {full, closedPipe}) {
        for (const auto& args : modes) {
            SCOPED_TRACE(args[0] + (opt.outToClosedPipe ? " | closed pipe" : " > /dev/full"));
            Result r = runProcess(PINDLE_RUN, args, dir, opt);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.err, "pindle-run: could not write standard output\n");
        }
    }
    // A fault line and a usage line that cannot be written.
    EXPECT_EQ(runProcess(PINDLE_RUN, {"--check", bad}, dir, errFull).status, 2);
    EXPECT_EQ(runProcess(PINDLE_RUN, {}, dir, errFull).status, 2);
}

TEST_F(RunnerTest, MountainExampleFinishes) {
    Result r = run({EXAMPLES_DIR "/mountain.sit", EXAMPLES_DIR "/mountain.pnd"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "end: finished\n"
                     "steps: 111\n"
                     "status: \"write..done!\"\n"
                     "robot: 10 13 east\n"
                     "b1='F'\n"
                     "b2=???\n"
                     "world:\n" +
                         picture({{7, ".......F........"},
                                  {8, ".......#........"},
                                  {9, ".......#........"},
                                  {10, "......###......."},
                                  {11, "......###......."},
                                  {12, ".....#####......"},
                                  {13, ".....#####F....."}}));
}

TEST_F(RunnerTest, TraceShowsEveryStepsStatus) {
    Result r = runOn("pindle 5,5\n",
                     "define main as {\n"
                     "  if (facingNorth) left else move\n"
                     "  while (not facingNorth) left\n"
                     "  if (b1==b2) move\n"
                     "  if (cornerHasSomething) move else read\n"
                     "}\n",
                     {"--trace"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "step 1 \"main\"\n"
                     "step 2 \"if (facingNorth\"\n"
                     "step 3 \"left\"\n"
                     "step 4 \"while (not facingNorth\"\n"
                     "step 5 \"left\"\n"
                     "step 6 \"while (not facingNorth\"\n"
                     "step 7 \"left\"\n"
                     "step 8 \"while (not facingNorth\"\n"
                     "step 9 \"left\"\n"
                     "step 10 \"while (not facingNorth\"\n"
                     "step 11 \"if (b1==?)\"\n"
                     "step 12 \"move\"\n"
                     "step 13 \"..else\"\n"
                     "step 14 \"read..done!\"\n"
                     "end: finished\n"
                     "steps: 14\n"
                     "status: \"read..done!\"\n"
                     "robot: 5 4 north\n"
                     "b1=' '\n"
                     "b2=???\n"
                     "world:\n" +
                         emptyWorld);
}

TEST_F(RunnerTest, LinesTellWhereTheNextStepComesFromAndListShowsEveryRow) {
    std::string program = "define turn as { left }\n"
                          "define main as {\n"
                          "  turn\n"
                          "  if (facingNorth) move else { read }\n"
                          "}\n";
    Result r = runOn("pindle 5,5\n", program, {"--trace", "--lines"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("end:")), "step 1 \"main\" 3:3\n"
                                                   "step 2 \"turn\" 1:18\n"
                                                   "step 3 \"left\" 4:3\n"
                                                   "step 4 \"..else\" 4:32\n"
                                                   "step 5 \"read..done!\" -\n");

    Result list = run({"--list", writeFile("p.pnd", program)});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "box \"Parses OK\" \"Program is syntactically correct\"\n"
                        "0 main\n"
                        "  3:3 call turn (row 1)\n"
                        "  4:3 if (facingNorth) ...\n"
                        "  4:20   move\n"
                        "  4:32   else read\n"
                        "1 turn\n"
                        "  1:18 left\n");
    Result bad = run({"--list", writeFile("q.pnd", "define main as { jump }\n")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.out.find("box \"error\" \"Error in Pindle program\"\n"), std::string::npos);
}

TEST_F(RunnerTest, PauseAndBlockedMoveStopTheRun) {
    Result r = runOn("pindle 5,5\n", "define main as { move pause move }\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "end: stopped\nsteps: 3\nstatus: \"pause\"\nrobot: 5 4 north\n"
                     "b1=???\nb2=???\nworld:\n" +
                         emptyWorld);

    r = runOn("pindle 1,3\n", "define main as { move left }\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "box \"Error\" \"Path blocked\"\nend: stopped\nsteps: 2\nstatus: \"move\"\n"
                     "robot: 3 1 north\nb1=???\nb2=???\nworld:\n" +
                         emptyWorld);

    // Board errors are reported and the run goes on.
    r = runOn("pindle 5,5\n", "define main as { write b1=b2 b2=b1 left }\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "box \"Nothing to output!\" \"Board b1 is uninitialized\"\n"
                     "box \"Nothing to copy!\" \"Board b2 is uninitialized\"\n"
                     "box \"Nothing to copy!\" \"Board b1 uninitialized\"\n"
                     "end: finished\nsteps: 5\nstatus: \"left..done!\"\nrobot: 5 5 west\n"
                     "b1=???\nb2=???\nworld:\n" +
                         emptyWorld);
}

TEST_F(RunnerTest, StepLimitAndTheLastStep) {
    struct Case {
        const char* program;
        const char* maxSteps;
        int status;
        const char* head; // the report's first three lines
    } cases[] = {
        {"define main as { while (b1==b1) left }", "10", 3,
         "end: limit\nsteps: 10\nstatus: \"while (b1==?)\"\n"},
        {"define main as { move }", "1", 3, "end: limit\nsteps: 1\nstatus: \"main\"\n"},
        {"define main as { move }", "2", 0, "end: finished\nsteps: 2\nstatus: \"move..done!\"\n"},
        {"define main as { left pause left }", "3", 1,
         "end: stopped\nsteps: 3\nstatus: \"pause\"\n"},
        {"define main as { left left left left left }", "0", 0,
         "end: finished\nsteps: 6\nstatus: \"left..done!\"\n"},
        {"define main as { }", "2", 0, "end: finished\nsteps: 2\nstatus: \"main\"\n"},
        // A pause or a blocked move in the step that ends main stops the run all the same.
        {"define main as { left pause }", "0", 1,
         "end: stopped\nsteps: 3\nstatus: \"pause..done!\"\n"},
        {"define main as { move move move move move }", "0", 1,
         "box \"Error\" \"Path blocked\"\nend: stopped\nsteps: 6\nstatus: \"move..done!\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.program) + " --max-steps " + c.maxSteps);
        Result r = runOn("pindle 5,5\n", c.program, {"--max-steps", c.maxSteps});
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out.substr(0, std::string(c.head).size()), c.head);
        EXPECT_EQ(r.err, "");
    }

    Result traced = runOn("pindle 5,5\n", "define main as { while (b1==b1) left }",
                          {"--trace", "--max-steps", "4"});
    EXPECT_EQ(traced.out.substr(0, traced.out.find("end:")),
              "step 1 \"main\"\nstep 2 \"while (b1==?)\"\nstep 3 \"left\"\n"
              "step 4 \"while (b1==?)\"\n");
}

TEST_F(RunnerTest, RunsThatCannotStartPrintNoReport) {
    std::string program = writeFile("p.pnd", "define main as { move }\n");
    std::string missing = dir + "/none.sit";
    Result r = run({missing, program});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"" + missing + "\" \"Cannot open world situation file\\n\"\n");
    EXPECT_EQ(r.err, "");

    r = run({dir, program}); // a directory is no situation file
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"" + dir + "\" \"Cannot open world situation file\\n\"\n");

    // The world is read before the program: its boxes come first.
    std::string world = writeFile("w.sit", "thing 16,1 a\n");
    std::string none = dir + "/none.pnd";
    r = run({world, none});
    EXPECT_EQ(r.status, 2);
    std::string boundsBox =
        "box \"16 > 15\" \"A 'thing' coordinate in " + world + " is out of bounds\"\n";
    ASSERT_EQ(r.out.rfind(boundsBox, 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\"No such file as\\n" + none + "\"\n", boundsBox.size()),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("end:"), std::string::npos);

    r = run({world, writeFile("hop.pnd", "define hop as { move }\n")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, boundsBox + "box \"main?\" \"No 'main' instruction in program\"\n");

    std::string longName = dir + "/" + std::string(80, 'n') + ".sit";
    r = run({longName, program});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"" + longName + "\" \"File name too long (max is 80)\"\n");
    r = run({"--check", longName});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "box \"" + longName + "\" \"File name too long (max is 80)\"\n");

    r = run({world, writeFile("bad.pnd", "define main as { move\nturn }\n")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out.find("end:"), std::string::npos);
    EXPECT_EQ(r.err, dir + "/bad.pnd:2:5: error: Unknown instruction turn\n");
}

TEST_F(RunnerTest, WorldReportShowsStoredCornersAndOutsideOnes) {
    Result r = runOn("wall 0,0 0,3\n"
                     "thing 2,2 \xe9\n"
                     "thing 3,3 \\\n"
                     "thing 4,1 ~ thing 4,2 !\n"
                     "thing 16,3 a\n"
                     "thing 3,16 b\n"
                     "thing -1,2 c\n"
                     "thing -1,9 d\n"
                     "thing 4,-2 e\n"
                     "thing 20,20 \xe9\n"
                     "wall 5,14 5,17\n",
                     "define main as { }\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::string report = r.out.substr(r.out.find("end:"));
    EXPECT_EQ(report, "end: finished\nsteps: 2\nstatus: \"main\"\nrobot: none\n"
                      "b1=???\nb2=???\nworld:\n" +
                          picture({{0, "####............"},
                                   {2, "..?............."},
                                   {3, "...\\............"},
                                   {4, ".~!............."},
                                   {5, "..............##"}}) +
                          "outside 2 -1 'c'\n"
                          "outside 9 -1 'd'\n"
                          "outside 16 3 'b'\n"
                          "outside -2 4 'e'\n"
                          "outside 16 5 '\\x00'\n"
                          "outside 17 5 '\\x00'\n"
                          "outside 3 16 'a'\n"
                          "outside 20 20 '\\xe9'\n");
}

TEST_F(RunnerTest, BoardsAreQuotedInTheReport) {
    Result r = runOn("pindle 3,3\nthing 3,3 \\\nthing 2,3 \"\n",
                     "define main as { read b2=b1 move read }\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "end: finished\nsteps: 5\nstatus: \"read..done!\"\nrobot: 3 2 north\n"
                     "b1='\\\"'\nb2='\\\\'\nworld:\n" +
                         picture({{2, "...\"............"}, {3, "...\\............"}}));
}

} // namespace
