// Keeping the window alive while a program runs: events handled between steps and during
// the step delay, and a way to stop.
#pragma once

extern bool running; // a Run, an execute (e) or a delay wait is in progress

// Asks the run in progress to stop after its current step.
void requestStop();
// Stops the run in progress and closes the main window once the run loop has returned.
void closeWhenStopped();
// True once requestStop was called during the current run.
bool stopRequested();
// Marks a run as in progress for its lifetime.
class RunGuard {
  public:
    RunGuard();
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;
};
// Handles pending events when a time slice has passed since the last time (always if force).
void handleEventsNow(bool force);
// Waits ms milliseconds, handling events, without spinning; ends early when a stop is asked.
void waitHandlingEvents(int ms);
