// The window tests' harness: the real main window in a real display (Xvfb), with every dialog
// answered by the test through the display interface.
#pragma once
#include "app/wxui.h"
#include "tests/recording_ui.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <wx/image.h>

// The window program's display with recorded, scripted dialogs; drawing stays real.
class ScriptedWxUI : public WxUI {
  public:
    std::vector<Box> boxes;
    std::deque<std::string> answers;   // askText answers; "\x18" cancels
    std::deque<std::string> files;     // open selector answers; "" cancels
    std::deque<std::string> saveFiles; // save selector answers; "" cancels
    std::deque<Answer> questions;      // askYesNoCancel answers (none left: CANCEL)
    std::vector<std::string> asked;    // every question and selector, in order
    std::function<void()> afterBox;    // what the window system does as a box closes

    void messageBox(const char* text, const char* caption, int x, int y) override;
    bool askText(const char* prompt, const char* title, std::string& answer) override;
    bool chooseFile(const char* message, const char* wildcard, const char* current,
                    std::string& path) override;
    bool chooseSaveFile(const char* message, const char* wildcard, const char* current,
                        std::string& path) override;
    // Answered from files too; asked as "folder MESSAGE".
    bool chooseFolder(const char* message, const char* current, std::string& path) override;
    Answer askYesNoCancel(const char* text, const char* caption) override;
    // Recorded as a box.
    void showText(const char* text, const char* caption) override {
        messageBox(text, caption, -1, -1);
    }
    // Answered from questions too; asked as "either CAPTION|TEXT|FIRST|SECOND".
    Answer askEitherOr(const char* text, const char* caption, const char* first,
                       const char* second) override;
    std::vector<std::string> boxLines() const; // "caption|text"
};

ScriptedWxUI& scripted();

// Puts the program back to its state right after start-up on a given world and program, with
// the main window shown and active.
class GuiTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Writes a file in the test's folder and returns its path (short enough for the program).
    std::string writeFile(const std::string& name, const std::string& text);
    // Starts over on these files: world loaded, program not compiled, editor empty and hidden.
    void restart(const std::string& world, const std::string& program);
    // Handles pending events for a while (drawing, focus, simulated keys).
    static void pump(int ms = 30);
    // Simulated keys on the focused window.
    static void type(const std::string& keys);
    static void ctrl(char key);
    // The world picture and the status picture as images.
    static wxImage worldImage();
    static wxImage statusImage();
    static wxColour pixel(const wxImage& image, int x, int y);
    // The number of pixels in which two images of one size differ.
    static int differingPixels(const wxImage& a, const wxImage& b);
    // Whether the box of image holds a pixel of exactly this colour.
    static bool holds(const wxImage& image, const wxRect& box, const wxColour& colour);
    std::string tempDir;
};

bool sameColour(const wxColour& a, const wxColour& b);
std::string fileText(const std::string& path); // a whole file, or "" when it cannot be read
bool exists(const std::string& path);
void press(int tag);                         // the command button with this tag (1 to 10)
void setEditorText(const std::string& text); // typed into the editor: marked as changed
