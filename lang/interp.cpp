#include "lang/interp.h"

#include "lang/outside.h"
#include "lang/table.h"
#include "world/world.h"

#include <chrono>
#include <cstring>

char* CodePtr = nullptr;
Stack CodeStack;
int delay_factor = 0;

static void setStatus(const char* text) {
    std::strncpy(CurrInstrName, text, sizeof CurrInstrName - 1);
    CurrInstrName[sizeof CurrInstrName - 1] = '\0';
}

static void addStatus(const char* text) {
    size_t used = std::strlen(CurrInstrName);
    std::strncat(CurrInstrName, text, sizeof CurrInstrName - 1 - used);
}

// Remembers where to resume; a return stack that cannot grow stops the run instead.
static bool enter(char* resume) {
    if (CodeStack.push(reinterpret_cast<long>(resume))) return true;
    ui().messageBox("Too many instructions in progress at once (endless recursion?)--stopping",
                    "Stack full");
    STOPPED = true;
    return false;
}

char* closeBrace(char* p) {
    for (int depth = 1; depth > 0; ++p) {
        char c = *p;
        if (c == '\0') return p;
        if (c == 'e' || c == 'f' || c == 'w') ++depth;
        if (c == '}') --depth;
    }
    return p;
}

// Moves past one code character, never past the code's NUL.
static void skipChar(char* code, int& at) {
    if (code[at] != '\0') ++at;
}

int execTest(char* ByteCode, int& byteI) {
    bool negated = ByteCode[byteI] == 'n';
    if (negated) {
        addStatus("not ");
        ++byteI;
    }
    char test = ByteCode[byteI];
    skipChar(ByteCode, byteI);
    int result = 0;
    switch (test) {
    case 'A':
    case 'B': {
        addStatus("b1==?)");
        skipChar(ByteCode, byteI); // the '='
        char second = ByteCode[byteI];
        skipChar(ByteCode, byteI);
        char first = test == 'A' ? b1 : b2;
        if (second == test)
            result = 1;
        else if (second == 'A' || second == 'B')
            result = b1 == b2;
        else
            result = first != '\0' && first == static_cast<char>(second & 0x7F);
        break;
    }
    case 'C':
        addStatus("cornerHasSomething");
        result = robot().cornerHasSomething();
        break;
    case 'F':
        addStatus("frontClear");
        result = robot().frontClear();
        break;
    case 'N':
        addStatus("facingNorth");
        result = robot().facingNorth();
        break;
    default: break;
    }
    return negated ? !result : result;
}

static void primitive(void (Robot::*action)(), const char* name) {
    (robot().*action)();
    setStatus(name);
    ++CodePtr;
}

static void call() {
    char tens = CodePtr[1], units = tens ? CodePtr[2] : '\0';
    if (tens < '0' || tens > '9' || units < '0' || units > '9') {
        ++CodePtr;
        return;
    }
    int row = 10 * (tens - '0') + (units - '0');
    if (!enter(CodePtr + 3)) return;
    CodePtr = definedTable[row].byteCode;
    setStatus(definedTable[row].name);
}

static void ifStep() {
    setStatus("if (");
    int at = 1;
    int holds = execTest(CodePtr, at);
    char* thenBody = CodePtr + at;
    char* after = closeBrace(thenBody);
    char* elseBody = nullptr;
    if (*after == 'e') {
        elseBody = after + 1;
        after = closeBrace(elseBody);
    }
    if (holds) {
        if (enter(after)) CodePtr = thenBody;
    } else if (elseBody) {
        if (enter(after)) CodePtr = elseBody;
        setStatus("..else");
    } else {
        CodePtr = after;
    }
}

static void whileStep() {
    setStatus("while (");
    char* loop = CodePtr;
    int at = 1;
    int holds = execTest(CodePtr, at);
    char* body = CodePtr + at;
    if (!holds)
        CodePtr = closeBrace(body);
    else if (enter(loop))
        CodePtr = body;
}

// Executes the instruction at CodePtr; false when there was none (the code had ended).
static bool dispatch() {
    switch (*CodePtr) {
    case '\0': STOPPED = true; return false;
    case 'M': primitive(&Robot::move, "move"); break;
    case 'L': primitive(&Robot::left, "left"); break;
    case 'R': primitive(&Robot::input, "read"); break;
    case 'W': primitive(&Robot::output, "write"); break;
    case '1': primitive(&Robot::copy1, "b1=b2"); break;
    case '2': primitive(&Robot::copy2, "b2=b1"); break;
    case 'p': primitive(&Robot::pause, "pause"); break;
    case 'r': call(); break;
    case 'f': ifStep(); break;
    case 'w': whileStep(); break;
    default: ++CodePtr; break;
    }
    return true;
}

bool programFinished() {
    return CodePtr && CodeStack.size() == 0 && *CodePtr == '\0';
}

void SingleStep(bool should_sleep) {
    if (!CodePtr) {
        CodePtr = definedTable[0].byteCode;
        setStatus("main");
        ui().updateStatus();
        return;
    }
    if (!dispatch()) return;
    while ((*CodePtr == '\0' || *CodePtr == '}') && CodeStack.size() > 0) {
        long resume = 0;
        CodeStack.pop(resume);
        CodePtr = reinterpret_cast<char*>(resume);
    }
    if (programFinished()) {
        addStatus("..done!");
        STOPPED = true;
    }
    ui().updateStatus();
    if (should_sleep) mysleep();
}

long mysleep() {
    if (delay_factor == 0) return 0;
    auto start = std::chrono::steady_clock::now();
    ui().waitDelay(delay_factor);
    auto waited = std::chrono::steady_clock::now() - start;
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count());
}

void resetInterpreter() {
    CodePtr = nullptr;
    CodeStack.reset();
    b1 = '\0';
    b2 = '\0';
}
