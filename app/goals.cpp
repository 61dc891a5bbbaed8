#include "app/goals.h"
#include "io/translate.h"

#include "app/worldview.h"
#include "lang/filenames.h"
#include "lang/outside.h"
#include "world/goal.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstring>
#include <string>
#include <sys/stat.h>

namespace {

char goalFile[80]; // the loaded goal's file; empty when none is loaded
KeptFileName keptGoal(goalFile);

// The world view shows the goal as it now is.
void showGoal() {
    goalChanged();
    DrawEnvir();
}

// Loads name into the goal and remembers it; false (goal kept) when it cannot be.
bool loadGoal(const std::string& name) {
    char fitted[80];
    if (!takeFileName(fitted, name.c_str()) || !LoadGoalFile(fitted, taskGoal)) return false;
    std::strcpy(goalFile, fitted);
    return true;
}

} // namespace

void loadGoalBeside(const char* world) {
    taskGoal.clear();
    goalFile[0] = '\0';
    std::string name = world;
    struct stat st;
    const std::string sit = ".sit";
    if (name.size() > sit.size() && name.compare(name.size() - sit.size(), sit.size(), sit) == 0) {
        name.replace(name.size() - sit.size(), sit.size(), ".goal.sit");
        if (stat(name.c_str(), &st) == 0) loadGoal(name);
    }
    showGoal();
}

void chooseWorld() {
    if (LoadWorldFile("")) loadGoalBeside(worldFile);
}

void chooseGoal() {
    std::string path;
    if (!dialogs().chooseFile(tr("Load goal file"),
                              tr("World files (*.sit)|*.sit|All files (*.*)|*.*"),
                              goalFile[0] ? goalFile : worldFile, path))
        return;
    if (loadGoal(path)) showGoal();
}

void clearGoal() {
    taskGoal.clear();
    goalFile[0] = '\0';
    showGoal();
}
