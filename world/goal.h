// Goals: the end a task asks for, read from a situation file, and how a world differs from it.
#pragma once
#include "world/world.h"

#include <string>
#include <vector>

// How a run ended: by itself at the end of the program, stopped before it, or at a step limit.
enum class RunEnd { FINISHED, STOPPED, LIMIT };

// A robot's corner and heading.
struct RobotPlace {
    bool placed = false; // false: no robot (and the other fields mean nothing)
    int x = 0, y = 0;    // column and row
    int heading = -1;    // 0 north, 1 west, 2 south, 3 east; -1 for any
};

// The end a task asks for: the things by corner and, when it names one, the robot's place.
struct Goal {
    bool loaded = false;
    world_struct things; // the goal file's corners as the loader stores them
    int robotX = -1;     // the robot's corner in pixels as the loader places it; -1: none
    int robotY = -1;
    int heading = -1;         // the heading named after the robot item; -1: any
    void clear();             // no goal
    RobotPlace robot() const; // where the robot must end
};

// One way in which the end of a run differs from a goal.
struct GoalDifference {
    enum Kind { END, ROBOT, THING } kind = END;
    RunEnd end = RunEnd::FINISHED; // END: how the run ended (the goal wants FINISHED)
    RobotPlace want, got;          // ROBOT: the goal's place and the robot's
    int x = 0, y = 0;              // THING: the corner
    char wantThing = '\0';         // THING: what the goal holds there; NUL for nothing
    char gotThing = '\0';          // THING: what the world holds there; NUL for nothing
};

extern Goal taskGoal; // the goal runs are measured against; not loaded until one is read

// Where the world's robot stands now, with its heading.
RobotPlace robotPlace();
// How the last run ended, from the stop flag and the interpreter's position.
RunEnd howRunEnded();
// The differences between the world as it stands after a run that ended as end and the goal:
// the end, then the robot, then the things by row, then column. Empty when the goal is met.
std::vector<GoalDifference> compareWithGoal(const Goal& goal, RunEnd end);
// The verdict in plain words for a box: met, or the first differences.
std::string goalVerdict(const std::vector<GoalDifference>& differences);
// After a run in the window: with a goal loaded, a box tells whether it is reached.
void tellGoal(RunEnd end);
