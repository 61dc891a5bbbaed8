#include "lang/scanner.h"

#include "lang/errormsg.h"

#include <cstring>

InputFile f(MAXBYTES);
char* buffer = nullptr;
int pos = 0;
char token[MAXTOKEN];

bool StrEq(const char* str1, const char* str2) {
    return std::strcmp(str1, str2) == 0;
}

static bool isWhite(char c) {
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

// The token is the n characters at pos.
static const char* take(int n) {
    std::memcpy(token, buffer + pos, n);
    token[n] = '\0';
    pos += n;
    return token;
}

// A board copy primitive ("b1=b2" or "b2=b1") not followed by a letter or digit.
static bool boardCopyAt(const char* word) {
    return std::strncmp(buffer + pos, word, 5) == 0 && !isAlnum(buffer[pos + 5]);
}

// The longest run of letters and digits; a run too long for token keeps its first
// MAXTOKEN - 1 characters and the rest of the run is passed over.
static const char* takeWord() {
    int n = 0;
    while (isAlnum(buffer[pos])) {
        if (n < MAXTOKEN - 1) token[n++] = buffer[pos];
        ++pos;
    }
    token[n] = '\0';
    return token;
}

const char* scan(InputFile& in) {
    if (in.eof()) return endOfSource();
    if (!buffer) {
        buffer = in.readLn();
        pos = 0;
        if (!buffer) return endOfSource();
    }
    skipWhite();
    while (buffer[pos] == '/' || buffer[pos] == '\0') {
        buffer = in.readLn();
        pos = 0;
        if (!buffer) return endOfSource();
        skipWhite();
    }
    char c = buffer[pos];
    if (c == '{' || c == '}' || c == '(' || c == ')') return take(1);
    if (c == '=' && buffer[pos + 1] == '=') return take(2);
    if (c == '\'' && isPrintable(buffer[pos + 1]) && buffer[pos + 2] == '\'') return take(3);
    if (boardCopyAt("b1=b2") || boardCopyAt("b2=b1")) return take(5);
    if (isAlnum(c)) return takeWord();
    errorMsg("Unknown token at", buffer + pos);
    return nullptr;
}
