// The headless runner's text output: the report of the world after a run.
#pragma once
#include "io/quoting.h"

#include <string>

struct GoalDifference;

// The robot line: "X Y HEADING", or "none" when the robot is not placed.
std::string robotReport();
// "b1='c'" or "b1=???" (likewise for b2).
std::string boardReport(const char* name, char board);
// The 16 rows of the world picture, each ending in a line feed, then one "outside X Y 'c'"
// line for each stored corner beyond rows and columns 0 to 15, by row, then column.
std::string worldReport();
// A file name as fault lines show it: as it is, which editors can open, or quoted when a
// control byte in it would break the line.
std::string faultFileName(const char* name);
// The text with its line feeds shown as spaces, for a one-line message.
std::string oneLine(std::string text);
// A difference from a goal in the runner's words, e.g. "robot want 5 5 east got 5 6 north".
std::string differenceLine(const GoalDifference& d);
