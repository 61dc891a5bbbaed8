#include "app/debugger.h"
#include "io/translate.h"

#include "app/editor.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/status.h"
#include "app/worldview.h"
#include "app/wxui.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "lang/tokens.h"
#include "world/goal.h"
#include "world/history.h"
#include "world/robot.h"
#include "world/world.h"

#include <cstring>

Debugger* debugger() {
    return subframe ? subframe->debugger.get() : nullptr;
}

Debugger::Debugger(MyEditor& editor) : editor(editor) {
    // An edit of the text takes the marks of a stop away, in the world too.
    editor.text_window->Bind(wxEVT_STC_CHANGE, [this](wxStyledTextEvent& event) {
        event.Skip();
        clearCrash();
    });
}

// The editor holds the program that runs, as it was compiled: its positions are right.
ProgramText* Debugger::textAsCompiled() const {
    if (std::strcmp(editFileName, progFile) != 0) return nullptr;
    ProgramText* text = editor.text_window;
    return text->changes() == compiledText ? text : nullptr;
}

void Debugger::showChain(const std::string& chain) {
    if (chain == shownChain || !editor.GetStatusBar()) return;
    shownChain = chain;
    editor.SetStatusText(fromText(chain.c_str()), 0);
}

void Debugger::programCompiled(const char* file) {
    if (std::strcmp(file, editFileName) != 0) return;
    ProgramText* text = editor.text_window;
    text->clearFault();
    compiledText = text->IsModified() ? -1 : text->changes();
}

void Debugger::nextInstructionChanged() {
    if (running && delay_factor == 0)
        nextPending = true;
    else
        showNextInstruction();
}

void Debugger::showPendingNext() {
    // A fast run renews the light a few times a second: enough to follow, and cheap.
    auto now = std::chrono::steady_clock::now();
    if (!nextPending || now - lastShown < std::chrono::milliseconds(100)) return;
    lastShown = now;
    showNextInstruction();
}

void Debugger::showNextInstruction() {
    nextPending = false;
    ProgramText* text = textAsCompiled();
    showChain(text ? callChain() : "");
    if (!text) {
        editor.text_window->clearNext();
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

bool Debugger::breakpointAt(const char* code) {
    ProgramText* text = textAsCompiled();
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

// The editor holds the program file with a text other than the one compiled.
bool Debugger::programChangedSinceCompiled() const {
    return std::strcmp(editFileName, progFile) == 0 && !textAsCompiled();
}

void Debugger::continueProgram() {
    if (running) return;
    if (firstRun || !CodePtr || programFinished()) {
        frame->Run_Pindle_Program(1);
        return;
    }
    if (programChangedSinceCompiled()) {
        switch (dialogs().askEitherOr(tr("The program has been changed since it started. Run the "
                                         "changed program from the start, or continue the old "
                                         "one where it stopped?"),
                                      tr("Continue"), tr("&Run the changed program"),
                                      tr("&Continue the old one"))) {
        case Dialogs::YES: frame->Run_Pindle_Program(1); return;
        case Dialogs::NO: break;
        default: return;
        }
    }
    clearCrash();
    STOPPED = false;
    RunGuard guard; // lights where the run stopped as it ends
    runProgram(0);
    tellGoal(howRunEnded());
}

void Debugger::showCrash(const char* code, int heading) {
    if (heading >= 0) markBlockedSide(heading);
    ProgramText* text = textAsCompiled();
    SourcePos at = sourcePosition(code);
    if (!text || at.line == 0) return;
    size_t length = static_cast<size_t>(text->GetLength());
    text->markCrash(readerLineStart(text->GetCharacterPointer(), length, at.line) + at.column - 1);
}

void Debugger::clearCrash() {
    editor.text_window->clearCrash();
    clearBlockedSide();
}

void Debugger::stepBackOnce() {
    if (running) return;
    clearCrash();
    if (macroName[0] != '\0') {
        dialogs().messageBox(tr("Steps cannot be undone while an instruction is being recorded"),
                             tr("Step back"));
        return;
    }
    if (!stepBack()) {
        dialogs().messageBox(tr("There is no earlier step to go back to"), tr("Step back"));
        return;
    }
    reDraw();
    bbstate = bbstateShown;
    update_status();
    showNextInstruction();
}
