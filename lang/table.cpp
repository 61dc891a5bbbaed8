#include "lang/table.h"
#include "lang/textbuf.h"

#include "lang/bool.h"
#include "lang/bytecode.h"
#include "lang/errormsg.h"
#include "lang/outside.h"

#include <cstdio>
#include <cstring>

defined definedTable[MAXDEFINITIONS];
unsigned char firstEmpty = 1;
char CurrInstrName[80];
int CurrInstrNum = -1;

// Fills a row's code field: a code too long for it keeps its leading whole instructions, so
// the row always holds well-formed code, and the rest of the field is cleared.
static void setCode(defined& row, const char* code) {
    int n = wholeInstructions(code, MAXBYTECODE - 1);
    std::memset(row.byteCode, 0, sizeof row.byteCode);
    std::memcpy(row.byteCode, code, n);
}

// How the table tells a refusal: through the program error reporter for a compiled
// definition, in a box titled with its name for a recorded one.
using Refusal = void (*)(const char* msg, const char* name);

static void refuseInProgram(const char* msg, const char* name) {
    errorMsg(msg, name);
}
static void refuseRecording(const char* msg, const char* name) {
    ui().messageBox(msg, name);
}

static void storeCode(defined& row, const char* name, const char* code, Refusal refuse) {
    if (std::strlen(code) >= static_cast<size_t>(MAXBYTECODE))
        refuse("Definition is too long, break it down?", name);
    setCode(row, code);
}

// Stores as storeInstruction does; false when the table is full and the name is not in it.
static bool store(const char* name, const char* byteCode, Refusal refuse) {
    int row = 0;
    if (!StrEq(name, "main")) {
        for (int r = 1; r < firstEmpty; ++r) {
            if (StrEq(definedTable[r].name, name)) {
                storeCode(definedTable[r], name, byteCode, refuse);
                return true;
            }
        }
        if (firstEmpty >= MAXDEFINITIONS) {
            char msg[80];
            formatCut(msg, sizeof msg, "Pindle can only handle %d instructions--ignoring",
                      MAXDEFINITIONS);
            refuse(msg, name);
            return false;
        }
        row = firstEmpty;
    }
    formatCut(definedTable[row].name, MAXDEFNAME, "%s", name);
    storeCode(definedTable[row], name, byteCode, refuse);
    if (row != 0) ++firstEmpty;
    return true;
}

void storeInstruction(const char* name, const char* byteCode) {
    store(name, byteCode, refuseInProgram);
}

bool storeRecording(const char* name, const char* byteCode) {
    return store(name, byteCode, refuseRecording);
}

int findUserInstruc(const char* name) {
    if (name[0] == '\0') return -1;
    for (int r = 0; r < firstEmpty; ++r)
        if (StrEq(definedTable[r].name, name)) return r;
    if (CurrInstrNum != -1 && StrEq(name, CurrInstrName)) return CurrInstrNum;
    return -1;
}

char* getCodePtr(const char* name) {
    int row = findUserInstruc(name);
    if (row < 0 || row >= MAXDEFINITIONS) return nullptr;
    return definedTable[row].byteCode;
}

bool userMainExists() {
    return StrEq(definedTable[0].name, "main");
}
