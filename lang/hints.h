// Plain words for a beginner: the hint shown under a program fault, and why a name cannot be
// given to an instruction recorded with keys.
#pragma once
#include <cstddef>
#include <string>

// A fault as the compiler reported it.
struct CompileFault {
    const char* message; // the compiler's message
    const char* token;   // the token it refused (for an unknown character, the rest of the line)
    int line;            // counted from 1, as the line reader counts
    int column;          // counted from 1: where the scanner stood, just after the token
};

// A hint for fault in the program text (length bytes): a name within two edits of the one
// refused ('Did you mean "move"?'), where a name used before its define is defined, or in one
// sentence what the compiler expected there. Empty when there is nothing to add, as for the
// parser's second report of a fault the scanner has reported.
std::string faultHint(const CompileFault& fault, const char* text, size_t length);

// Why no program could call an instruction recorded under name, as a sentence for a box; empty
// when a program can call it.
std::string nameRefusal(const std::string& name);
