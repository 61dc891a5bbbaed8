#include "world/course.h"

#include "io/quoting.h"
#include "io/system.h"
#include "io/textbuf.h"
#include "io/textfile.h"
#include "io/translate.h"
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

MarkdownFile readMarkdown(const std::string& folder, const std::string& name) {
    MarkdownFile file;
    std::string path = pathIn(folder, name);
    if (fileKind(path, false) == FileKind::NONE) {
        file.missing = true;
        file.problem = formatText(tr("There are no words: the folder holds no %s."), name.c_str());
        return file;
    }
    switch (readWholeFile(path.c_str(), MAX_WORDS_BYTES, file.text)) {
    case WholeFile::CANNOT_READ:
        file.problem = formatText(
            tr("The words cannot be read: %s is not a file that can be opened."), name.c_str());
        break;
    case WholeFile::TOO_LARGE:
        file.problem =
            formatText(tr("The words are too long to show: %s is larger than 1 MB."), name.c_str());
        break;
    case WholeFile::READ:
        if (file.text.find('\0') != std::string::npos)
            file.problem =
                formatText(tr("The words cannot be shown: %s is not text (it holds NUL bytes)."),
                           name.c_str());
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

// The words' file in the user's language when the folder has one (task.de.md for task.md),
// else the file itself.
std::string wordsFile(const std::string& folder, const std::string& file) {
    std::string language = userLanguage();
    if (language == "en") return file;
    std::string local = file.substr(0, file.size() - 3) + "." + language + ".md";
    return fileKind(pathIn(folder, local), false) == FileKind::NONE ? file : local;
}

std::string titleIn(const std::string& folder, const char* file, const std::string& name) {
    std::string heading = firstHeading(readMarkdown(folder, wordsFile(folder, file)).text);
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
    return wordsOf(readMarkdown(task.path, wordsFile(task.path, "task.md")));
}

Words courseWords(const std::string& folder) {
    MarkdownFile file = readMarkdown(folder, wordsFile(folder, "course.md"));
    return file.missing ? Words{} : wordsOf(file);
}
