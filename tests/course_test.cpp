// Reading a course: its tasks, titles and words, the student's work files and the progress kept.
#include "io/translate.h"
#include "lang/bytecode.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/table.h"
#include "runner/taskrun.h"
#include "tests/recording_ui.h"
#include "world/course.h"
#include "world/goal.h"
#include "world/markdown.h"
#include "world/progress.h"
#include "world/userdata.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CourseTest : public CoreTest {
  protected:
    std::string course;
    void SetUp() override {
        CoreTest::SetUp();
        course = tempDir + "/my course";
        setenv("XDG_DATA_HOME", (tempDir + "/data").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_DATA_HOME");
        CoreTest::TearDown();
    }
    void put(const std::string& name, const std::string& text) {
        fs::path path = fs::path(course) / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    CourseTask task(const std::string& name) { return {name, course + "/" + name, {}}; }
    std::vector<std::string> filesIn(const std::string& folder) {
        std::vector<std::string> names;
        folderNames(folder, names);
        return names;
    }
};

TEST_F(CourseTest, TasksInByteOrderWithTheirWorldsAndTitles) {
    put("course.md", "Welcome\n=======\n\nSome words.\n");
    put("b-second/w.sit", "pindle 1,1\n");
    put("b-second/task.md", "Text before.\n\n## The `second` *one*\n# Later\n");
    put("a-first/y.sit", "");
    put("a-first/x.sit", "");
    put("a-first/x.goal.sit", "");
    put("a-first/z.goal.sit", "");
    put("B-third/task.md", "No heading here.\n");
    put("B-third/w.sit", "");
    put("notes/readme.txt", "no world, no task\n");
    put("loose.sit", "a world outside any task folder\n");
    std::vector<CourseTask> tasks;
    ASSERT_EQ(readCourse(course + "/", tasks), 0);
    ASSERT_EQ(tasks.size(), 3u);
    EXPECT_EQ(tasks[0].name, "B-third");
    EXPECT_EQ(tasks[1].path, course + "/a-first");
    ASSERT_EQ(tasks[1].worlds.size(), 2u);
    EXPECT_EQ(tasks[1].worlds[0].goal, course + "/a-first/x.goal.sit");
    EXPECT_EQ(tasks[1].worlds[1].name, "y.sit");
    EXPECT_EQ(tasks[1].worlds[1].goal, "");
    EXPECT_EQ(courseTitle(course), "Welcome");
    EXPECT_EQ(taskTitle(tasks[0]), "B-third");
    EXPECT_EQ(taskTitle(tasks[1]), "a-first");
    EXPECT_EQ(taskTitle(tasks[2]), "The second one");
    EXPECT_EQ(courseName(course + "//"), "my course");
    EXPECT_EQ(courseTitle(tempDir), fs::path(tempDir).filename().string());
    EXPECT_EQ(readCourse(course + "/none", tasks), ENOENT);

    for (int k = 0; k < 500; ++k)
        put("many/w" + std::to_string(k) + ".sit", "");
    tasks.clear();
    ASSERT_EQ(readCourse(course, tasks), 0);
    EXPECT_EQ(tasks[3].worlds.size(), 500u);
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(CourseTest, WordsAreSafeHtmlOrAClearMessage) {
    put("t/task.md", "# Go\n<script>alert(1)</script>\n\nA [link](javascript:alert(1)), a "
                     "<b onclick=\"x()\">tag</b>, [web](https://example.org) and \xff.\n");
    Words w = taskWords(task("t"));
    EXPECT_EQ(w.problem, "");
    EXPECT_EQ(w.html, "<h1>Go</h1>\n<!-- raw HTML omitted -->\n<p>A <a href=\"\">link</a>, a "
                      "<!-- raw HTML omitted -->tag<!-- raw HTML omitted -->, <a "
                      "href=\"https://example.org\">web</a> and \xef\xbf\xbd.</p>\n");
    put("huge/task.md", "# Huge\n" + std::string(MAX_WORDS_BYTES, 'x'));
    put("binary/task.md", std::string("# Bin\0ary", 9));
    fs::create_directories(course + "/folder/task.md");
    fs::create_directories(course + "/none");
    const std::pair<const char*, const char*> faults[] = {
        {"huge", "The words are too long to show: task.md is larger than 1 MB."},
        {"binary", "The words cannot be shown: task.md is not text (it holds NUL bytes)."},
        {"folder", "The words cannot be read: task.md is not a file that can be opened."},
        {"none", "There are no words: the folder holds no task.md."},
    };
    for (const auto& [name, problem] : faults) {
        SCOPED_TRACE(name);
        w = taskWords(task(name));
        EXPECT_EQ(w.problem, problem);
        EXPECT_EQ(w.html, "<p><em>" + std::string(problem) + "</em></p>\n");
        EXPECT_EQ(taskTitle(task(name)), name);
    }
    EXPECT_EQ(courseWords(course).html, "");
    EXPECT_EQ(courseWords(course).problem, "");
    EXPECT_EQ(markdownToHtml(std::string(100000, '[') + std::string(100000, '>')).size() > 0, true);

    for (const char* url : {"http://example.org", "HTTPS://example.org/a?b=c#d"})
        EXPECT_TRUE(linkMayOpen(url)) << url;
    for (const char* url : {"javascript:alert(1)", "file:///etc/passwd", "https:", "https://",
                            "page.html", "http://a b", "mailto:x@example.org", "ftp://x", ""})
        EXPECT_FALSE(linkMayOpen(url)) << url;
}

TEST_F(CourseTest, TheWorkFileIsMadeOnceFromStartOutsideTheCourse) {
    put("t/start.pnd", "define main as { move }\n");
    put("u/w.sit", "");
    std::string first = workFile(course, task("t"));
    EXPECT_EQ(first, tempDir + "/data/pindle/work/my course/t.pnd");
    EXPECT_EQ(readAll(first), "define main as { move }\n");
    std::ofstream(first) << "define main as { left }\n";
    EXPECT_EQ(workFile(course, task("t")), first);
    EXPECT_EQ(readAll(first), "define main as { left }\n");
    EXPECT_EQ(readAll(workFile(course + "/", task("u"))), "define main as {\n}\n");
    EXPECT_EQ(filesIn(course + "/t"), std::vector<std::string>{"start.pnd"});
    EXPECT_TRUE(rec.boxes.empty());

    setenv("XDG_DATA_HOME", (course + "/t/start.pnd").c_str(), 1); // a file, not a folder
    EXPECT_EQ(workFile(course, task("u")), "");
    ASSERT_EQ(rec.boxes.size(), 1u);
    EXPECT_EQ(rec.boxes[0].caption, "Course");
    EXPECT_NE(rec.boxes[0].text.find("cannot be kept"), std::string::npos);
}

TEST_F(CourseTest, ProgressIsMergedOnEveryWriteAndADamagedFileKeptAside) {
    EXPECT_TRUE(readProgress().empty());
    EXPECT_TRUE(recordSolved("c", "t1"));
    std::vector<SolvedTask> seen = readProgress(); // one window reads ...
    // ... another records two tasks at once, in processes of their own ...
    for (int child = 0; child < 2; ++child)
        if (fork() == 0) {
            for (int k = 0; k < 20; ++k)
                recordSolved("other", std::to_string(child) + "-" + std::to_string(k));
            _exit(0);
        }
    while (wait(nullptr) > 0) {
    }
    EXPECT_TRUE(recordSolved("c", "t2")); // ... and the first one's tick keeps theirs
    EXPECT_TRUE(recordSolved("c", "t1"));
    std::vector<SolvedTask> now = readProgress();
    EXPECT_EQ(now.size(), 42u);
    EXPECT_TRUE(isSolved(now, "other", "1-19"));
    EXPECT_TRUE(isSolved(now, "c", "t2"));
    EXPECT_FALSE(isSolved(seen, "c", "t2"));
    EXPECT_EQ(now[0].date.size(), 10u);
    EXPECT_FALSE(recordSolved("c", "a\ttab"));
    EXPECT_EQ(rec.boxes.size(), 1u);

    rec.boxes.clear();
    const std::string damaged = "c\tt1\t2026-12-01\nnot a progress line\n";
    for (const char* kept : {"progress.damaged", "progress.damaged.2"}) {
        std::ofstream(progressFile()) << damaged;
        EXPECT_TRUE(readProgress().empty());
        EXPECT_EQ(readAll(tempDir + "/data/pindle/" + kept), damaged);
    }
    ASSERT_EQ(rec.boxes.size(), 2u);
    EXPECT_EQ(rec.boxes[1].caption, "Progress");
    EXPECT_NE(rec.boxes[1].text.find("progress.damaged.2"), std::string::npos);
    EXPECT_TRUE(recordSolved("c", "t3"));
    EXPECT_EQ(readProgress().size(), 1u);
}

TEST_F(CourseTest, TheBundledCourseHasItsWordsAndWorldsAndASolutionForEveryTask) {
    const std::string bundled = EXAMPLES_DIR "/course";
    EXPECT_EQ(courseTitle(bundled), "Pindle's Course");
    EXPECT_EQ(courseWords(bundled).problem, "");
    std::vector<CourseTask> tasks;
    ASSERT_EQ(readCourse(bundled, tasks), 0);
    EXPECT_GE(tasks.size(), 24u);
    for (const CourseTask& t : tasks) {
        SCOPED_TRACE(t.name);
        EXPECT_NE(taskTitle(t), t.name);
        EXPECT_EQ(taskWords(t).problem, "");
        EXPECT_GE(t.worlds.size(), 2u);
        for (const TaskWorld& w : t.worlds)
            EXPECT_NE(w.goal, "") << w.name;
        EXPECT_TRUE(fs::is_regular_file(EXAMPLES_DIR "/course-solutions/" + t.name + ".pnd"));
    }
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(CourseTest, WordsComeInTheUsersLanguageWhenTheTaskHasThem) {
    put("01-walk/task.md", "# Walk\n");
    put("01-walk/task.de.md", "# Gehen\n");
    for (auto [language, title] : {std::pair{"de", "Gehen"}, {"fr", "Walk"}, {"en", "Walk"}}) {
        setUserLanguage(language);
        EXPECT_EQ(taskTitle(task("01-walk")), title);
    }
}

// Pindle's course speaks German, French and Spanish too, its programs exactly as in English.
TEST_F(CourseTest, TheBundledCourseHasEveryTaskInEveryLanguage) {
    auto code = [](const std::string& path) {
        std::ifstream in(path);
        std::string line, blocks;
        bool inside = false;
        while (std::getline(in, line)) {
            if (line.rfind("```", 0) == 0) inside = !inside;
            if (inside) blocks += line + "\n";
        }
        return blocks;
    };
    std::vector<CourseTask> tasks;
    ASSERT_EQ(readCourse(EXAMPLES_DIR "/course", tasks), 0);
    for (const char* language : {"de", "fr", "es"}) {
        EXPECT_TRUE(
            fs::is_regular_file(EXAMPLES_DIR "/course/course." + std::string(language) + ".md"));
        for (const CourseTask& t : tasks) {
            std::string words = t.path + "/task." + language + ".md";
            ASSERT_TRUE(fs::is_regular_file(words)) << words;
            EXPECT_EQ(code(words), code(t.path + "/task.md")) << words;
        }
    }
}

TEST_F(CourseTest, TheSolutionsTogetherUseEveryInstructionTestAndConstruct) {
    std::set<Code> used;
    bool literal = false, twoBoards = false, callsItself = false;
    std::vector<std::string> files;
    ASSERT_EQ(folderNames(EXAMPLES_DIR "/course-solutions", files), 0);
    fs::path here = fs::current_path();
    fs::current_path(EXAMPLES_DIR "/course-solutions");
    for (const std::string& file : files) {
        resetLanguage();
        ASSERT_TRUE(parse(file.c_str())) << file;
        for (int row = 0; row < MAXDEFINITIONS; ++row)
            forEachInstruction(definedTable[row].byteCode, [&](const char* at, int, bool inElse) {
                Code code = codeAt(at);
                used.insert(code);
                if (inElse) used.insert(Code::ELSE);
                callsItself |= code == Code::CALL && decodeCall(at) == row;
                if (code != Code::IF && code != Code::WHILE) return;
                const char* test = at + 1;
                if (codeAt(test) == Code::NOT) used.insert(codeAt(test++));
                used.insert(codeAt(test));
                if (codeAt(test) != Code::BOARD1 && codeAt(test) != Code::BOARD2) return;
                bool board = codeAt(test + 2) == Code::BOARD1 || codeAt(test + 2) == Code::BOARD2;
                (board ? twoBoards : literal) = true;
            });
    }
    fs::current_path(here);
    for (const Instruction& in : instructionSet)
        EXPECT_TRUE(used.count(in.code)) << (in.word ? in.word : "a call");
    EXPECT_TRUE(literal) << "a board compared with a character";
    EXPECT_TRUE(twoBoards) << "the two boards compared";
    EXPECT_TRUE(callsItself) << "an instruction that calls itself";
    EXPECT_TRUE(rec.boxes.empty());
}

TEST_F(CourseTest, AGradedRunInTheProcessShowsNothingAndPutsTheDisplayBack) {
    put("t/w.sit", "pindle 5,5\n");
    put("t/w.goal.sit", "pindle 4,5\n");
    put("t/p.pnd", "define main as { move move write }\n");
    std::vector<TaskWorld> worlds;
    ASSERT_EQ(readTask(course + "/t", worlds), 0);
    GradedRun r = gradeRun((course + "/t/p.pnd").c_str(), worlds[0], 0);
    EXPECT_EQ(r.reason, "goal robot want 5 4 any got 5 3 north");
    EXPECT_EQ(r.steps, 4u);
    EXPECT_EQ(robotPlace().y, 3); // the world as the run left it
    EXPECT_TRUE(rec.boxes.empty()) << "the board's box was kept for the reason, not shown";
    EXPECT_EQ(&ui(), &rec);
}

} // namespace
