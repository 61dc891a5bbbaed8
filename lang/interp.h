// The interpreter: executes byte code one step at a time against the robot.
#pragma once
#include "lang/stack.h"

extern char* CodePtr;    // the next code character to execute; null: the next step starts main
extern Stack CodeStack;  // resume positions of the bodies and calls in progress
extern int delay_factor; // milliseconds to wait after each step of a run
extern char b1, b2;      // the robot's boards, which tests compare; NUL when uninitialized
extern bool STOPPED;     // the run loops' stop flag

#include <string>

// The instruction the step in progress executes; null between steps.
const char* executingInstruction();
struct defined; // a row of the instruction table

// Executes one step; a run passes true to wait the delay after it.
void SingleStep(bool should_sleep);
// How a step left the status text (CurrInstrName), as stepOnce (lang/step.h) tells it.
constexpr int STEP_KEPT_STATUS = 1; // the step wrote no status of its own
constexpr int STEP_ELSE = 2;        // an if took its else body: "..else"
constexpr int STEP_DONE = 4;        // the step finished the program: "..done!" added
// The status a step that started at code (null: the first step) wrote, code lying in table (a
// copy of the instruction table as the step found it); how is stepOnce's, without
// STEP_KEPT_STATUS.
std::string statusAfter(const char* code, const defined* table, int how);
// Executes one step through the installed stepper (SingleStep unless another is installed).
void takeStep(bool should_sleep);
// Installs what takes each step of takeStep and of runProgram; null restores SingleStep.
void setStepper(void (*stepper)(bool should_sleep));
// The named instructions in progress, outermost first, as "main > climb > turnRight"; empty
// before the program has started.
std::string callChain();
// Evaluates the test at ByteCode[byteI], advances byteI past it, appends its text to the status.
int execTest(char* ByteCode, int& byteI);
// Just past the '}' closing the body that starts at p (at the code's NUL if it ends first).
char* closeBrace(char* p);
// Waits delay_factor milliseconds; returns the time waited.
long mysleep();
// Starts the program over: no position, an empty return stack, both boards empty.
void resetInterpreter();
// The whole language state as at start: an empty instruction table, nothing being compiled,
// the interpreter at rest and no delay.
void resetLanguage();
// Steps the program until the run-stop flag is set or maxSteps steps were taken (0: no
// limit), waiting the delay and giving the display its turn after each step; after its first
// step, stops before an instruction the display holds a breakpoint for. The steps taken.
unsigned long long runProgram(unsigned long long maxSteps);
// The run has reached the end of the program: no resume positions left, at the code's end.
inline bool programFinished() {
    return CodePtr && CodeStack.size() == 0 && *CodePtr == '\0';
}
// The program has ended, but the step that ended it had set the run-stop flag before (a
// blocked move, a pause): the run counts as stopped.
bool programFinishedStopped();
