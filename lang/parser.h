// The parser: compiles a program file into the instruction table, one definition a row.
#pragma once
#include "lang/scanner.h"

// The word that begins every definition.
constexpr const char* DEFINE = "define";

// Compiles the whole file; true when every definition in it was accepted (the display is told
// of the file that compiled).
bool parse(const char* fileName);

bool defineInstruction();          // define NAME as { instructions }
bool instrucAsByteCode();          // one instruction, starting at the current token
bool ifInstruc();                  // if (condition) body [else body]
bool whileInstruc();               // while (condition) body
bool conditionalInstruc();         // a body: { instructions } or one instruction
bool conditionExpr();              // ( [not] test )
bool elsePart();                   // [else body]
char primInstruc(const char* tok); // a primitive's code, or 0
char primTest(const char* tok);    // a test's code, or 0 after reporting "Unknown test"
char testCode(const char* tok);    // a test word's code (b1 and b2 included), or 0
bool isKeyword(const char* tok);   // define, as, if, else, while or not
// Why tok cannot name a new instruction (the parser's message), or null when it can.
const char* nameFault(const char* tok);
