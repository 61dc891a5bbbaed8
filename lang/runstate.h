// The run control's state shared by the window program, the keypress commands and the runner.
#pragma once

extern bool firstRun;     // no run or step since start-up or since a program file was loaded
extern char progFile[80]; // the current program file

// Copies name into a file-name buffer of 80; false (buffer untouched) when it does not fit.
bool setFileName(char (&target)[80], const char* name);
// As setFileName; when the name does not fit, the box "File name too long" names it.
bool nameFits(char (&target)[80], const char* name);
