// Watching a program run in the editor: the next instruction lit, breakpoints, the named
// instructions in progress, Continue, and steps backwards.
#pragma once
#include <chrono>
#include <set>
#include <string>

class MyEditor;
class ProgramText;

// The editor's debugger: it marks the editor's text, and keeps what it last showed there.
class Debugger {
  public:
    explicit Debugger(MyEditor& editor);
    // The program file was compiled; the editor's text is the compiled text when it holds that
    // file unchanged.
    void programCompiled(const char* file);
    // The next instruction changed: lit now when the window shows every step, else at the next
    // turn of the events (see showPendingNext).
    void nextInstructionChanged();
    // Lights the next instruction if it changed since it was last lit (at most ten times a
    // second).
    void showPendingNext();
    // Lights the next instruction (or nothing) and renews the line of instructions in progress.
    void showNextInstruction();
    // Whether a run stops before the instruction at code: its line holds a breakpoint.
    bool breakpointAt(const char* code);
    // Runs on from where the program stopped; with nothing started, runs it.
    void continueProgram();
    // Undoes the last step of the program or the robot's last action, and shows the world, the
    // status panel and the mark as they were before it.
    void stepBackOnce();
    // The run stopped with a box at the instruction at code: marks it in the text (when the text
    // is the compiled program) and, for a move blocked towards heading (-1 for none), the side of
    // the robot's corner it ran into.
    void showCrash(const char* code, int heading);
    // Takes both marks away: at the next Run, Step or edit.
    void clearCrash();

  private:
    MyEditor& editor;
    long compiledText = -1;   // the text's change count when it held the compiled program
    bool nextPending = false; // the next instruction changed since it was last lit
    std::chrono::steady_clock::time_point lastShown = std::chrono::steady_clock::now();
    std::string shownChain;                  // the instructions in progress as shown
    long breakpointsOf = -2, togglesOf = -1; // the counts the lines below were found for
    std::set<int> breakLines;                // the reader's lines that hold a breakpoint

    ProgramText* textAsCompiled() const;
    bool programChangedSinceCompiled() const;
    void showChain(const std::string& chain);
};

// The editor's debugger, or null once the editor is gone.
Debugger* debugger();
