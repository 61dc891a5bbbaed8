// The scanner: cuts program text, read through the line reader, into tokens.
#pragma once
#include "io/inputfil.h"
#include "lang/bool.h"

constexpr int MAXTOKEN = 120; // token storage, terminator included
constexpr int MAXBYTES = 256; // the line reader's buffer and a definition's byte-code buffer

extern InputFile f;          // the one reader every parse reads through
extern char* buffer;         // the current line, or null
extern int pos;              // index in buffer of the next character to scan
extern char token[MAXTOKEN]; // the current token

// The column, counted from 1, of the current token's first character in its line.
int tokenColumn();
// A character the scanner passes over between tokens.
bool isWhite(char c);
// Where a token could start, this character makes the scanner skip the rest of the line.
constexpr char COMMENT_MARK = '/';
// The length of the token the scanner takes at text (a line piece ending with a NUL): a whole
// run of letters and digits, a brace, "==", a character literal or a board copy; 0 where no
// token starts.
int tokenLength(const char* text);
// Advances to the next token: token, or "eof" at the end, or null after reporting a fault.
const char* scan(InputFile& in);
