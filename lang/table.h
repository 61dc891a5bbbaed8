// The instruction table: named rows of byte code, row 0 always main.
#pragma once

constexpr int MAXDEFINITIONS = 100; // rows, main's included
constexpr int MAXDEFNAME = 32;      // a row's name field, terminator included
constexpr int MAXBYTECODE = 40;     // a row's code field, terminator included

struct defined {
    char name[MAXDEFNAME];
    char byteCode[MAXBYTECODE];
};

extern defined definedTable[MAXDEFINITIONS];
extern unsigned char firstEmpty; // the first free row (1 at start; 100 when full)
extern char CurrInstrName[80];   // name being compiled; during a run, the last step's status
extern int CurrInstrNum;         // the row of the definition being compiled, -1 at start

// Enters name with code, or replaces the code of the row that has the name.
void storeInstruction(const char* name, const char* byteCode);
// Stores a keyboard recording as storeInstruction does, but tells a refusal in a box titled
// with its name rather than in a program file. False when nothing was stored (a full table).
bool storeRecording(const char* name, const char* byteCode);
// The row of name, or -1.
int findUserInstruc(const char* name);
// The code of the row of name, or null.
char* getCodePtr(const char* name);
// Row 0 holds main.
bool userMainExists();
