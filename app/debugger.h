// Watching a program run in the editor: the next instruction lit, breakpoints, the named
// instructions in progress, Continue, and steps backwards.
#pragma once

// The program file was compiled; the editor's text is the compiled text when it holds that
// file unchanged.
void programCompiledNow(const char* file);
// The next instruction changed: lit now when the window shows every step, else at the next
// turn of the events (see showPendingNext).
void nextInstructionChanged();
// Lights the next instruction if it changed since it was last lit (at most ten times a second).
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
