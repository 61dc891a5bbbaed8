#include <gtest/gtest.h>

#include "recording_ui.h"

#include "lang/interp.h"
#include "lang/parser.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <unistd.h>

void RecordingUI::messageBox(const char* text, const char* caption, int x, int y) {
    boxes.push_back({text, caption, x, y});
}

bool RecordingUI::askText(const char* prompt, const char* title, std::string& answer) {
    prompts.push_back(std::string(title) + "|" + prompt);
    if (answers.empty()) return false;
    answer = answers.front();
    answers.pop_front();
    return answer != "\x18";
}

bool RecordingUI::chooseFile(const char*, const char*, const char*, std::string& path) {
    if (files.empty()) return false;
    path = files.front();
    files.pop_front();
    return !path.empty();
}

void RecordingUI::redrawWorld() {
    ++redraws;
    events.push_back("redraw");
}
void RecordingUI::updateStatus() {
    ++statusUpdates;
}
void RecordingUI::clearWorld() {
    events.push_back("clear");
}
void RecordingUI::drawEmptyWorld() {
    events.push_back("empty");
}
void RecordingUI::drawWall(int x1, int y1, int x2, int y2) {
    events.push_back("wall " + std::to_string(x1) + " " + std::to_string(y1) + " " +
                     std::to_string(x2) + " " + std::to_string(y2));
}
void RecordingUI::drawThing(int x, int y, const char* word) {
    events.push_back("thing " + std::to_string(x) + " " + std::to_string(y) + " " + word);
}
void RecordingUI::drawRobot() {
    events.push_back("robot " + std::to_string(icon_x) + " " + std::to_string(icon_y));
}
int RecordingUI::showProgramFile(const char* file) {
    shownFile = file;
    return editorLines;
}
void RecordingUI::showFault(int from, int column, int line, int viewLine) {
    faultFrom = from;
    caretColumn = column;
    faultLine = line;
    caretLine = viewLine;
}
void RecordingUI::waitDelay(int) {
    ++waits;
}

std::vector<std::string> RecordingUI::boxLines() const {
    std::vector<std::string> lines;
    for (const Box& b : boxes)
        lines.push_back(b.caption + "|" + b.text);
    return lines;
}

void CoreTest::SetUp() {
    setUI(&rec);
    setRobot(&worldRobot);
    resetLanguage();
    resetWorld();
    if (sitFp) std::fclose(sitFp);
    sitFp = nullptr;
    worldFile[0] = '\0';
    progFile[0] = '\0';
    firstRun = true;
    char pattern[] = "/tmp/pindle-test-XXXXXX";
    tempDir = mkdtemp(pattern);
}

void CoreTest::TearDown() {
    setUI(nullptr);
    std::string cmd = "rm -rf '" + tempDir + "'";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "could not remove " << tempDir;
}

void CoreTest::place(int x, int y, int heading) {
    icon_x = 30 * x;
    icon_y = 30 * y;
    position = heading;
}

int CoreTest::storedCorners() {
    int n = 0;
    for (world_row* r = PindlesWorld.world; r; r = r->next)
        for (world_corner* c = r->column; c; c = c->next)
            ++n;
    return n;
}

std::string CoreTest::writeFile(const std::string& name, const std::string& text) {
    std::string path = tempDir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}
