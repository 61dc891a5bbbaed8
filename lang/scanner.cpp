#include "lang/scanner.h"

#include "lang/errormsg.h"

#include <cstring>

InputFile f(MAXBYTES);
char* buffer = nullptr;
int pos = 0;
char token[MAXTOKEN];
static int tokenStart = 0; // index in buffer of the current token's first character

int tokenColumn() {
    return tokenStart + 1;
}

bool StrEq(const char* str1, const char* str2) {
    return std::strcmp(str1, str2) == 0;
}

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
static bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
static bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
static bool isAlnum(char c) {
    return isLetter(c) || isDigit(c);
}
static bool isPrintable(char c) {
    return c >= 0x20 && c <= 0x7E;
}

static const char* endOfSource() {
    std::strcpy(token, "eof");
    return "eof";
}

static void skipWhite() {
    while (isWhite(buffer[pos]))
        ++pos;
}

// The token is the n characters at pos; a run too long for token keeps its first
// MAXTOKEN - 1 characters and the rest of the run is passed over.
static const char* take(int n) {
    int kept = n < MAXTOKEN - 1 ? n : MAXTOKEN - 1;
    std::memcpy(token, buffer + pos, kept);
    token[kept] = '\0';
    pos += n;
    return token;
}

// A board copy primitive ("b1=b2" or "b2=b1") at text, not followed by a letter or digit.
static bool boardCopyAt(const char* text, const char* word) {
    return std::strncmp(text, word, 5) == 0 && !isAlnum(text[5]);
}

int tokenLength(const char* text) {
    char c = text[0];
    if (c == '{' || c == '}' || c == '(' || c == ')') return 1;
    if (c == '=' && text[1] == '=') return 2;
    if (c == '\'' && isPrintable(text[1]) && text[2] == '\'') return 3;
    if (boardCopyAt(text, "b1=b2") || boardCopyAt(text, "b2=b1")) return 5;
    int n = 0;
    while (isAlnum(text[n]))
        ++n;
    return n;
}

const char* scan(InputFile& in) {
    if (in.eof()) return endOfSource();
    if (!buffer) {
        buffer = in.readLn();
        pos = 0;
        if (!buffer) return endOfSource();
    }
    skipWhite();
    while (buffer[pos] == COMMENT_MARK || buffer[pos] == '\0') {
        buffer = in.readLn();
        pos = 0;
        if (!buffer) return endOfSource();
        skipWhite();
    }
    tokenStart = pos;
    if (int n = tokenLength(buffer + pos)) return take(n);
    errorMsg("Unknown token at", buffer + pos);
    return nullptr;
}
