#include "lang/interp.h"
#include "io/translate.h"

#include "lang/bytecode.h"
#include "lang/outside.h"
#include "lang/step.h"
#include "lang/table.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

char* CodePtr = nullptr;
Stack CodeStack;
char b1 = '\0', b2 = '\0';
bool STOPPED = false;
int delay_factor = 0;
static bool endStopped = false; // the step that ended the program also set the run-stop flag
static const char* executing = nullptr; // the instruction of the step in progress

const char* executingInstruction() {
    return executing;
}

// The pieces of the status texts a step writes.
static constexpr const char* MAIN_STATUS = "main";
static constexpr const char* IF_STATUS = "if (";
static constexpr const char* ELSE_STATUS = "..else";
static constexpr const char* WHILE_STATUS = "while (";
static constexpr const char* NOT_STATUS = "not ";
static constexpr const char* BOARDS_STATUS = "b1==?)";
static constexpr const char* DONE_STATUS = "..done!";

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
    dialogs().messageBox(
        tr("Too many instructions in progress at once (endless recursion?)--stopping"),
        tr("Stack full"));
    STOPPED = true;
    return false;
}

char* closeBrace(char* p) {
    const char* end = bodyEnd(p);
    return end ? p + (end - p) : p + std::strlen(p);
}

// Moves past one code character, never past the code's NUL.
static void skipChar(char* code, int& at) {
    if (code[at] != '\0') ++at;
}

// Whether board (BOARD1 or BOARD2) equals what follows its '=' at ByteCode[byteI]: the other
// board, or a character; moves byteI past both.
static int compareBoards(Code board, char* ByteCode, int& byteI) {
    addStatus(BOARDS_STATUS);
    skipChar(ByteCode, byteI); // the '='
    char second = ByteCode[byteI];
    skipChar(ByteCode, byteI);
    char first = board == Code::BOARD1 ? b1 : b2;
    if (second == codeChar(board)) return 1;
    if (second == codeChar(Code::BOARD1) || second == codeChar(Code::BOARD2)) return b1 == b2;
    return first != '\0' && first == static_cast<char>(second & 0x7F);
}

// Row I of the instruction set's robot test, when it is one, into result, its word added to the
// status. The test is a constant, so it is called directly.
template <std::size_t I> static void testOf(int& result) {
    constexpr const Instruction& in = instructionSet[I];
    if constexpr (in.test != nullptr) {
        addStatus(in.word);
        result = (robot().*in.test)();
    }
}

// Runs the robot test whose code is c into result; false when c is no robot test. The compiler
// turns the comparisons into one switch.
template <std::size_t... I> static bool runTest(Code c, int& result, std::index_sequence<I...>) {
    return ((c == instructionSet[I].code && instructionSet[I].test && (testOf<I>(result), true)) ||
            ...);
}

int execTest(char* ByteCode, int& byteI) {
    bool negated = codeAt(ByteCode + byteI) == Code::NOT;
    if (negated) {
        addStatus(NOT_STATUS);
        ++byteI;
    }
    Code test = codeAt(ByteCode + byteI);
    skipChar(ByteCode, byteI);
    int result = 0;
    if (!runTest(test, result, std::make_index_sequence<std::size(instructionSet)>()) &&
        (test == Code::BOARD1 || test == Code::BOARD2))
        result = compareBoards(test, ByteCode, byteI);
    return negated ? !result : result;
}

static constexpr int callLength = 1 + instructionOf(Code::CALL)->operands; // code, operands

int stepCall() {
    int row = decodeCall(CodePtr);
    if (row < 0) {
        ++CodePtr;
        return STEP_KEPT_STATUS;
    }
    if (!enter(CodePtr + callLength)) return STEP_KEPT_STATUS;
    CodePtr = definedTable[row].byteCode;
    setStatus(definedTable[row].name);
    return 0;
}

int stepIf() {
    setStatus(IF_STATUS);
    int at = 1;
    int holds = execTest(CodePtr, at);
    char* thenBody = CodePtr + at;
    char* after = closeBrace(thenBody);
    char* elseBody = nullptr;
    if (codeAt(after) == Code::ELSE) {
        elseBody = after + 1;
        after = closeBrace(elseBody);
    }
    if (holds) {
        if (enter(after)) CodePtr = thenBody;
    } else if (elseBody) {
        if (enter(after)) CodePtr = elseBody;
        setStatus(ELSE_STATUS);
        return STEP_ELSE;
    } else {
        CodePtr = after;
    }
    return 0;
}

int stepWhile() {
    setStatus(WHILE_STATUS);
    char* loop = CodePtr;
    int at = 1;
    int holds = execTest(CodePtr, at);
    char* body = CodePtr + at;
    if (!holds)
        CodePtr = closeBrace(body);
    else if (enter(loop))
        CodePtr = body;
    return 0;
}

// Row I of the instruction set's action, when it is one: the robot's action with its word as
// the status. The action is a constant, so it is called directly.
template <std::size_t I> static void actionOf() {
    constexpr const Instruction& in = instructionSet[I];
    if constexpr (in.act != nullptr) {
        (robot().*in.act)();
        setStatus(in.word);
        CodePtr += 1 + in.operands;
    }
}

// Executes the action whose code is c; false when c is no action. The compiler turns the
// comparisons into one switch.
template <std::size_t... I> static bool runAction(Code c, std::index_sequence<I...>) {
    return ((c == instructionSet[I].code && instructionSet[I].act && (actionOf<I>(), true)) || ...);
}

int stepAction() {
    executing = CodePtr; // the robot's boxes come from actions
    bool acted = runAction(codeAt(CodePtr), std::make_index_sequence<std::size(instructionSet)>());
    executing = nullptr;
    if (acted) return 0;
    ++CodePtr;
    return STEP_KEPT_STATUS;
}

int stepStart() {
    endStopped = false;
    CodePtr = definedTable[0].byteCode;
    setStatus(MAIN_STATUS);
    runHooks().updateStatus();
    return 0;
}

void stepFinished(bool stoppedBefore) {
    endStopped = STOPPED && !stoppedBefore;
    addStatus(DONE_STATUS);
    STOPPED = true;
}

bool programFinishedStopped() {
    return programFinished() && endStopped;
}

void SingleStep(bool should_sleep) {
    stepOnce(should_sleep);
}

// The status text the test at p (with its NOT) adds, as execTest adds it.
static std::string testStatus(const char* p) {
    std::string text;
    if (codeAt(p) == Code::NOT) {
        text = NOT_STATUS;
        ++p;
    }
    const Instruction* in = instructionOf(codeAt(p));
    if (in && in->test) text += in->word;
    if (codeAt(p) == Code::BOARD1 || codeAt(p) == Code::BOARD2) text += BOARDS_STATUS;
    return text;
}

std::string statusAfter(const char* code, const defined* table, int how) {
    std::string text;
    if (!code)
        text = MAIN_STATUS;
    else if (how & STEP_ELSE)
        text = ELSE_STATUS;
    else if (codeAt(code) == Code::CALL)
        text = table[decodeCall(code)].name;
    else if (codeAt(code) == Code::IF)
        text = IF_STATUS + testStatus(code + 1);
    else if (codeAt(code) == Code::WHILE)
        text = WHILE_STATUS + testStatus(code + 1);
    else
        text = wordOf(codeAt(code));
    if (how & STEP_DONE) text += DONE_STATUS;
    text.resize(std::min(text.size(), sizeof CurrInstrName - 1));
    return text;
}

long mysleep() {
    if (delay_factor == 0) return 0;
    auto start = std::chrono::steady_clock::now();
    runHooks().waitDelay(delay_factor);
    auto waited = std::chrono::steady_clock::now() - start;
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count());
}

void resetInterpreter() {
    endStopped = false;
    CodePtr = nullptr;
    CodeStack.reset();
    b1 = '\0';
    b2 = '\0';
}

void resetLanguage() {
    clearTable();
    CurrInstrName[0] = '\0';
    CurrInstrNum = -1;
    resetInterpreter();
    delay_factor = 0;
}

static void (*stepper)(bool) = SingleStep;

void setStepper(void (*step)(bool)) {
    stepper = step ? step : SingleStep;
}

void takeStep(bool should_sleep) {
    stepper(should_sleep);
}

// The row called by the instruction just before resume, when that is a call; else -1.
static int calledFrom(const char* resume) {
    int row = rowOf(resume);
    if (row < 0 || resume - definedTable[row].byteCode < callLength) return -1;
    const char* call = resume - callLength;
    return codeAt(call) == Code::CALL ? decodeCall(call) : -1;
}

std::string callChain() {
    if (!CodePtr) return "";
    std::vector<const char*> places; // the resume positions, then the next code
    for (int k = 0; k < CodeStack.size(); ++k)
        places.push_back(reinterpret_cast<const char*>(CodeStack.entry(k)));
    places.push_back(CodePtr);
    int row = rowOf(places[0]);
    std::string chain = row < 0 ? "" : definedTable[row].name;
    // An entry is a call's when the code it resumes after is a call of the row the next place
    // lies in; the entries of bodies stay in their row.
    for (size_t k = 0; k + 1 < places.size(); ++k) {
        int called = calledFrom(places[k]);
        if (called >= 0 && called == rowOf(places[k + 1]))
            chain += std::string(" > ") + definedTable[called].name;
    }
    return chain;
}

unsigned long long runProgram(unsigned long long maxSteps) {
    RunHooks& shown = runHooks();
    void (*const step)(bool) = stepper;
    unsigned long long steps = 0;
    bool atBreakpoint = false;
    while (!STOPPED && (maxSteps == 0 || steps < maxSteps)) {
        if (steps > 0 && shown.stopsBefore(CodePtr)) {
            STOPPED = true;
            atBreakpoint = true;
            break;
        }
        step(true);
        ++steps;
        shown.betweenSteps();
    }
    shown.runEnded(atBreakpoint);
    return steps;
}
