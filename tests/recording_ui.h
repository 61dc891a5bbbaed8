// A display for tests: records every box, redraw and question, and answers questions from a
// script the test gives.
#pragma once
#include "lang/outside.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

struct Box {
    std::string text, caption;
    int x, y;
};

class RecordingUI : public PindleUI {
  public:
    std::vector<Box> boxes;
    std::vector<std::string> events;      // redraws and drawing steps, in order
    std::deque<std::string> answers;      // answers to askText; "\x18" means cancel
    std::deque<std::string> files;        // answers to chooseFile; "" means cancel
    std::vector<std::string> prompts;     // the prompts of askText
    int editorLines = 0;                  // what showProgramFile returns
    std::string shownFile;                // the last file shown in the editor
    int caretColumn = -1, caretLine = -1; // the last fault shown: its column and view line
    int faultLine = -1;                   // and its line, counted from 1
    int faultFrom = -1;                   // and the first byte of its token
    int redraws = 0, statusUpdates = 0, waits = 0;
    // What the display was told besides drawing: "recording", "blocked", "paused", "ended" and
    // "ended at a breakpoint".
    std::vector<std::string> told;
    bool breakpoints = false; // a breakpoint before every instruction

    void messageBox(const char* text, const char* caption, int x, int y) override;
    bool askText(const char* prompt, const char* title, std::string& answer) override;
    bool chooseFile(const char* message, const char* wildcard, const char* current,
                    std::string& path) override;
    void redrawWorld() override;
    void updateStatus() override;
    void clearWorld() override;
    void drawEmptyWorld() override;
    void drawWall(int x1, int y1, int x2, int y2) override;
    void drawThing(int x, int y, const char* word) override;
    void drawRobot() override;
    int showProgramFile(const char* file) override;
    void showFault(int from, int column, int line, int viewLine) override;
    void waitDelay(int ms) override;
    void recordingChanged() override { told.push_back("recording"); }
    bool stopsBefore(const char*) override { return breakpoints; }
    void robotStopped(RobotStop why) override {
        told.push_back(why == RobotStop::BLOCKED ? "blocked" : "paused");
    }
    void runEnded(bool atBreakpoint) override {
        told.push_back(atBreakpoint ? "ended at a breakpoint" : "ended");
    }

    // The texts of the boxes as "caption|text" lines.
    std::vector<std::string> boxLines() const;
};

// Installs a fresh RecordingUI and the world robot, and empties the language and world
// state, for each test.
class CoreTest : public ::testing::Test {
  protected:
    RecordingUI rec;
    void SetUp() override;
    void TearDown() override;
    // Puts the robot on corner (x, y) with the heading.
    static void place(int x, int y, int heading);
    // The number of stored corners, walking the lists as the view does.
    static int storedCorners();
    // Writes text to a fresh file in the test's temporary folder; returns its path.
    std::string writeFile(const std::string& name, const std::string& text);
    std::string tempDir;
};
