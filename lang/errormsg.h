// The program error reporter: shows a fault of a program file at its place.
#pragma once

extern char msgBuff[80]; // the composed message text

// Brings the last read program file up in the editor with the caret at the fault and the lines
// after it in view, and shows msg and token in a box captioned with the line number. Always
// false.
bool errorMsg(const char* msg, const char* token);
