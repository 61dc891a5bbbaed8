// The main window's status bar: the state the window is in (a run, editing by mouse, a
// recording), else how the last run ended and what was last saved, else the menus' help.
#pragma once
#include "lang/outside.h"

#include <cstddef>

// Puts the state as it is now into the status bar.
void showWindowState();
// The robot has stopped the run in progress; its end will say why.
void noteRobotStop(RobotStop why);
// The run loop has ended (atBreakpoint: it stopped before a breakpoint): the bar says how.
void noteRunEnd(bool atBreakpoint);
// A file was written: the bar says "Saved NAME (N frames, SIZE)", without the frames for
// frames < 0.
void noteSaved(const char* file, std::size_t bytes, long frames = -1);
// A language was chosen: the bar says it is spoken from the next start.
void noteLanguageChosen();
// A new run, step or world: what the bar said of the last run and save goes.
void forgetRunNotes();
