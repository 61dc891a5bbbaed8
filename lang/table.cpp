#include "lang/table.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "lang/bool.h"
#include "lang/bytecode.h"
#include "lang/errormsg.h"
#include "lang/outside.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

defined definedTable[MAXDEFINITIONS];
unsigned char firstEmpty = 1;
char CurrInstrName[80];
int CurrInstrNum = -1;
static void (*tableWatcher)() = nullptr;
static SourcePos rowWhere[MAXDEFINITIONS][MAXBYTECODE]; // beside each row's code

// Fills a row's code field: a code too long for it keeps its leading whole instructions, so
// the row always holds well-formed code, and the rest of the field is cleared.
static void setCode(defined& row, const char* code, const SourcePos* where) {
    tableWritten();
    int n = wholeInstructions(code, MAXBYTECODE - 1);
    std::memset(row.byteCode, 0, sizeof row.byteCode);
    std::memcpy(row.byteCode, code, n);
    SourcePos* positions = rowWhere[&row - definedTable];
    std::memset(positions, 0, sizeof rowWhere[0]);
    if (where) std::memcpy(positions, where, n * sizeof(SourcePos));
}

// How the table tells a refusal: through the program error reporter for a compiled
// definition, in a box titled with its name for a recorded one.
using Refusal = void (*)(const char* msg, const char* name);

static void refuseInProgram(const char* msg, const char* name) {
    errorMsg(msg, name);
}
static void refuseRecording(const char* msg, const char* name) {
    dialogs().messageBox(tr(msg), name);
}

// A code with its source positions (none for a recording).
struct Source {
    const char* code;
    const SourcePos* where;
};

static void storeCode(defined& row, const char* name, Source source, Refusal refuse) {
    if (std::strlen(source.code) >= static_cast<size_t>(MAXBYTECODE))
        refuse(N_("Definition is too long, break it down?"), name);
    setCode(row, source.code, source.where);
}

// Stores as storeInstruction does; false when the table is full and the name is not in it.
static bool store(const char* name, Source source, Refusal refuse) {
    int row = 0;
    if (!StrEq(name, "main")) {
        for (int r = 1; r < firstEmpty; ++r) {
            if (StrEq(definedTable[r].name, name)) {
                storeCode(definedTable[r], name, source, refuse);
                return true;
            }
        }
        if (firstEmpty >= MAXDEFINITIONS) {
            char msg[80];
            formatCut(msg, sizeof msg, tr("Pindle can only handle %d instructions--ignoring"),
                      MAXDEFINITIONS);
            refuse(msg, name);
            return false;
        }
        row = firstEmpty;
    }
    tableWritten();
    formatCut(definedTable[row].name, MAXDEFNAME, "%s", name);
    storeCode(definedTable[row], name, source, refuse);
    if (row != 0) ++firstEmpty;
    return true;
}

void storeInstruction(const char* name, const char* byteCode, const SourcePos* where) {
    store(name, {byteCode, where}, refuseInProgram);
}

bool storeRecording(const char* name, const char* byteCode) {
    return store(name, {byteCode, nullptr}, refuseRecording);
}

int rowOf(const char* code) {
    // Compared as addresses, so that a place outside the table is simply not found in it.
    auto address = reinterpret_cast<std::uintptr_t>(code);
    auto table = reinterpret_cast<std::uintptr_t>(definedTable);
    if (address < table || address >= table + sizeof definedTable) return -1;
    std::uintptr_t row = (address - table) / sizeof(defined);
    std::uintptr_t at = address - reinterpret_cast<std::uintptr_t>(definedTable[row].byteCode);
    return at < static_cast<std::uintptr_t>(MAXBYTECODE) ? static_cast<int>(row) : -1;
}

SourcePos sourcePosition(const char* code) {
    int row = rowOf(code);
    return row < 0 ? SourcePos{0, 0} : rowWhere[row][code - definedTable[row].byteCode];
}

void watchTable(void (*watcher)()) {
    tableWatcher = watcher;
}

void tableWritten() {
    if (tableWatcher) tableWatcher();
}

void clearTable() {
    tableWritten();
    std::memset(definedTable, 0, sizeof definedTable);
    std::memset(rowWhere, 0, sizeof rowWhere);
    firstEmpty = 1;
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
