#include "world/keypress.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "lang/hints.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "world/goal.h"
#include "world/robot.h"
#include "world/world.h"

#include <cstdio>
#include <string>

void startKeyboardDefine() {
    std::string name;
    if (!dialogs().askText(tr("Name of new macro instruction:"), tr("Define instruction"), name))
        return;
    if (name.empty()) return;
    // A name no program could call is refused with the reason.
    std::string refusal = nameRefusal(name);
    if (!refusal.empty()) {
        dialogs().messageBox(refusal.c_str(), tr("Define instruction"));
        return;
    }
    // A name longer than the table's name field keeps its first 31 characters.
    formatCut(macroName, sizeof macroName, "%s", name.c_str());
    dialogs().messageBox(tr("Stop definition by pressing 'd'"), macroName);
    byteI = 0;
    worldDisplay().recordingChanged();
}

void stopKeyboardDefine() {
    if (byteI == 0) {
        dialogs().messageBox(tr("Empty instruction not defined"), macroName);
        macroName[0] = '\0';
        worldDisplay().recordingChanged();
        return;
    }
    macroCode[byteI] = '\0';
    if (storeRecording(macroName, macroCode)) {
        // The code as the table keeps it, which a recording too long for a row has cut.
        char msg[sizeof macroName + MAXBYTECODE + 64];
        formatCut(msg, sizeof msg, tr("Defined %s as %s"), macroName, getCodePtr(macroName));
        dialogs().messageBox(msg, macroName);
    }
    macroName[0] = '\0';
    worldDisplay().recordingChanged();
}

void runInstruction() {
    if (firstRun) parse(progFile);
    std::string name;
    if (!dialogs().askText(tr("Name of defined instruction:"), tr("Execute instruction"), name))
        return;
    char* code = getCodePtr(name.c_str());
    if (!code) {
        dialogs().messageBox(tr("Undefined instruction"), name.c_str());
        return;
    }
    // The instruction runs alone: what a stopped program would return to is forgotten.
    CodeStack.reset();
    CodePtr = code;
    STOPPED = false;
    runProgram(0);
    tellGoal(howRunEnded());
    STOPPED = false;
}
