// The main window's commands, its buttons, and the run control.
#include "app/animation.h"
#include "app/canvas.h"
#include "app/commandtable.h"
#include "app/coursework.h"
#include "app/debugger.h"
#include "app/editor.h"
#include "app/goals.h"
#include "app/helptext.h"
#include "app/ids.h"
#include "app/language.h"
#include "app/picture.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/settings.h"
#include "app/status.h"
#include "app/windowstate.h"
#include "app/worldedit.h"
#include "app/wxui.h"
#include "app/zoom.h"
#include "io/translate.h"
#include "lang/filenames.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/runstate.h"
#include "lang/table.h"
#include "world/goal.h"
#include "world/history.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstring>
#include <string>

// Chooses another program file and resets the world for it; false when none was taken.
static bool LoadPindleProgram(const char* title) {
    std::string name;
    if (!dialogs().chooseFile(title, tr("Pindle programs (*.pnd) |*.pnd|All files (*.*)|*.*"),
                              progFile, name))
        return false;
    if (!takeFileName(progFile, name.c_str())) return false;
    frame->Reset_Pindle_Program();
    return true;
}

static void compileAndReport() {
    if (!parse(progFile)) dialogs().messageBox(tr("Error in Pindle program"), tr("error"));
}

static void setDelay(int id) {
    run_delay_menu->Check(ID_DELAY_SLOW, id == ID_DELAY_SLOW);
    run_delay_menu->Check(ID_DELAY_MEDIUM, id == ID_DELAY_MEDIUM);
    run_delay_menu->Check(ID_DELAY_FAST, id == ID_DELAY_FAST);
    delay_factor = id == ID_DELAY_SLOW ? 1500 : id == ID_DELAY_MEDIUM ? 750 : 0;
}

void MyFrame::onMenu(wxCommandEvent& event) {
    // Keys of the shared accelerator table act only where the menu bar holds their item, and
    // the editor's run keys everywhere.
    int id = event.GetId();
    if ((GetMenuBar() && GetMenuBar()->FindItem(id)) || runsInBothWindows(id)) OnMenuCommand(id);
}

void MyFrame::OnMenuCommand(int id) {
    if (doCommand(id)) focusWorldCanvas();
}

bool MyFrame::doCommand(int id) {
    const Command* command = commandOfId(id);
    if (running && !(command && (command->flags & WHILE_RUNNING))) return false;
    editorRaised = false;
    switch (id) {
    case ID_EDIT_PROGRAM:
        editFileIsProgram = true;
        EditPindleFile(progFile);
        break;
    case ID_LOAD_PROGRAM:
        if (!LoadPindleProgram(tr("Load Pindle program"))) break;
        firstRun = true;
        editFileIsProgram = true;
        EditPindleFile(progFile);
        break;
    case ID_EDIT_WORLD:
        editFileIsProgram = false;
        EditPindleFile(worldFile);
        break;
    case ID_LOAD_WORLD:
        if (keepWorldEditsSafe()) chooseWorld();
        break;
    case ID_NEW_WORLD: newWorld(); break;
    case ID_LOAD_GOAL: chooseGoal(); break;
    case ID_CLEAR_GOAL: clearGoal(); break;
    case ID_SAVE_PICTURE: savePicture(); break;
    case ID_RECORD_ANIMATION: chooseAnimation(); break;
    case ID_RESET_WORLD:
        Reset_Pindle_Program();
        compileAndReport();
        break;
    case ID_RUN: Run_Pindle_Program(1); break;
    case ID_STEP: Run_Pindle_Program(0); break;
    case ID_CONTINUE: debugger()->continueProgram(); break;
    case ID_STEP_BACK: debugger()->stepBackOnce(); break;
    case ID_EDIT_BY_MOUSE: toggleWorldEditing(); break;
    case ID_SAVE_WORLD: saveWorld(); break;
    case ID_SAVE_WORLD_AS: saveWorldAs(); break;
    case ID_CHECK:
        if (!keepWorldEditsSafe()) break;
        reloadWorld();
        if (parse(progFile))
            dialogs().messageBox(tr("Program is syntactically correct"), tr("Parses OK"));
        else
            dialogs().messageBox(tr("Error in Pindle program"), tr("error"));
        break;
    case ID_DELAY_SLOW:
    case ID_DELAY_MEDIUM:
    case ID_DELAY_FAST: setDelay(id); break;
    case ID_STOP: requestStop(); break;
    case ID_ZOOM_IN: zoomWorld(zoomStep(1)); break;
    case ID_ZOOM_OUT: zoomWorld(zoomStep(-1)); break;
    case ID_ZOOM_ACTUAL: zoomWorld(ACTUAL_SIZE); break;
    case ID_ABOUT: dialogs().messageBox(tr(aboutText), tr("About Pindle")); break;
    case ID_KEYPRESS_HELP:
        dialogs().messageBox(tr(keypressHelp), tr("Keypress Instructions"));
        break;
    case ID_LANGUAGE_HELP:
        dialogs().messageBox(tr(languageHelp), tr("Pindle's programming language"));
        break;
    case ID_KEYS_HELP:
    case ID_EXAMPLES_HELP: showBothWindowsHelp(id); break;
    case ID_TOGGLE_BREAKPOINT:
        if (subframe)
            subframe->text_window->toggleBreakpoint(subframe->text_window->GetCurrentLine());
        break;
    case ID_OPEN_COURSE: chooseCourse(); break;
    case ID_BUNDLED_COURSE: openBundledCourse(); break;
    case ID_NEXT_TASK: stepTask(1); break;
    case ID_PREVIOUS_TASK: stepTask(-1); break;
    case ID_CHECK_TASK: checkTask(); break;
    case ID_RESET: Reset_Pindle_Program(); break;
    case ID_DEFINE:
        if (macroName[0] != '\0')
            canvas->stop();
        else
            canvas->startKeyboardDefine();
        break;
    case ID_EXECUTE: canvas->runInstruction(); break;
    default:
        if (id >= ID_LANGUAGE_SYSTEM && id < ID_LANGUAGE_LAST) {
            saveLanguage(OFFERED_LANGUAGES[id - ID_LANGUAGE_SYSTEM]);
            menu_bar->Check(id, true);
            noteLanguageChosen();
        }
        break;
    }
    return true;
}

void button_proc(wxButton& but, wxCommandEvent&) {
    long tag = reinterpret_cast<long>(but.GetClientData());
    MyCanvas* canvas = frame->canvas;
    editorRaised = false;
    if (!running) {
        if (const Instruction* action = keyedAction(static_cast<int>(tag) - 1)) {
            canvas->act(action->act);
            update_status();
        } else {
            frame->doCommand(commandButton(static_cast<int>(tag) - 1 - KEYED_ACTIONS)->id);
        }
    }
    // A fault brought up in the editor leaves the editor on top with the keys.
    bool inEditor = editorRaised;
    frame->focusWorldCanvas();
    if (!inEditor) canvas->Raise();
}

static bool editorChanged() {
    return subframe && subframe->text_window->IsModified();
}

int MyFrame::Reset_Pindle_Program() {
    Show(true);
    Raise();
    if (Debugger* d = debugger()) d->clearCrash();
    endWorldEditing();
    if (!keepWorldEditsSafe()) return 0;
    if (editorChanged()) {
        if (!savefile(editFileName)) return 0;
        subframe->SetTitle(_("Pindle's Editor: ") + fromText(editFileName));
    }
    if (!reloadWorld()) return 0;
    resetInterpreter();
    return 1;
}

void MyFrame::Run_Pindle_Program(int run) {
    if (running) return;
    if (Debugger* d = debugger()) d->clearCrash();
    forgetRunNotes();
    // The program would change the world: edits made with the mouse are saved or let go first.
    endWorldEditing();
    if (!keepWorldEditsSafe()) return;
    Show(true);
    Raise();
    if (firstRun || editorChanged() || std::strcmp(editFileName, "new") == 0) {
        if (!Reset_Pindle_Program()) return;
    }
    if ((firstRun || std::strstr(CurrInstrName, "done!")) && progFile[0] == '\0') return;
    if (!parse(progFile)) return;
    if (!userMainExists()) {
        dialogs().messageBox(tr("No 'main' instruction in program"), "main?");
        return;
    }
    if (run) {
        resetInterpreter();
        clearHistory();
    }
    firstRun = false;
    STOPPED = false;
    if (!run) {
        takeStep(false);
        return;
    }
    RunGuard guard;
    runProgram(0);
    tellGoal(howRunEnded());
}
