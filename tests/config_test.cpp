// The configuration reader given short, long, huge, binary and unreadable files.
#include <gtest/gtest.h>

#include "app/config.h"

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::string_literals;

// The paths before any test read a file: the defaults.
char* const startWorld = w_f;
char* const startProgram = p_f;

class ConfigTest : public ::testing::Test {
  protected:
    std::string dir;
    const std::string defaultWorld = startWorld, defaultProgram = startProgram;

    void SetUp() override {
        reset();
        char pattern[] = "/tmp/pindle-config-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        reset();
        std::filesystem::remove_all(dir);
    }
    // Every value back to its default.
    static void reset() {
        w_f = startWorld;
        p_f = startProgram;
        k_x = k_y = 0;
        k_w = 456;
        k_h = 540;
        RUNMODE = 0;
    }

    std::string writeFile(const std::string& name, const std::string& text) {
        std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Reads text as a configuration file over the defaults; the six values as one line, or
    // "refused".
    std::string read(const std::string& text) {
        reset();
        return readAgain(text);
    }
    // The same over the values that earlier reads left.
    std::string readAgain(const std::string& text) {
        return readConfig(writeFile("pindle.cfg", text).c_str()) ? values() : "refused";
    }
    static std::string values() {
        return std::to_string(k_x) + " " + std::to_string(k_y) + " " + w_f + " " + p_f + " " +
               std::to_string(k_w) + " " + std::to_string(k_h);
    }
    // The values with the defaults where a field is not given.
    std::string expect(int x, int y, const std::string& world = "", const std::string& program = "",
                       int w = 456, int h = 540) const {
        return std::to_string(x) + " " + std::to_string(y) + " " +
               (world.empty() ? defaultWorld : world) + " " +
               (program.empty() ? defaultProgram : program) + " " + std::to_string(w) + " " +
               std::to_string(h);
    }
};

TEST_F(ConfigTest, AnyWhiteSpaceSeparatesTheFields) {
    EXPECT_EQ(read("10 20 a.sit b.pnd 500 600\n"), expect(10, 20, "a.sit", "b.pnd", 500, 600));
    EXPECT_EQ(read("11\t21\r\nc.sit\rd.pnd\r\n501\v601\f\r\n"),
              expect(11, 21, "c.sit", "d.pnd", 501, 601))
        << "no carriage return sticks to a path";
    EXPECT_EQ(read("\n\n   12 22 e.sit f.pnd 502 602"), expect(12, 22, "e.sit", "f.pnd", 502, 602));
}

TEST_F(ConfigTest, FewerFieldsKeepTheDefaultsOfTheFieldsTheyLack) {
    EXPECT_EQ(read(""), expect(0, 0));
    EXPECT_EQ(read("10"), expect(10, 0));
    EXPECT_EQ(read("10 20"), expect(10, 20));
    EXPECT_EQ(read("10 20 a.sit"), expect(10, 20, "a.sit"));
    EXPECT_EQ(read("10 20 a.sit b.pnd"), expect(10, 20, "a.sit", "b.pnd"));
    EXPECT_EQ(read("10 20 a.sit b.pnd 500"), expect(10, 20, "a.sit", "b.pnd", 500));
}

TEST_F(ConfigTest, AFieldThatIsNoNumberEndsTheReading) {
    EXPECT_EQ(read("10 x 30 a.sit b.pnd 500 600"), expect(10, 0));
    EXPECT_EQ(read("10 20 a.sit b.pnd wide 600"), expect(10, 20, "a.sit", "b.pnd"));
    EXPECT_EQ(read("- 5 a.sit"), expect(0, 0));
}

TEST_F(ConfigTest, PathsOf80CharactersOrMoreKeepTheDefault) {
    const std::string p79(79, 'p');
    EXPECT_EQ(read("1 2 " + p79 + " " + p79 + " 3 4"), expect(1, 2, p79, p79, 3, 4));
    for (size_t length : {80, 81, 300}) {
        SCOPED_TRACE(length);
        const std::string path(length, 'p');
        // The long path is passed over whole: the fields after it are read.
        EXPECT_EQ(read("1 2 " + path + " b.pnd 3 4"), expect(1, 2, "", "b.pnd", 3, 4));
        EXPECT_EQ(readAgain("1 2 a.sit " + path + " 3 4"), expect(1, 2, "a.sit", "b.pnd", 3, 4))
            << "a refused path keeps the value it had";
    }
}

TEST_F(ConfigTest, NumbersBeyondAnIntSaturate) {
    EXPECT_EQ(read("99999999999 -99999999999 a.sit b.pnd 99999999999999999999999 +7"),
              expect(INT_MAX, INT_MIN, "a.sit", "b.pnd", INT_MAX, 7));
    EXPECT_EQ(read("2147483647 -2147483648 a.sit b.pnd 2147483648 -2147483649"),
              expect(INT_MAX, INT_MIN, "a.sit", "b.pnd", INT_MAX, INT_MIN));
}

TEST_F(ConfigTest, BinaryJunk) {
    // A NUL ends a path; the fields after it are still read.
    EXPECT_EQ(read("1 2 a\0b.sit c.pnd 3 4"s), expect(1, 2, "a", "c.pnd", 3, 4));
    EXPECT_EQ(read("12 34 \xff\xfe\x01 99"), expect(12, 34, "\xff\xfe\x01", "99"));
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 gen(seed);
        std::string junk(seed * 97, '\0');
        for (char& c : junk)
            c = static_cast<char>(gen() % 4 ? gen() & 0xFF : '0' + gen() % 10);
        ASSERT_NE(read(junk), "refused");
        EXPECT_LT(std::strlen(w_f), 80u);
        EXPECT_LT(std::strlen(p_f), 80u);
    }
}

TEST_F(ConfigTest, DirectoriesAndMissingFilesAreNoConfiguration) {
    k_x = 7;
    EXPECT_FALSE(readConfig(dir.c_str()));
    EXPECT_FALSE(readConfig((dir + "/none.cfg").c_str()));
    EXPECT_FALSE(readConfig(""));
    EXPECT_EQ(values(), expect(7, 0));

    // Named on the command line, or found as pindle.cfg in the current folder.
    std::string arg0 = "pindle", arg1 = dir;
    char* argv[] = {&arg0[0], &arg1[0], nullptr};
    chooseConfig(2, argv);
    EXPECT_EQ(values(), expect(7, 0));
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    ASSERT_EQ(mkdir("pindle.cfg", 0755), 0);
    chooseConfig(1, argv);
    EXPECT_EQ(RUNMODE, 0) << "a folder named pindle.cfg is not read";
    ASSERT_EQ(rmdir("pindle.cfg"), 0);
    std::ofstream("pindle.cfg") << "3 4 c.sit";
    chooseConfig(1, argv);
    EXPECT_EQ(RUNMODE, 1);
    EXPECT_EQ(values(), expect(3, 4, "c.sit"));
    ASSERT_EQ(chdir(cwd), 0);
}

TEST_F(ConfigTest, FilesOfTenMegabytes) {
    const size_t big = 10 * 1024 * 1024;
    EXPECT_EQ(read("1 2 a.sit b.pnd 3 4 " + std::string(big, 'x')),
              expect(1, 2, "a.sit", "b.pnd", 3, 4));
    EXPECT_EQ(read("1 2 " + std::string(big, 'p') + " b.pnd 3 4"), expect(1, 2, "", "b.pnd", 3, 4));
    EXPECT_EQ(read(std::string(big, '7')), expect(INT_MAX, 0));
}

TEST_F(ConfigTest, AFileWithoutReadPermissionIsNoConfiguration) {
    std::string path = writeFile("secret.cfg", "1 2 a.sit b.pnd 3 4\n");
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    // Root reads files whatever their mode: as root, read it in a child that runs as nobody.
    pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 ||
                               setuid(65534) != 0 || geteuid() == 0))
            _exit(2);
        _exit(readConfig(path.c_str()) ? 1 : 0);
    }
    ASSERT_GT(pid, 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot give up root here to test this";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the unreadable file was read";
}

} // namespace
