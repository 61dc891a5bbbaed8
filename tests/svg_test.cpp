// pindle-run --picture: the final world as an SVG drawing.
#include <gtest/gtest.h>

#include "tests/process.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Parses an SVG drawing with python3's XML reader and prints what it shows, class by class.
const char* const readDrawing = R"(import sys, xml.etree.ElementTree as ET
ns = '{http://www.w3.org/2000/svg}'
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == ns + 'svg' and root.get('width') == '550'
def count(tag, cls):
    return len([e for e in root.iter(ns + tag) if e.get('class') == cls])
def texts(cls):
    return ''.join(sorted(e.text for e in root.iter(ns + 'text') if e.get('class') == cls))
robots = [e for e in root.iter(ns + 'g') if e.get('class') == 'robot']
out = 'walls %d grid %d border %d labels %d\nthings %s\ngoal %s %d\nrobot %d %s %s\n' % (
    count('line', 'wall'), count('line', 'grid'), count('line', 'border'), count('text', 'label'),
    texts('thing'), texts('goal-thing'), count('rect', 'goal-corner') + count('g', 'goal-robot'),
    len(robots), robots[0].get('transform') if robots else '-', len(robots) and len(robots[0]) > 32)
sys.stdout.buffer.write(out.encode('utf-8'))
)";

class PictureTest : public ::testing::Test {
  protected:
    std::string dir;

    void SetUp() override {
        char pattern[] = "/tmp/pindle-svg-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        write("w.sit", "wall 3,3 3,6 wall 8,2 10,2 thing 5,5 x thing 1,1 < thing 2,9 \xe9 "
                       "pindle 4,5\n");
        write("p.pnd", "define main as { left move }\n");
        write("read.py", readDrawing);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void write(const std::string& name, const std::string& text) {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
    }
    Result run(std::vector<std::string> args) {
        args.push_back("w.sit");
        args.push_back("p.pnd");
        args.back() = dir + "/p.pnd";
        args[args.size() - 2] = dir + "/w.sit";
        return runProcess(PINDLE_RUN, args, dir);
    }
    Result read(const std::string& svg) {
        return runProcess("/usr/bin/python3", {dir + "/read.py", dir + "/" + svg}, dir);
    }
};

TEST_F(PictureTest, TheFinalWorldIsWellFormedSvgWithItsWallsThingsAndRobot) {
    if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "no python3 to read the drawing";
    Result r = run({"--trace", "--picture", dir + "/w.svg"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("end: finished"), std::string::npos);
    Result drawing = read("w.svg");
    ASSERT_EQ(drawing.status, 0) << drawing.err;
    // The robot went west from column 5 to column 4 on row 4.
    EXPECT_EQ(drawing.out, "walls 2 grid 30 border 4 labels 30\nthings <x\xc3\xa9\ngoal  0\n"
                           "robot 1 translate(120 120) True\n");
}

TEST_F(PictureTest, AWorldWithNoRobotIsDrawnWithNone) {
    if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "no python3 to read the drawing";
    write("w.sit", "thing 5,5 x\n");
    write("p.pnd", "define main as { }\n");
    ASSERT_EQ(run({"--picture", dir + "/w.svg"}).status, 0);
    Result drawing = read("w.svg");
    EXPECT_NE(drawing.out.find("\nrobot 0 - 0\n"), std::string::npos) << drawing.out;
}

TEST_F(PictureTest, AGoalShowsUnderTheWorldAndAPictureThatCannotBeWrittenFailsTheRun) {
    if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "no python3 to read the drawing";
    write("g.sit", "thing 7,7 G pindle 4,4 west\n");
    Result r = run({"--goal", dir + "/g.sit", "--picture", dir + "/g.svg"});
    EXPECT_EQ(r.status, 4) << r.err;
    Result drawing = read("g.svg");
    ASSERT_EQ(drawing.status, 0) << drawing.err;
    EXPECT_NE(drawing.out.find("\ngoal G 1\n"), std::string::npos) << drawing.out;

    Result lost = run({"--max-steps", "1", "--picture", dir + "/none/x.svg"});
    EXPECT_EQ(lost.status, 2);
    EXPECT_NE(lost.out.find("end: limit"), std::string::npos) << "the report comes first";
    EXPECT_EQ(lost.err.rfind("pindle-run: cannot write picture " + dir + "/none/x.svg: ", 0), 0u)
        << lost.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/none"));
    EXPECT_EQ(run({"--grade", "--picture", "x.svg"}).status, 64);
}

TEST_F(PictureTest, AThingUnderTheRobotAndTheRowLabelsOfTwoDigitsAreDrawnToBeSeen) {
    write("w.sit", "thing 4,5 q pindle 4,5\n");
    write("p.pnd", "define main as { }\n");
    ASSERT_EQ(run({"--picture", dir + "/w.svg"}).status, 0);
    std::ifstream in(dir + "/w.svg");
    std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(svg.find("class=\"thing-under-robot\" x=\"176\" y=\"148\""), std::string::npos);
    EXPECT_NE(svg.find("class=\"label\" x=\"-1\" y=\"322\""), std::string::npos) << "row 10";
}

} // namespace
