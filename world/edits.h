// Changes to the world model made by hand (the window's editing by mouse). Each leaves the
// world as the loader would have entered it from the file with that change made.
#pragma once

// Whether corner (x, y) lies on the drawn grid, 0 to 14 on each axis, where edits are made.
bool onGrid(int x, int y);
// Adds a wall from corner (xa, ya) to corner (xb, yb) along one row or one column, marking
// every corner between them, both ends included. False, and nothing changed, when the ends are
// one corner, lie on neither one row nor one column, or leave the grid.
bool addWall(int xa, int ya, int xb, int yb);
// Removes the newest wall whose marks cover corner (x, y); the corners it marked are emptied
// where no other wall covers them. False when no wall covers the corner.
bool removeWallAt(int x, int y);
// Puts the character c on corner (x, y) as a thing (over a wall's mark, as a later thing
// item does).
void putThing(int x, int y, char c);
// Takes the thing off corner (x, y): the corner is empty again, or marked when a wall covers it.
void removeThing(int x, int y);
// Puts the robot on corner (x, y), facing north.
void placeRobot(int x, int y);
// Turns the robot a quarter to the left when it stands on corner (x, y); false, and nothing
// changed, when it does not.
bool turnRobotAt(int x, int y);
