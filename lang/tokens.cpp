#include "lang/tokens.h"

#include "lang/parser.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t PIECE = MAXBYTES - 1; // the most the line reader delivers at once

bool isBrace(char c) {
    return c != '\0' && std::strchr("{}()", c) != nullptr;
}

// The kind of the token word, which comes right after a define or not.
TokenKind kindOf(const char* word, bool afterDefine) {
    if (afterDefine) return nameFault(word) ? TokenKind::BAD : TokenKind::DEFINITION;
    if (isBrace(word[0])) return TokenKind::BRACE;
    if (isKeyword(word)) return TokenKind::KEYWORD;
    if (primInstruc(word)) return TokenKind::PRIMITIVE;
    if (testCode(word) || word[0] == '=' || word[0] == '\'') return TokenKind::TEST;
    return TokenKind::NAME;
}

void add(std::vector<TokenSpan>& spans, size_t start, size_t length, TokenKind kind) {
    // Refused bytes in a row make one token.
    if (!spans.empty() && kind == TokenKind::BAD && spans.back().kind == kind &&
        spans.back().start + spans.back().length == start)
        spans.back().length += length;
    else
        spans.push_back({start, length, kind});
}

// The tokens of one piece (n bytes at offset in its line), as the scanner reads them from the
// line reader's buffer.
void programPiece(const char* text, size_t n, size_t offset, bool& afterDefine,
                  std::vector<TokenSpan>& spans) {
    char piece[MAXBYTES];
    std::memcpy(piece, text, n);
    piece[n] = '\0';
    size_t at = 0;
    for (;;) {
        while (isWhite(piece[at]))
            ++at;
        if (at >= n) return;
        if (piece[at] == COMMENT_MARK || piece[at] == '\0') {
            add(spans, offset + at, n - at, TokenKind::COMMENT);
            return;
        }
        size_t length = static_cast<size_t>(tokenLength(piece + at));
        if (length == 0) {
            add(spans, offset + at++, 1, TokenKind::BAD);
            continue;
        }
        char word[MAXTOKEN];
        size_t kept = std::min(length, static_cast<size_t>(MAXTOKEN - 1));
        std::memcpy(word, piece + at, kept);
        word[kept] = '\0';
        add(spans, offset + at, length, kindOf(word, afterDefine));
        afterDefine = !afterDefine && StrEq(word, DEFINE);
        at += length;
    }
}

} // namespace

void programLine(const char* text, size_t length, bool& afterDefine,
                 std::vector<TokenSpan>& spans) {
    spans.clear();
    for (size_t start = 0; start < length; start += PIECE)
        programPiece(text + start, std::min(PIECE, length - start), start, afterDefine, spans);
}

size_t readerLineStart(const char* text, size_t length, int line) {
    size_t at = 0;
    for (int n = 1; n < line && at < length; ++n) {
        size_t piece = std::min(PIECE, length - at);
        const void* end = std::memchr(text + at, '\n', piece);
        at = end ? static_cast<const char*>(end) - text + 1 : at + piece;
    }
    return std::min(at, length);
}

int readerLineOf(const char* text, size_t length, size_t offset) {
    int line = 1;
    for (size_t at = 0; at < length;) {
        size_t piece = std::min(PIECE, length - at);
        const void* end = std::memchr(text + at, '\n', piece);
        at = end ? static_cast<const char*>(end) - text + 1 : at + piece;
        if (at > offset) break;
        ++line;
    }
    return line;
}

std::vector<Definition> definitions(const char* text, size_t length) {
    std::vector<Definition> found;
    std::vector<TokenSpan> spans;
    bool afterDefine = false;
    size_t defineAt = 0;
    const size_t defineLength = std::strlen(DEFINE);
    size_t at = 0;
    while (at < length) {
        // Only the lines holding a define, and those right after one, can give a name.
        size_t line = at;
        if (!afterDefine) {
            const void* hit = memmem(text + at, length - at, DEFINE, defineLength);
            if (!hit) break;
            const char* hitAt = static_cast<const char*>(hit);
            const void* lineEnd = memrchr(text + at, '\n', static_cast<size_t>(hitAt - text) - at);
            line = lineEnd ? static_cast<const char*>(lineEnd) - text + 1 : at;
        }
        const void* end = std::memchr(text + line, '\n', length - line);
        size_t next = end ? static_cast<const char*>(end) - text + 1 : length;
        programLine(text + line, next - line, afterDefine, spans);
        for (const TokenSpan& s : spans) {
            if (s.kind == TokenKind::KEYWORD &&
                std::string(text + line + s.start, s.length) == DEFINE)
                defineAt = line + s.start;
            if (s.kind == TokenKind::DEFINITION)
                found.push_back(
                    {std::string(text + line + s.start, s.length), defineAt, line + s.start});
        }
        at = next;
    }
    return found;
}

std::set<std::string> definedNames(const char* text, size_t length) {
    std::set<std::string> names;
    for (Definition& d : definitions(text, length))
        names.insert(std::move(d.name));
    return names;
}
