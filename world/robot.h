// The robot's primitive actions and tests on the world, and the recording of their letters.
#pragma once
#include "lang/outside.h"

extern char macroName[32]; // the instruction being recorded; empty when not recording
extern char macroCode[80]; // the recorded letters
extern int byteI;          // letters recorded so far

// The whole world state as at start: no walls, things or robot, no data movement to show, not
// stopped, nothing being recorded.
void resetWorld();
// Appends an action's letter to the recording in progress; letters past the 79th are ignored.
void recordLetter(char letter);

// The robot on the world model. Each action asks for a world redraw and shows its own
// message boxes; none redraws the status panel (its caller does).
class WorldRobot : public Robot {
  public:
    void move() override;
    void left() override;
    void input() override;
    void output() override;
    void copy1() override;
    void copy2() override;
    void pause() override;
    int frontClear() override;
    int facingNorth() override;
    int cornerHasSomething() override;
};

extern WorldRobot worldRobot; // the one robot on the one world
