#include "lang/outside.h"

#include <chrono>
#include <thread>

void Dialogs::messageBox(const char*, const char*, int, int) {}
bool Dialogs::askText(const char*, const char*, std::string&) {
    return false;
}
bool Dialogs::chooseFile(const char*, const char*, const char*, std::string&) {
    return false;
}
bool Dialogs::chooseSaveFile(const char*, const char*, const char*, std::string&) {
    return false;
}
bool Dialogs::chooseFolder(const char*, const char*, std::string&) {
    return false;
}
Dialogs::Answer Dialogs::askYesNoCancel(const char*, const char*) {
    return CANCEL;
}
Dialogs::Answer Dialogs::askEitherOr(const char*, const char*, const char*, const char*) {
    return CANCEL;
}
void RunHooks::waitDelay(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

namespace {
Robot noRobot; // a robot with no world, for a program run before any robot is installed
PindleUI quietUI;
Robot* installedRobot = &noRobot;
PindleUI* installedUI = &quietUI;
} // namespace

Robot& robot() {
    return *installedRobot;
}
void setRobot(Robot* r) {
    installedRobot = r ? r : &noRobot;
}
PindleUI& ui() {
    return *installedUI;
}
void setUI(PindleUI* u) {
    installedUI = u ? u : &quietUI;
}
Dialogs& dialogs() {
    return *installedUI;
}
WorldDisplay& worldDisplay() {
    return *installedUI;
}
CompilerListener& compilerListener() {
    return *installedUI;
}
RunHooks& runHooks() {
    return *installedUI;
}
