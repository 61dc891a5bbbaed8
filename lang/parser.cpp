#include "lang/parser.h"
#include "io/translate.h"

#include "lang/bytecode.h"
#include "lang/errormsg.h"
#include "lang/outside.h"
#include "lang/table.h"

#include <cstring>

static char byteCode[MAXBYTES];       // the code of the definition being compiled
static int i = 0;                     // characters written to byteCode so far
static bool lookAheadToken = false;   // the current token was read past the construct just finished
static SourcePos byteWhere[MAXBYTES]; // beside byteCode: where each instruction's code came from

// Bodies open at once; deeper nesting could never fit byteCode, which needs three
// characters a level, so it is refused before it can exhaust the parser's own stack.
static constexpr int MAXNESTING = MAXBYTES;
static int nesting = 0;

static const char* const tooLong = N_("Definition is too long, break it down?");

// Appends one code character; a definition that outgrows byteCode keeps its first
// MAXBYTES - 1 characters (it is too long for the table in any case).
static void emit(char c) {
    if (i < MAXBYTES - 1) byteCode[i++] = c;
}
static void emit(Code c) {
    emit(codeChar(c));
}
// The instruction whose code comes next starts at the current token.
static void markInstruction() {
    if (i < MAXBYTES - 1) byteWhere[i] = {f.currentLine(), tokenColumn()};
}

static bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The words of the language's structure that no instruction may be named.
static bool isControlWord(const char* tok) {
    return StrEq(tok, wordOf(Code::IF)) || StrEq(tok, wordOf(Code::ELSE)) ||
           StrEq(tok, wordOf(Code::WHILE));
}

static bool isReserved(const char* tok) {
    return primInstruc(tok) || isControlWord(tok);
}

bool isKeyword(const char* tok) {
    return isControlWord(tok) || StrEq(tok, DEFINE) || StrEq(tok, "as") ||
           StrEq(tok, wordOf(Code::NOT));
}

const char* nameFault(const char* tok) {
    if (!isLetter(tok[0])) return N_("Instruction name must begin with a letter");
    if (isReserved(tok)) return N_("Cannot redefine a reserved word");
    if (std::strlen(tok) >= static_cast<size_t>(MAXDEFNAME))
        return N_("Instruction name is too long (80)");
    return nullptr;
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
        if (!StrEq(token, DEFINE)) {
            finish(false);
            return errorMsg("Expected define but found", token);
        }
        if (!defineInstruction()) return finish(false);
        if (!scan(f)) return finish(false);
    }
    compilerListener().programCompiled(fileName);
    return finish(true);
}

bool defineInstruction() {
    i = 0;
    std::memset(byteWhere, 0, sizeof byteWhere);
    if (!scan(f)) return errorMsg("Expected token but found eof", token);
    if (const char* fault = nameFault(token)) return errorMsg(fault, token);
    std::strcpy(CurrInstrName, token);
    tableWritten();
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
    storeInstruction(CurrInstrName, byteCode, byteWhere);
    return true;
}

bool instrucAsByteCode() {
    markInstruction();
    char code = primInstruc(token);
    if (code) {
        emit(code);
        return true;
    }
    if (StrEq(token, wordOf(Code::IF))) return ifInstruc();
    if (StrEq(token, wordOf(Code::WHILE))) return whileInstruc();
    int row = findUserInstruc(token);
    if (row == -1) return errorMsg("Unknown instruction", token);
    emit(Code::CALL);
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
    emit(Code::IF);
    return nested([] { return conditionExpr() && conditionalInstruc() && elsePart(); });
}

bool whileInstruc() {
    emit(Code::WHILE);
    return nested([] { return conditionExpr() && conditionalInstruc(); });
}

bool conditionExpr() {
    if (!scan(f)) return errorMsg("Expected '(' but found eof", token);
    if (token[0] != '(') return errorMsg("Expected '(' but found ", token);
    if (!scan(f)) return errorMsg("Expected token but found eof", token);
    if (StrEq(token, wordOf(Code::NOT))) {
        emit(Code::NOT);
        if (!scan(f)) return errorMsg("Expected token but found eof", token);
    }
    char test = primTest(token);
    if (!test) return false;
    emit(test);
    if (test == codeChar(Code::BOARD1) || test == codeChar(Code::BOARD2)) {
        if (!scan(f)) return errorMsg("Expected '==' but found eof", token);
        if (!StrEq(token, "==")) return errorMsg("Expected '==' but found ", token);
        emit(Code::EQUALS);
        if (!scan(f)) return errorMsg("Expected token but found eof", token);
        if (token[0] == '\'') {
            emit(literalCode(token[1]));
        } else {
            char second = primTest(token);
            if (second != codeChar(Code::BOARD1) && second != codeChar(Code::BOARD2))
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
    emit(Code::CLOSE);
    return true;
}

bool elsePart() {
    if (!nextAfterInstruction()) return false;
    if (StrEq(token, wordOf(Code::ELSE))) {
        emit(Code::ELSE);
        return conditionalInstruc();
    }
    lookAheadToken = true;
    return true;
}

// The code of the row of kind whose word is tok, or 0.
static char codeNamed(const char* tok, Kind kind) {
    const Instruction* in = instructionNamed(tok, kind);
    return in ? codeChar(in->code) : 0;
}

char primInstruc(const char* tok) {
    return codeNamed(tok, Kind::ACTION);
}

char testCode(const char* tok) {
    return codeNamed(tok, Kind::TEST);
}

char primTest(const char* tok) {
    char code = testCode(tok);
    if (!code) errorMsg("Unknown test", tok);
    return code;
}
