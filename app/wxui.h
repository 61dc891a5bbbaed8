// The window program's display: real dialogs, and drawing on the world canvas and status panel.
#pragma once
#include "lang/outside.h"

#include <wx/string.h>

class WxUI : public PindleUI {
  public:
    void messageBox(const char* text, const char* caption, int x, int y) override;
    bool askText(const char* prompt, const char* title, std::string& answer) override;
    void showText(const char* text, const char* caption) override;
    bool chooseFile(const char* message, const char* wildcard, const char* current,
                    std::string& path) override;
    bool chooseSaveFile(const char* message, const char* wildcard, const char* current,
                        std::string& path) override;
    bool chooseFolder(const char* message, const char* current, std::string& path) override;
    Answer askYesNoCancel(const char* text, const char* caption) override;
    Answer askEitherOr(const char* text, const char* caption, const char* first,
                       const char* second) override;
    void redrawWorld() override;
    void recordingChanged() override;
    void updateStatus() override;
    void clearWorld() override;
    void drawEmptyWorld() override;
    void drawWall(int x1, int y1, int x2, int y2) override;
    void drawThing(int x, int y, const char* word) override;
    void drawRobot() override;
    int showProgramFile(const char* file) override;
    void showFault(int from, int column, int line, int viewLine) override;
    void programCompiled(const char* file) override;
    void programFault(const char* file, int line, int column, const char* message,
                      const char* token) override;
    void actionRefused(int heading) override;
    bool stopsBefore(const char* code) override;
    void waitDelay(int ms) override;
    void betweenSteps() override;
    void robotStopped(RobotStop why) override;
    void runEnded(bool atBreakpoint) override;
};

// Text for the toolkit from the program's 8-bit texts, and back.
wxString fromText(const char* text);
std::string toText(const wxString& text);
