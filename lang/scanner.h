// The scanner: cuts program text, read through the line reader, into tokens.
#pragma once
#include "lang/bool.h"
#include "lang/inputfil.h"

constexpr int MAXTOKEN = 120; // token storage, terminator included
constexpr int MAXBYTES = 256; // the line reader's buffer and a definition's byte-code buffer

extern InputFile f;          // the one reader every parse reads through
extern char* buffer;         // the current line, or null
extern int pos;              // index in buffer of the next character to scan
extern char token[MAXTOKEN]; // the current token

// Advances to the next token: token, or "eof" at the end, or null after reporting a fault.
const char* scan(InputFile& in);
