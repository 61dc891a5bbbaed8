#include "app/debugger.h"

#include "app/editor.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/runstate.h"
#include "app/wxui.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/table.h"
#include "lang/tokens.h"
#include "view/status.h"
#include "view/worldview.h"
#include "world/goal.h"
#include "world/history.h"
#include "world/robot.h"
#include "world/world.h"

#include <chrono>
#include <cstring>
#include <set>

namespace {

long compiledText = -1;   // the editor's change count when it held the compiled program
bool nextPending = false; // the next instruction changed since it was last lit

long breakpointsOf = -2, togglesOf = -1; // the counts the lines below were found for
std::set<int> breakLines;                // the reader's lines that hold a breakpoint

// The editor holds the program that runs, as it was compiled: its positions are right.
ProgramText* compiledEditor() {
    if (!subframe || std::strcmp(editFileName, progFile) != 0) return nullptr;
    ProgramText* text = subframe->text_window;
    return text->changes() == compiledText ? text : nullptr;
}

void showChain(const std::string& chain) {
    static std::string shown;
    if (chain == shown || !subframe || !subframe->GetStatusBar()) return;
    shown = chain;
    subframe->SetStatusText(fromText(chain.c_str()), 0);
}

} // namespace

void programCompiledNow(const char* file) {
    if (!subframe || std::strcmp(file, editFileName) != 0) return;
    ProgramText* text = subframe->text_window;
    text->clearFault();
    compiledText = text->IsModified() ? -1 : text->changes();
}

void nextInstructionChanged() {
    if (running && delay_factor == 0)
        nextPending = true;
    else
        showNextInstruction();
}

void showPendingNext() {
    // A fast run renews the light a few times a second: enough to follow, and cheap.
    static auto lastShown = std::chrono::steady_clock::now();
    auto now = std::chrono::steady_clock::now();
    if (!nextPending || now - lastShown < std::chrono::milliseconds(100)) return;
    lastShown = now;
    showNextInstruction();
}

void showNextInstruction() {
    nextPending = false;
    if (!subframe) return;
    ProgramText* text = compiledEditor();
    showChain(text ? callChain() : "");
    if (!text) {
        subframe->text_window->clearNext();
        return;
    }
    SourcePos at = sourcePosition(CodePtr);
    if (at.line == 0) {
        text->clearNext();
        return;
    }
    size_t length = static_cast<size_t>(text->GetLength());
    text->showNext(readerLineStart(text->GetCharacterPointer(), length, at.line) + at.column - 1);
}

bool breakpointAt(const char* code) {
    ProgramText* text = compiledEditor();
    if (!text) return false;
    // The lines are found again only when the text or its breakpoints changed, not every step.
    if (breakpointsOf != text->changes() || togglesOf != text->breakpointToggles()) {
        breakpointsOf = text->changes();
        togglesOf = text->breakpointToggles();
        breakLines.clear();
        const char* bytes = text->GetCharacterPointer();
        size_t length = static_cast<size_t>(text->GetLength());
        for (int line : text->breakpointLines())
            breakLines.insert(readerLineOf(bytes, length, text->PositionFromLine(line)));
    }
    return !breakLines.empty() && breakLines.count(sourcePosition(code).line) > 0;
}

void continueProgram() {
    if (running) return;
    if (firstRun || !CodePtr || programFinished()) {
        frame->Run_Pindle_Program(1);
        return;
    }
    STOPPED = false;
    RunGuard guard; // lights where the run stopped as it ends
    runProgram(0);
    tellGoal(howRunEnded());
}

void stepBackOnce() {
    if (running) return;
    if (macroName[0] != '\0') {
        ui().messageBox("Steps cannot be undone while an instruction is being recorded",
                        "Step back");
        return;
    }
    if (!stepBack()) {
        ui().messageBox("There is no earlier step to go back to", "Step back");
        return;
    }
    reDraw();
    bbstate = bbstateShown;
    update_status();
    showNextInstruction();
}
