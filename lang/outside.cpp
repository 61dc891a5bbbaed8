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
// A robot with no world, for a program run before any robot is installed.
class NoRobot : public Robot {
  public:
    void move() override {}
    void left() override {}
    void input() override {}
    void output() override {}
    void copy1() override {}
    void copy2() override {}
    void pause() override {}
    int frontClear() override { return 0; }
    int facingNorth() override { return 0; }
    int cornerHasSomething() override { return 0; }
};
NoRobot noRobot;
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
