#include "lang/outside.h"

#include <chrono>
#include <thread>

void PindleUI::messageBox(const char*, const char*, int, int) {}
bool PindleUI::askText(const char*, const char*, std::string&) {
    return false;
}
bool PindleUI::chooseFile(const char*, const char*, const char*, std::string&) {
    return false;
}
bool PindleUI::chooseSaveFile(const char*, const char*, const char*, std::string&) {
    return false;
}
PindleUI::Answer PindleUI::askYesNoCancel(const char*, const char*) {
    return CANCEL;
}
void PindleUI::waitDelay(int ms) {
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
