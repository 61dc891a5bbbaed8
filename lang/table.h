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

// Where an instruction came from in its program file: line and column, counted from 1; line 0
// for none (a recorded instruction, or a code character that starts no instruction).
struct SourcePos {
    int line;
    int column;
};
extern unsigned char firstEmpty; // the first free row (1 at start; 100 when full)
extern char CurrInstrName[80];   // name being compiled; during a run, the last step's status
extern int CurrInstrNum;         // the row of the definition being compiled, -1 at start
// Installs what is told whenever a row is written, and whenever CurrInstrName is written other
// than by a step (by the compiler); null for no one. The history of steps watches them.
void watchTable(void (*watcher)());
// Tells the installed watcher that the table or CurrInstrName was written.
void tableWritten();

// Enters name with code, or replaces the code of the row that has the name; where, when given,
// holds the source position of each code character.
void storeInstruction(const char* name, const char* byteCode, const SourcePos* where = nullptr);
// The source position of the instruction whose code starts at code, a place in a row of the
// table; line 0 when it has none or code is not in the table.
SourcePos sourcePosition(const char* code);
// The row whose code holds the place code; -1 when it lies outside the table.
int rowOf(const char* code);
// Stores a keyboard recording as storeInstruction does, but tells a refusal in a box titled
// with its name rather than in a program file. False when nothing was stored (a full table).
bool storeRecording(const char* name, const char* byteCode);
// Empties the table: no rows but an unnamed main, no source positions.
void clearTable();
// The row of name, or -1.
int findUserInstruc(const char* name);
// The code of the row of name, or null.
char* getCodePtr(const char* name);
// Row 0 holds main.
bool userMainExists();
