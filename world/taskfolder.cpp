#include "world/taskfolder.h"

#include "io/system.h"

#include <algorithm>

namespace {

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool isFolder(const std::string& path) {
    return fileKind(path) == FileKind::FOLDER;
}

} // namespace

int folderNames(const std::string& folder, std::vector<std::string>& names) {
    int error = listFolder(folder, names);
    std::sort(names.begin(), names.end()); // std::string orders by bytes, as unsigned characters
    return error;
}

std::string pathIn(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

int readTask(const std::string& folder, std::vector<TaskWorld>& worlds,
             std::vector<std::string>* files) {
    std::vector<std::string> names;
    if (int error = folderNames(folder, names)) return error;
    for (const std::string& name : names) {
        if (files) files->push_back(pathIn(folder, name));
        if (!endsWith(name, ".sit") || endsWith(name, ".goal.sit")) continue;
        std::string goal = name.substr(0, name.size() - 4) + ".goal.sit";
        bool hasGoal = std::binary_search(names.begin(), names.end(), goal);
        worlds.push_back({name, pathIn(folder, name), hasGoal ? pathIn(folder, goal) : ""});
    }
    return 0;
}

int readCourse(const std::string& folder, std::vector<CourseTask>& tasks,
               std::vector<std::string>* files) {
    std::vector<std::string> names;
    if (int error = folderNames(folder, names)) return error;
    for (const std::string& name : names) {
        CourseTask task{name, pathIn(folder, name), {}};
        if (files) files->push_back(task.path);
        std::vector<std::string> taskFiles;
        if (!isFolder(task.path) || readTask(task.path, task.worlds, &taskFiles) != 0 ||
            task.worlds.empty())
            continue;
        if (files) files->insert(files->end(), taskFiles.begin(), taskFiles.end());
        tasks.push_back(std::move(task));
    }
    return 0;
}
