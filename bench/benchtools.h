// What the window benchmarks share: clocks, the event pump, their printed figures and files.
#pragma once
#include <chrono>
#include <string>

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point since); // wall time since a point
double cpuSeconds();                          // the CPU time this process has used
void pump(int ms);                            // handles the window's events for ms milliseconds
// Prints one figure as "name value unit".
void print(const char* name, double value, const char* unit);
// Writes text to the file at path; returns path.
std::string writeFile(const std::string& path, const std::string& text);
class PindleUI;
// Starts the window program as its start-up does, on the configuration file config, with ui as
// its display; false when the toolkit cannot start.
bool startWindow(int argc, char** argv, std::string config, PindleUI& ui);
