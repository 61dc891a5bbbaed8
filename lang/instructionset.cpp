#include "lang/instructionset.h"

#include "lang/bool.h"

const Instruction* instructionNamed(const char* word, Kind kind) {
    for (const Instruction& in : instructionSet)
        if (in.kind == kind && in.word && StrEq(word, in.word)) return &in;
    return nullptr;
}

const Instruction* keyedAction(int n) {
    for (const Instruction& in : instructionSet)
        if (in.key != 0 && n-- == 0) return &in;
    return nullptr;
}

const Instruction* actionOfKey(int key) {
    for (const Instruction& in : instructionSet)
        if (in.key != 0 && in.key == key) return &in;
    return nullptr;
}
