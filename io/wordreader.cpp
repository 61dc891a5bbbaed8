#include "io/wordreader.h"

#include <climits>

bool isWordSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int WordReader::skipSpace() {
    int c;
    do
        c = std::getc(fp);
    while (c != EOF && isWordSpace(c));
    return c;
}

bool WordReader::readWord(char* word, size_t size) {
    int c = skipSpace();
    if (c == EOF) return false;
    size_t n = 0;
    for (; c != EOF && !isWordSpace(c); c = std::getc(fp))
        if (n + 1 < size) word[n++] = static_cast<char>(c);
    if (size > 0) word[n] = '\0';
    std::ungetc(c, fp);
    return true;
}

bool WordReader::readInt(int& value) {
    int c = skipSpace();
    bool negative = c == '-';
    if (c == '-' || c == '+') c = std::getc(fp);
    if (c < '0' || c > '9') {
        std::ungetc(c, fp);
        return false;
    }
    long long v = 0;
    for (; c >= '0' && c <= '9'; c = std::getc(fp))
        if (v <= INT_MAX) v = v * 10 + (c - '0');
    std::ungetc(c, fp);
    if (negative) v = -v;
    value = static_cast<int>(v > INT_MAX ? INT_MAX : v < -INT_MAX ? INT_MIN : v);
    return true;
}

void WordReader::readPair(int& y, int& x) {
    if (!readInt(y)) return;
    int c = std::getc(fp);
    if (c != ',') {
        std::ungetc(c, fp);
        return;
    }
    readInt(x);
}
