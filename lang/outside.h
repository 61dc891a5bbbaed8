// What the core asks of the program around it: the robot it drives (its interface stands beside
// the instruction set that names its actions), and, from whichever program hosts it (window,
// headless runner, tests), four small interfaces by what their users need: dialogs, the world's
// display, a listener to the compiler, and the hooks of a run. Every method has a quiet default,
// so a host overrides only what it shows.
#pragma once
#include "lang/instructionset.h"

#include <string>

// Message boxes, questions and file selectors.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A modal message box with an OK button; x and y of -1 mean centred.
    virtual void messageBox(const char* text, const char* caption, int x = -1, int y = -1);
    // A text-entry dialog; false when cancelled.
    virtual bool askText(const char* prompt, const char* title, std::string& answer);
    // A file selector for opening a file; current names the current file. False when cancelled.
    virtual bool chooseFile(const char* message, const char* wildcard, const char* current,
                            std::string& path);
    // A file selector for saving a file; false when cancelled.
    virtual bool chooseSaveFile(const char* message, const char* wildcard, const char* current,
                                std::string& path);

    // A folder selector; current names the folder it starts in. False when cancelled.
    virtual bool chooseFolder(const char* message, const char* current, std::string& path);

    // A long text to read, in a window that scrolls; a message box unless a host shows more.
    virtual void showText(const char* text, const char* caption) { messageBox(text, caption); }

    // A question answered Yes, No or Cancel.
    enum Answer { YES, NO, CANCEL };
    virtual Answer askYesNoCancel(const char* text, const char* caption);
    // A question with two answers and Cancel, the answers labelled first and second on their
    // buttons: YES for the first, NO for the second.
    virtual Answer askEitherOr(const char* text, const char* caption, const char* first,
                               const char* second);
};

// The world's picture, drawn as the world changes and as a load enters its items, and what
// the keys are recording.
class WorldDisplay {
  public:
    virtual ~WorldDisplay() = default;
    virtual void redrawWorld() {}      // the whole world view from the model
    virtual void recordingChanged() {} // a recording of keys began or ended

    // The first drawing of a world, item by item as the loader enters them.
    virtual void clearWorld() {}                     // the canvas wiped before a load
    virtual void drawEmptyWorld() {}                 // labels, grid and border
    virtual void drawWall(int, int, int, int) {}     // a wall, ends in pixels
    virtual void drawThing(int, int, const char*) {} // a thing's whole word at a corner
    virtual void drawRobot() {}                      // the robot at its place and heading
};

// What the compiler tells of a program file.
class CompilerListener {
  public:
    virtual ~CompilerListener() = default;
    // A fault in a program file: bring the file into the editor and return its number of lines.
    virtual int showProgramFile(const char*) { return 0; }
    // A fault at column (a byte index into its line) of line (counted from 1, as the box's
    // caption counts), its token starting at byte from, with the view scrolled so that viewLine
    // (the editor's numbering) is in view.
    virtual void showFault(int, int, int, int) {}
    // A program file compiled without a fault.
    virtual void programCompiled(const char*) {}
    // The fault itself, for hosts that list faults (file, line, column from 1, message, token).
    virtual void programFault(const char*, int, int, const char*, const char*) {}
};

// How the robot itself stopped a run: a move into a wall or the edge, or a pause.
enum class RobotStop { BLOCKED, PAUSED };

// What a run asks between its steps, and what it tells as it stops.
class RunHooks {
  public:
    virtual ~RunHooks() = default;
    virtual void updateStatus() {}  // the status panel, after a step or an action
    virtual void waitDelay(int ms); // wait the step delay
    // Whether a run stops before executing the instruction at code (a breakpoint).
    virtual bool stopsBefore(const char*) { return false; }
    virtual void betweenSteps() {} // called after each step of a run loop
    // The robot refused an action after its box: a move blocked towards heading (0 north,
    // 1 west, 2 south, 3 east), or -1 for a board that was empty.
    virtual void actionRefused(int) {}
    virtual void robotStopped(RobotStop) {} // the robot has set the run-stop flag
    virtual void runEnded(bool) {}          // a run loop has ended; true: before a breakpoint
};

// A whole host: all four.
class PindleUI : public Dialogs, public WorldDisplay, public CompilerListener, public RunHooks {};

Robot& robot();               // the installed robot
void setRobot(Robot* r);      // install the robot the interpreter drives
PindleUI& ui();               // the installed host (a quiet one until a host installs its own)
void setUI(PindleUI* u);      // install a host; null restores the quiet one
Dialogs& dialogs();           // the installed host's dialogs
WorldDisplay& worldDisplay(); // the installed host's world display
CompilerListener& compilerListener(); // the installed host's listener to the compiler
RunHooks& runHooks();                 // the installed host's hooks of a run
