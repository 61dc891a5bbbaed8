#include "lang/parser.h"

#include "lang/errormsg.h"
#include "lang/table.h"

#include <cstring>

char byteCode[MAXBYTES];
int i = 0;
bool lookAheadToken = false;

// Bodies open at once; deeper nesting could never fit byteCode, which needs three
// characters a level, so it is refused before it can exhaust the parser's own stack.
static constexpr int MAXNESTING = MAXBYTES;
static int nesting = 0;

static const char* const tooLong = "Definition is too long, break it down?";

// Appends one code character; a definition that outgrows byteCode keeps its first
// MAXBYTES - 1 characters (it is too long for the table in any case).
static void emit(char c) {
    if (i < MAXBYTES - 1) byteCode[i++] = c;
}

static bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

static bool isReserved(const char* tok) {
    return primInstruc(tok) || StrEq(tok, "if") || StrEq(tok, "else") || StrEq(tok, "while");
}

// Ends a parse: the reader is closed and the scanner has no current line.
static bool finish(bool result) {
    f.close();
    buffer = nullptr;
    return result;
}

// The token after an instruction: a pending look-ahead token, or a fresh one.
static bool nextAfterInstruction() {
    if (lookAheadToken) {
        lookAheadToken = false;
        return true;
    }
    if (!scan(f)) return errorMsg("Expected token but found eof", token);
    return true;
}

bool parse(const char* fileName) {
    buffer = nullptr;
    lookAheadToken = false;
    nesting = 0;
    f.open(fileName);
    if (!f.exists()) {
        finish(false);
        return errorMsg("No such file as", fileName);
    }
    if (!scan(f)) return finish(false);
    while (!f.eof()) {
        if (!StrEq(token, "define")) {
            finish(false);
            return errorMsg("Expected define but found", token);
        }
        if (!defineInstruction()) return finish(false);
        if (!scan(f)) return finish(false);
    }
    return finish(true);
}

bool defineInstruction() {
    i = 0;
    if (!scan(f)) return errorMsg("Expected token but found eof", token);
    if (!isLetter(token[0])) return errorMsg("Instruction name must begin with a letter", token);
    if (isReserved(token)) return errorMsg("Cannot redefine a reserved word", token);
    if (std::strlen(token) >= static_cast<size_t>(MAXDEFNAME))
        return errorMsg("Instruction name is too long (80)", token);
    std::strcpy(CurrInstrName, token);
    CurrInstrNum = StrEq(token, "main") ? 0 : firstEmpty;
    if (!scan(f)) return errorMsg("Expected 'as' but found eof", token);
    if (!StrEq(token, "as")) return errorMsg("Expected 'as' but found", token);
    if (!scan(f)) return errorMsg("Expected '{' but found eof", token);
    if (!StrEq(token, "{")) return errorMsg("Expected '{' but found", token);
    if (!scan(f)) return errorMsg("Expected token but found eof", token);
    while (!StrEq(token, "}") && !StrEq(token, "eof")) {
        if (!instrucAsByteCode() || !nextAfterInstruction()) return false;
    }
    byteCode[i] = '\0';
    storeInstruction(CurrInstrName, byteCode);
    return true;
}

bool instrucAsByteCode() {
    char code = primInstruc(token);
    if (code) {
        emit(code);
        return true;
    }
    if (StrEq(token, "if")) return ifInstruc();
    if (StrEq(token, "while")) return whileInstruc();
    int row = findUserInstruc(token);
    if (row == -1) return errorMsg("Unknown instruction", token);
    emit('r');
    emit(static_cast<char>('0' + row / 10 % 10));
    emit(static_cast<char>('0' + row % 10));
    return true;
}

// Runs one compound instruction's parts one nesting level deeper.
template <typename Parts> static bool nested(Parts parts) {
    if (nesting >= MAXNESTING) return errorMsg(tooLong, token);
    ++nesting;
    bool ok = parts();
    --nesting;
    return ok;
}

bool ifInstruc() {
    emit('f');
    return nested([] { return conditionExpr() && conditionalInstruc() && elsePart(); });
}

bool whileInstruc() {
    emit('w');
    return nested([] { return conditionExpr() && conditionalInstruc(); });
}

bool conditionExpr() {
    if (!scan(f)) return errorMsg("Expected '(' but found eof", token);
    if (token[0] != '(') return errorMsg("Expected '(' but found ", token);
    if (!scan(f)) return errorMsg("Expected token but found eof", token);
    if (StrEq(token, "not")) {
        emit('n');
        if (!scan(f)) return errorMsg("Expected token but found eof", token);
    }
    char test = primTest(token);
    if (!test) return false;
    emit(test);
    if (test == 'A' || test == 'B') {
        if (!scan(f)) return errorMsg("Expected '==' but found eof", token);
        if (!StrEq(token, "==")) return errorMsg("Expected '==' but found ", token);
        emit('=');
        if (!scan(f)) return errorMsg("Expected token but found eof", token);
        if (token[0] == '\'') {
            emit(static_cast<char>(token[1] + 0x80));
        } else {
            char second = primTest(token);
            if (second != 'A' && second != 'B')
                return errorMsg("Expected 'b1', 'b2', or char but found ", token);
            emit(second);
        }
    }
    if (!scan(f)) return errorMsg("Expected ')' but found eof", token);
    if (token[0] != ')') return errorMsg("Expected ')' but found ", token);
    return true;
}

bool conditionalInstruc() {
    if (!scan(f)) return errorMsg("Expected '{' but found eof", token);
    if (StrEq(token, "{")) {
        if (!scan(f)) return errorMsg("Expected token but found eof", token);
        if (!instrucAsByteCode() || !nextAfterInstruction()) return false;
        while (!StrEq(token, "}") && !StrEq(token, "eof")) {
            if (!instrucAsByteCode() || !nextAfterInstruction()) return false;
        }
    } else if (!instrucAsByteCode()) {
        return false;
    }
    emit('}');
    return true;
}

bool elsePart() {
    if (!nextAfterInstruction()) return false;
    if (StrEq(token, "else")) {
        emit('e');
        return conditionalInstruc();
    }
    lookAheadToken = true;
    return true;
}

char primInstruc(const char* tok) {
    static const struct {
        const char* word;
        char code;
    } prims[] = {{"move", 'M'},  {"left", 'L'},  {"pause", 'p'}, {"read", 'R'},
                 {"write", 'W'}, {"b1=b2", '1'}, {"b2=b1", '2'}};
    for (const auto& p : prims)
        if (StrEq(tok, p.word)) return p.code;
    return 0;
}

char primTest(const char* tok) {
    if (StrEq(tok, "frontClear")) return 'F';
    if (StrEq(tok, "facingNorth")) return 'N';
    if (StrEq(tok, "cornerHasSomething")) return 'C';
    if (StrEq(tok, "b1")) return 'A';
    if (StrEq(tok, "b2")) return 'B';
    errorMsg("Unknown test", tok);
    return 0;
}
