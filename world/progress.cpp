#include "world/progress.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "io/system.h"
#include "io/textfile.h"
#include "lang/outside.h"
#include "world/userdata.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

constexpr size_t MAX_PROGRESS_BYTES = 16 << 20;

// The progress file's lock file, in the data folder (made when missing). Holding it, two windows
// read, merge and write one after the other; without it (a folder that cannot be written) the
// lock holds nothing.
std::string lockFile() {
    std::string folder = dataFolder();
    makeFolders(folder);
    return folder + "/progress.lock";
}

void tell(const std::string& text) {
    dialogs().messageBox(text.c_str(), tr("Progress"));
}

bool isDate(const std::string& s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    for (size_t k : {0, 1, 2, 3, 5, 6, 8, 9})
        if (s[k] < '0' || s[k] > '9') return false;
    return true;
}

// The lines of a progress file added to out; false when one is not a progress line.
bool parseProgress(const std::string& text, std::vector<SolvedTask>& out) {
    for (size_t at = 0; at < text.size();) {
        size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        size_t tab1 = line.find('\t');
        size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos || line.find('\t', tab2 + 1) != std::string::npos)
            return false;
        SolvedTask t{line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1),
                     line.substr(tab2 + 1)};
        if (t.course.empty() || t.task.empty() || !isDate(t.date)) return false;
        out.push_back(t);
    }
    return true;
}

// The progress as the file holds it, read under the lock; false after a box when it cannot be
// read or a damaged file cannot be moved aside (which nothing may then write over).
bool loadProgress(std::vector<SolvedTask>& progress) {
    std::string path = progressFile(), text;
    if (fileKind(path) == FileKind::NONE && errno == ENOENT) return true;
    WholeFile read = readWholeFile(path.c_str(), MAX_PROGRESS_BYTES, text);
    if (read == WholeFile::CANNOT_READ) {
        tell(
            formatText(tr("The record of the tasks you solved cannot be read:\n%s"), path.c_str()));
        return false;
    }
    if (read == WholeFile::READ && parseProgress(text, progress)) return true;
    progress.clear();
    std::string kept = moveAside(path, ".damaged");
    if (kept.empty()) {
        tell(formatText(tr("The record of the tasks you solved is damaged and cannot be moved "
                           "aside:\n%s\nNo task is ticked until it is mended or removed."),
                        path.c_str()));
        return false;
    }
    tell(formatText(tr("The record of the tasks you solved was damaged, so it starts afresh.\nThe "
                       "damaged file is kept as\n%s"),
                    kept.c_str()));
    return true;
}

std::string today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[16] = "1970-01-01";
    if (localtime_r(&now, &local)) std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    return date;
}

bool fitsALine(const std::string& name) {
    return !name.empty() && name.find_first_of("\t\r\n") == std::string::npos;
}

} // namespace

std::string progressFile() {
    return dataFolder() + "/progress";
}

std::vector<SolvedTask> readProgress() {
    FileLock lock(lockFile());
    std::vector<SolvedTask> progress;
    loadProgress(progress);
    return progress;
}

bool isSolved(const std::vector<SolvedTask>& progress, const std::string& course,
              const std::string& task) {
    for (const SolvedTask& t : progress)
        if (t.course == course && t.task == task) return true;
    return false;
}

bool recordSolved(const std::string& course, const std::string& task) {
    if (!fitsALine(course) || !fitsALine(task)) {
        tell(tr("The progress of this task cannot be kept: the name of its course or its folder "
                "holds a tab or a line end."));
        return false;
    }
    FileLock lock(lockFile());
    std::vector<SolvedTask> progress;
    if (!loadProgress(progress)) return false;
    if (isSolved(progress, course, task)) return true;
    progress.push_back({course, task, today()});
    std::string text;
    for (const SolvedTask& t : progress)
        text += t.course + "\t" + t.task + "\t" + t.date + "\n";
    std::string path = progressFile();
    SaveOutcome out = saveFileSafely(path.c_str(), text);
    if (out.saved) return true;
    tell(formatText(tr("The task is solved, but the record of the tasks you solved cannot be "
                       "written:\n%s\n%s"),
                    path.c_str(), std::strerror(out.error)) +
         (out.keptOld.empty()
              ? ""
              : formatText(tr("\nIts old text is kept in %s"), out.keptOld.c_str())));
    return false;
}
