// Token kinds of program text, line by line, as the scanner and the parser read it: what an
// editor colours, so that it never disagrees with the compiler.
#pragma once
#include <cstddef>
#include <set>
#include <string>
#include <vector>

// What a stretch of program or world text is to the compiler or the world loader.
enum class TokenKind : unsigned char {
    BLANK,      // between tokens
    KEYWORD,    // define, as, if, else, while, not; in a world, an item word (wall, thing, pindle)
    PRIMITIVE,  // move, left, read, write, b1=b2, b2=b1, pause
    TEST,       // frontClear, facingNorth, cornerHasSomething, b1, b2, == and a character literal
    NAME,       // any other word: the name of an instruction
    DEFINITION, // the name a define gives
    COMMENT,    // what the reader skips: from a slash to the end of the line; in a world, a word
    BRACE,      // { } ( )
    BAD,        // what the compiler refuses: an unknown character, a name that cannot be defined
    NUMBER,     // a world's row,column pair
    THING,      // a world's thing
};

// One token: its first byte and length in the line, and its kind.
struct TokenSpan {
    size_t start, length;
    TokenKind kind;
};

// The tokens of one line of a program (its line end included), in order; the bytes between
// them are blank. The line is read as the line reader delivers it, in pieces of at most
// MAXBYTES - 1 bytes that each end at their first NUL. afterDefine tells whether the line
// starts right after a define, and becomes whether it ends so.
void programLine(const char* text, size_t length, bool& afterDefine, std::vector<TokenSpan>& spans);

// The byte offset in text (length bytes) where line (counted from 1, as the line reader counts
// the pieces it delivers) begins; length when the text has fewer lines.
size_t readerLineStart(const char* text, size_t length, int line);

// The line (counted from 1, as readerLineStart counts) that holds the byte at offset.
int readerLineOf(const char* text, size_t length, size_t offset);

// One define of a program: the name it gives, and the byte offsets of its define and its name.
struct Definition {
    std::string name;
    size_t defineAt, nameAt;
};

// The defines of a program (length bytes, lines ending with '\n'), in the order of the text.
std::vector<Definition> definitions(const char* text, size_t length);

// The names that the defines of a program give.
std::set<std::string> definedNames(const char* text, size_t length);
