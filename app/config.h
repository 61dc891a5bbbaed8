// The start-up configuration: window place and size, and the starting world and program.
#pragma once

extern char* w_f;    // configured situation file
extern char* p_f;    // configured program file
extern int k_x, k_y; // main window position
extern int k_w, k_h; // main window size
extern int RUNMODE;  // 1 once a configuration was read from pindle.cfg

// Reads "x y world program width height" from the file; fields that cannot be read, and
// paths of 80 characters or more, keep their values. False when the file cannot be opened.
bool readConfig(const char* path);
// Chooses the configuration from the command line: the file the first argument names, or
// pindle.cfg in the current folder when there is no argument. A named file that exists but
// cannot be read is reported in a box. When the first argument is a world (NAME.sit) or a
// program (NAME.pnd), every such argument replaces the default world or program instead.
void chooseConfig(int argc, char** argv);
