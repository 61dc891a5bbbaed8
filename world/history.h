// The history of a run and of the robot's actions, kept so that they can be undone one by one:
// records of what each step changed, not copies of the world.
#pragma once
#include <cstddef>

// How many steps the history keeps at least; older ones are let go.
constexpr int HISTORYSTEPS = 1000000;

// Whether steps and actions are recorded (off at start; the window turns it on).
void keepHistory(bool on);
// The status text a display shows now: what a step undone brings back (without a display, the
// status text itself).
void historyStatus(const char* shown);
// Notes the state before a step of the program or an action of the robot.
void historyBegin();
// The robot is about to write on its corner: the step or action being noted keeps what the
// corner held.
void historyCornerWritten();
// Keeps what the step or action noted by historyBegin changed.
void historyEnd();
// One step of the program, recorded: the stepper while the history is kept, through which
// every step then goes.
void recordedStep(bool should_sleep);
// Undoes the last recorded step or action; false when there is none left.
bool stepBack();
// Forgets every step (a new world, or a reset).
void clearHistory();
// The number of steps that can be undone.
long historySize();
// The bytes the history holds for them.
size_t historyBytes();
