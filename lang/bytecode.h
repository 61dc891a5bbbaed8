// The byte code: the code characters of compiled instructions, walking them, and reading them
// back as the language's own words.
#pragma once
#include "lang/instructionset.h"

#include <functional>
#include <string>

// The character a code is stored as.
constexpr char codeChar(Code c) {
    return static_cast<char>(c);
}
// The code stored at p.
inline Code codeAt(const char* p) {
    return static_cast<Code>(*p);
}
// A character compared with a board, as the code stores it (with its top bit set).
constexpr char literalCode(char c) {
    return static_cast<char>(c + 0x80);
}

// Past the test (with its NOT) at p, or null when the code ends inside it.
const char* testEnd(const char* p);
// Past the CLOSE ending the body that starts at p, or null when the code ends first.
const char* bodyEnd(const char* p);
// The end of the one instruction of well-formed code that starts at p, or null when the code
// ends (at its END) before the instruction does.
const char* instructionEnd(const char* p);
// The length of the longest run of whole instructions at the start of code that has at most
// max characters.
int wholeInstructions(const char* code, int max);

// The instruction at p in the language's words: "move", "call turn (row 1)",
// "if (not frontClear) ...", "while (b1 == 'x') ...".
std::string describeInstruction(const char* p);
// The test at p (with its NOT): "not frontClear", "b1 == b2", "b2 == 'x'".
std::string describeTest(const char* p);
// What forEachInstruction calls: the instruction's place, its depth of nesting (0 for the
// code's own instructions), and whether it is the first of an else body.
using InstructionVisit = std::function<void(const char* at, int depth, bool opensElse)>;
// Visits every instruction of code in order, nested ones right after the one holding them.
void forEachInstruction(const char* code, const InstructionVisit& visit);
