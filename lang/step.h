// The interpreter's step, inline, so that a stepper with work of its own before and after each
// step (the history of steps) takes it in one function with that work; SingleStep is the step
// alone. The parts it calls are lang/interp.cpp's.
#pragma once
#include "lang/bytecode.h"
#include "lang/interp.h"
#include "lang/outside.h"

// The parts of a step, each on the instruction at CodePtr; each returns how it left the status
// (STEP_ bits).
int stepStart();  // the first step: main's code next, the status "main", the status shown
int stepCall();   // a call
int stepIf();     // an if
int stepWhile();  // a while
int stepAction(); // an action, or past a code that starts no instruction
// The step has finished the program: "..done!" added, the run stopped.
void stepFinished(bool stoppedBefore);

// One step, as SingleStep takes it; how it left the status text, as STEP_ bits.
[[gnu::always_inline]] inline int stepOnce(bool should_sleep) {
    if (!CodePtr) return stepStart();
    bool stoppedBefore = STOPPED;
    int how = 0;
    switch (codeAt(CodePtr)) {
    case Code::END: STOPPED = true; return STEP_KEPT_STATUS;
    case Code::CALL: how = stepCall(); break;
    case Code::IF: how = stepIf(); break;
    case Code::WHILE: how = stepWhile(); break;
    default: how = stepAction(); break;
    }
    while ((codeAt(CodePtr) == Code::END || codeAt(CodePtr) == Code::CLOSE) &&
           CodeStack.size() > 0) {
        long resume = 0;
        CodeStack.pop(resume);
        CodePtr = reinterpret_cast<char*>(resume);
    }
    if (programFinished()) {
        stepFinished(stoppedBefore);
        how |= STEP_DONE;
    }
    runHooks().updateStatus();
    if (should_sleep) mysleep();
    return how;
}
