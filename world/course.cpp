#include "world/course.h"

#include "io/quoting.h"
#include "io/system.h"
#include "io/textfile.h"
#include "world/markdown.h"

#include <climits>
#include <cstdlib>

namespace {

// A Markdown file read whole, or why it cannot be shown.
struct MarkdownFile {
    bool missing = false; // the folder holds no such file
    std::string text;
    std::string problem; // empty when text holds the file
};

MarkdownFile readMarkdown(const std::string& folder, const char* name) {
    MarkdownFile file;
    std::string path = pathIn(folder, name);
    if (fileKind(path, false) == FileKind::NONE) {
        file.missing = true;
        file.problem = std::string("There are no words: the folder holds no ") + name + ".";
        return file;
    }
    switch (readWholeFile(path.c_str(), MAX_WORDS_BYTES, file.text)) {
    case WholeFile::CANNOT_READ:
        file.problem =
            std::string("The words cannot be read: ") + name + " is not a file that can be opened.";
        break;
    case WholeFile::TOO_LARGE:
        file.problem =
            std::string("The words are too long to show: ") + name + " is larger than 1 MB.";
        break;
    case WholeFile::READ:
        if (file.text.find('\0') != std::string::npos)
            file.problem = std::string("The words cannot be shown: ") + name +
                           " is not text (it holds NUL bytes).";
        break;
    }
    if (!file.problem.empty()) file.text.clear();
    return file;
}

Words wordsOf(const MarkdownFile& file) {
    if (!file.problem.empty())
        return {"<p><em>" + xmlText(file.problem, OddBytes::RUNNER_ESCAPES) + "</em></p>\n",
                file.problem};
    return {markdownToHtml(file.text), ""};
}

std::string titleIn(const std::string& folder, const char* file, const std::string& name) {
    std::string heading = firstHeading(readMarkdown(folder, file).text);
    return heading.empty() ? name : heading;
}

} // namespace

std::string courseName(const std::string& folder) {
    std::string path = folder;
    char real[PATH_MAX];
    if (realpath(folder.c_str(), real)) path = real;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path.substr(path.find_last_of('/') + 1);
}

std::string courseTitle(const std::string& folder) {
    return titleIn(folder, "course.md", courseName(folder));
}

std::string taskTitle(const CourseTask& task) {
    return titleIn(task.path, "task.md", task.name);
}

Words taskWords(const CourseTask& task) {
    return wordsOf(readMarkdown(task.path, "task.md"));
}

Words courseWords(const std::string& folder) {
    MarkdownFile file = readMarkdown(folder, "course.md");
    return file.missing ? Words{} : wordsOf(file);
}
