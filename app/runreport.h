// The headless runner's text output: quoting, and the report of the world after a run.
#pragma once
#include <string>

// Text quoted for the runner's output: backslash, quote, line ends, tab and bytes outside
// 0x20-0x7E escaped.
std::string quoted(const std::string& text);
// The robot line: "X Y HEADING", or "none" when the robot is not placed.
std::string robotReport();
// "b1='c'" or "b1=???" (likewise for b2).
std::string boardReport(const char* name, char board);
// The 16 rows of the world picture, each ending in a line feed, then one "outside X Y 'c'"
// line for each stored corner beyond rows and columns 0 to 15, by row, then column.
std::string worldReport();
