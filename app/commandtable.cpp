#include "app/commandtable.h"

#include "app/ids.h"
#include "io/textbuf.h"
#include "io/translate.h"
#include "lang/instructionset.h"

#include <cstring>
#include <wx/accel.h>
#include <wx/intl.h>
#include <wx/menu.h>

// TRANSLATORS: a button's label, lower case: keep it short, about six letters at most.
static const char* const RUN_BUTTON = N_("run");
// TRANSLATORS: a button's label, lower case: keep it short, about six letters at most.
static const char* const STEP_BUTTON = N_("step");
// TRANSLATORS: a button's label, lower case: keep it short, about six letters at most.
static const char* const RESET_BUTTON = N_("reset");
// TRANSLATORS: a button's label, lower case: keep it short, about six letters at most.
static const char* const DEFINE_BUTTON = N_("define");

// Menus list their items in the order of this table; the buttons too.
const Command COMMANDS[] = {
    {ID_EDIT_PROGRAM, Place::PROGRAM, N_("&Edit .pnd file\tCtrl-E"), N_("Edit current program"), 0,
     0, nullptr, nullptr},
    {ID_LOAD_PROGRAM, Place::PROGRAM, N_("&Load .pnd file\tCtrl-L"), N_("Load program from file"),
     0, 0, nullptr, nullptr},
    {ID_EDIT_WORLD, Place::WORLD, N_("&Edit .sit file\t"), N_("Edit world"), 0, 0, nullptr,
     nullptr},
    {ID_LOAD_WORLD, Place::WORLD, N_("&Load .sit file\t"), N_("Load world"), 0, 0, nullptr,
     nullptr},
    {ID_LOAD_GOAL, Place::WORLD, N_("Load &goal..."), N_("Load the goal the world should reach"), 0,
     0, nullptr, nullptr},
    {ID_CLEAR_GOAL, Place::WORLD, N_("&Clear goal"), N_("Show no goal"), 0, 0, nullptr, nullptr},
    {ID_SAVE_PICTURE, Place::WORLD, N_("Save &picture..."), N_("Save the world picture as PNG"), 0,
     0, nullptr, nullptr},
    {ID_NEW_WORLD, Place::WORLD, N_("&New world"),
     N_("Start an empty world, with the robot on corner 1,1, to draw with the mouse"),
     SEPARATOR_BEFORE, 0, nullptr, nullptr},
    {ID_EDIT_BY_MOUSE, Place::WORLD, N_("Edit world by &mouse"),
     N_("Draw walls, things and the robot with the mouse"), CHECK_ITEM, 0, nullptr, nullptr},
    {ID_SAVE_WORLD, Place::WORLD, N_("&Save world"), N_("Save the world as it stands"), 0, 0,
     nullptr, nullptr},
    {ID_SAVE_WORLD_AS, Place::WORLD, N_("Save world &as..."), N_("Save the world under a new name"),
     0, 0, nullptr, nullptr},
    {ID_RESET_WORLD, Place::WORLD, N_("&Reset world\t"), N_("Reset world"), SEPARATOR_BEFORE, 0,
     nullptr, nullptr},
    {ID_ZOOM_IN, Place::WORLD, N_("Zoom &in\tCtrl-+"), N_("Show the world larger"),
     SEPARATOR_BEFORE | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_ZOOM_OUT, Place::WORLD, N_("Zoom &out\tCtrl--"), N_("Show the world smaller"),
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_ZOOM_ACTUAL, Place::WORLD, N_("&Actual size\tCtrl-0"), N_("Show the world at its own size"),
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_RUN, Place::RUN, N_("&Run\tCtrl-R"), N_("Run a Pindle program"), 0, 0, RUN_BUTTON,
     N_("Run the program")},
    {ID_STEP, Place::RUN, N_("&Step\tS"), N_("Execute one instruction"), 0, 's', STEP_BUTTON,
     N_("Execute one instruction of the program")},
    {ID_CHECK, Place::RUN, N_("&Check"), N_("Check a Pindle program"), 0, 0, nullptr, nullptr},
    {ID_CONTINUE, Place::RUN, N_("&Continue\tF5"), N_("Run on from where the program stopped"), 0,
     0, nullptr, nullptr},
    {ID_STEP_BACK, Place::RUN, N_("Step &back"), N_("Undo the last step or action (key b)"), 0, 'b',
     nullptr, N_("Undo the last step or action")},
    {ID_RECORD_ANIMATION, Place::RUN, N_("Record &animation..."),
     N_("Record the next run as an animated GIF"), 0, 0, nullptr, nullptr},
    {ID_DELAY_MENU, Place::RUN, N_("&Delay"), N_("Specify Pindle's delay"), SUBMENU, 0, nullptr,
     nullptr},
    {ID_DELAY_SLOW, Place::DELAY, N_("&Slow"), N_("Slow"), CHECK_ITEM | WHILE_RUNNING, 0, nullptr,
     nullptr},
    {ID_DELAY_MEDIUM, Place::DELAY, N_("&Medium"), N_("Medium"), CHECK_ITEM | WHILE_RUNNING, 0,
     nullptr, nullptr},
    {ID_DELAY_FAST, Place::DELAY, N_("&Fast"), N_("Fast"), CHECK_ITEM | WHILE_RUNNING, 0, nullptr,
     nullptr},
    {ID_STOP, Place::RUN, N_("&Stop\tEsc"), N_("Stop the running program"), WHILE_RUNNING, 0,
     nullptr, nullptr},
    {ID_OPEN_COURSE, Place::TASKS, N_("Open &course..."), N_("Open a course: a folder of tasks"), 0,
     0, nullptr, nullptr},
    {ID_BUNDLED_COURSE, Place::TASKS, N_("Pindle's &course"),
     N_("Open the course that comes with Pindle"), 0, 0, nullptr, nullptr},
    {ID_NEXT_TASK, Place::TASKS, N_("&Next task"), N_("Open the course's next task"),
     SEPARATOR_BEFORE, 0, nullptr, nullptr},
    {ID_PREVIOUS_TASK, Place::TASKS, N_("&Previous task"), N_("Open the course's task before"), 0,
     0, nullptr, nullptr},
    {ID_CHECK_TASK, Place::TASKS, N_("Chec&k task\tCtrl-K"),
     N_("Run the program on every world of the task"), SEPARATOR_BEFORE, 0, nullptr, nullptr},
    {ID_ABOUT, Place::HELP, N_("&About"), N_("About Pindle"), WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_KEYPRESS_HELP, Place::HELP, N_("&Keypress instructions"),
     N_("Pindle's keypress instructions"), WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_HELP, Place::HELP, N_("&Programming language"), N_("Syntax of Pindle's language"),
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_KEYS_HELP, Place::HELP, N_("Keys and commands..."), N_("Every key of both windows"),
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_EXAMPLES_HELP, Place::HELP, N_("The language by example..."),
     N_("Each instruction and test with an example"), WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_MENU, Place::HELP, N_("&Language"), N_("The language Pindle speaks"),
     SUBMENU | SEPARATOR_BEFORE | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_SYSTEM, Place::LANGUAGE, N_("The desktop's language"),
     N_("Speak the desktop's language from the next start"), RADIO_ITEM | WHILE_RUNNING, 0, nullptr,
     nullptr},
    {ID_LANGUAGE_SYSTEM + 1, Place::LANGUAGE, "English", N_("Speak English from the next start"),
     RADIO_ITEM | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_SYSTEM + 2, Place::LANGUAGE, "Deutsch", N_("Speak German from the next start"),
     RADIO_ITEM | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_SYSTEM + 3, Place::LANGUAGE, "Fran\u00e7ais",
     N_("Speak French from the next start"), RADIO_ITEM | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_SYSTEM + 4, Place::LANGUAGE, "Espa\u00f1ol",
     N_("Speak Spanish from the next start"), RADIO_ITEM | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_LAST, Place::LANGUAGE, N_("A new language takes effect at the next start."),
     nullptr, SEPARATOR_BEFORE | NOTE_ITEM, 0, nullptr, nullptr},
    {ID_RESET, Place::NONE, nullptr, nullptr, 0, 0, RESET_BUTTON,
     N_("Load the world and the program anew")},
    {ID_DEFINE, Place::NONE, nullptr, nullptr, 0, 'd', DEFINE_BUTTON,
     N_("Start or end recording keys as a new instruction")},
    {ID_EXECUTE, Place::NONE, nullptr, nullptr, 0, 'e', nullptr,
     N_("Execute an instruction by name")},
    {ID_EDIT_NEW, Place::EDITOR_FILE, N_("&New\tCtrl-N"), N_("New"), 0, 0, nullptr, nullptr},
    {ID_EDIT_OPEN, Place::EDITOR_FILE, N_("&Open\tCtrl-O"), N_("Open"), 0, 0, nullptr, nullptr},
    {ID_EDIT_SAVE, Place::EDITOR_FILE, N_("&Save\tCtrl-S"), N_("Save"), 0, 0, nullptr, nullptr},
    {ID_EDIT_SAVE_AS, Place::EDITOR_FILE, N_("Save &as\tCtrl-A"), N_("Save as"), 0, 0, nullptr,
     nullptr},
    {ID_EDIT_PRINT, Place::EDITOR_FILE, N_("&Print\tCtrl-P"), N_("Print file"), SEPARATOR_BEFORE, 0,
     nullptr, nullptr},
    {ID_EDIT_NOTEPAD, Place::EDITOR_FILE, N_("&Windows notepad\tCtrl-W"), N_("Notepad"),
     SEPARATOR_BEFORE, 0, nullptr, nullptr},
    {ID_EDIT_QUIT, Place::EDITOR_FILE, N_("&Quit editor\tCtrl-Q"), N_("Quit"), SEPARATOR_BEFORE, 0,
     nullptr, nullptr},
    {ID_UNDO, Place::EDITOR_EDIT, N_("&Undo\tCtrl-Z"), N_("Undo the last change"), 0, 0, nullptr,
     nullptr},
    {ID_REDO, Place::EDITOR_EDIT, N_("&Redo\tCtrl-Y"), N_("Redo the change undone"), 0, 0, nullptr,
     nullptr},
    {ID_CUT, Place::EDITOR_EDIT, N_("Cu&t\tCtrl-X"), N_("Cut the selection"), SEPARATOR_BEFORE, 0,
     nullptr, nullptr},
    {ID_COPY, Place::EDITOR_EDIT, N_("&Copy\tCtrl-C"), N_("Copy the selection"), 0, 0, nullptr,
     nullptr},
    {ID_PASTE, Place::EDITOR_EDIT, N_("&Paste\tCtrl-V"), N_("Paste"), 0, 0, nullptr, nullptr},
    {ID_SELECT_ALL, Place::EDITOR_EDIT, N_("Select &all"), N_("Select the whole text"), 0, 0,
     nullptr, nullptr},
    {ID_FIND, Place::EDITOR_EDIT, N_("&Find...\tCtrl-F"), N_("Find a text"), SEPARATOR_BEFORE, 0,
     nullptr, nullptr},
    {ID_FIND_NEXT, Place::EDITOR_EDIT, N_("Find &next\tF3"), N_("Find the next place"), 0, 0,
     nullptr, nullptr},
    {ID_FIND_PREVIOUS, Place::EDITOR_EDIT, N_("Find pre&vious\tShift-F3"),
     N_("Find the place before"), 0, 0, nullptr, nullptr},
    {ID_ZOOM_IN, Place::EDITOR_EDIT, N_("Zoom &in\tCtrl-+"), N_("Show the text larger"),
     SEPARATOR_BEFORE | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_ZOOM_OUT, Place::EDITOR_EDIT, N_("Zoom &out\tCtrl--"), N_("Show the text smaller"),
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_RUN, Place::EDITOR_RUN, N_("&Run\tCtrl-R"), N_("Save and run the program"), 0, 0, nullptr,
     nullptr},
    {ID_STEP, Place::EDITOR_RUN, N_("&Step\tF10"), N_("Execute one instruction"), 0, 0, nullptr,
     nullptr},
    {ID_CONTINUE, Place::EDITOR_RUN, N_("&Continue\tF5"),
     N_("Run on from where the program stopped"), 0, 0, nullptr, nullptr},
    {ID_STOP, Place::EDITOR_RUN, N_("S&top\tEsc"), N_("Stop the running program"), WHILE_RUNNING, 0,
     nullptr, nullptr},
    {ID_STEP_BACK, Place::EDITOR_RUN, N_("Step &back"), N_("Undo the last step or action"), 0, 0,
     nullptr, nullptr},
    {ID_TOGGLE_BREAKPOINT, Place::EDITOR_RUN, N_("&Toggle breakpoint\tF9"),
     N_("Set or clear a breakpoint on the caret's line"), SEPARATOR_BEFORE | WHILE_RUNNING, 0,
     nullptr, nullptr},
    {ID_EDIT_HELP, Place::EDITOR_HELP, N_("Help with editor\tCtrl-H"), N_("Help"), 0, 0, nullptr,
     nullptr},
    {ID_KEYS_HELP, Place::EDITOR_HELP, N_("Keys and commands..."), N_("Every key of both windows"),
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_EXAMPLES_HELP, Place::EDITOR_HELP, N_("The language by example..."),
     N_("Each instruction and test with an example"), WHILE_RUNNING, 0, nullptr, nullptr},
};
const size_t COMMAND_COUNT = sizeof COMMANDS / sizeof COMMANDS[0];

// Both windows take the same accelerators; each acts only where its menu bar holds the item.
const Accelerator ACCELERATORS[] = {
    {wxACCEL_CTRL, 'E', ID_EDIT_PROGRAM},
    {wxACCEL_CTRL, 'L', ID_LOAD_PROGRAM},
    {wxACCEL_CTRL, 'R', ID_RUN},
    {wxACCEL_CTRL, 'N', ID_EDIT_NEW},
    {wxACCEL_CTRL, 'O', ID_EDIT_OPEN},
    {wxACCEL_CTRL, 'S', ID_EDIT_SAVE},
    {wxACCEL_CTRL, 'A', ID_EDIT_SAVE_AS},
    {wxACCEL_CTRL, 'P', ID_EDIT_PRINT},
    {wxACCEL_CTRL, 'W', ID_EDIT_NOTEPAD},
    {wxACCEL_CTRL, 'Q', ID_EDIT_QUIT},
    {wxACCEL_CTRL, '+', ID_ZOOM_IN},
    {wxACCEL_CTRL | wxACCEL_SHIFT, '+', ID_ZOOM_IN},
    {wxACCEL_CTRL, '=', ID_ZOOM_IN},
    {wxACCEL_CTRL | wxACCEL_SHIFT, '=', ID_ZOOM_IN},
    {wxACCEL_CTRL, WXK_NUMPAD_ADD, ID_ZOOM_IN},
    {wxACCEL_CTRL, '-', ID_ZOOM_OUT},
    {wxACCEL_CTRL, WXK_NUMPAD_SUBTRACT, ID_ZOOM_OUT},
    {wxACCEL_CTRL, '0', ID_ZOOM_ACTUAL},
    {wxACCEL_CTRL, WXK_NUMPAD0, ID_ZOOM_ACTUAL},
    {wxACCEL_NORMAL, WXK_F10, ID_STEP},
    {wxACCEL_NORMAL, WXK_F9, ID_TOGGLE_BREAKPOINT},
};
const size_t ACCELERATOR_COUNT = sizeof ACCELERATORS / sizeof ACCELERATORS[0];

static const Command* findCommand(bool (*matches)(const Command&, int), int value) {
    for (const Command& c : COMMANDS)
        if (matches(c, value)) return &c;
    return nullptr;
}

const Command* commandOfId(int id) {
    return findCommand([](const Command& c, int v) { return c.id == v; }, id);
}

const Command* commandOfKey(int key) {
    return key ? findCommand([](const Command& c, int v) { return c.key == v; }, key) : nullptr;
}

const Command* commandButton(int n) {
    for (const Command& c : COMMANDS)
        if (c.button && n-- == 0) return &c;
    return nullptr;
}

// A text of the table in the user's language.
static wxString translated(const char* text) {
    return text ? wxGetTranslation(wxString::FromUTF8(text)) : wxString();
}

wxMenu* menuOf(Place place, wxMenu* submenu) {
    wxMenu* menu = new wxMenu;
    for (const Command& c : COMMANDS) {
        if (c.place != place) continue;
        if (c.flags & SEPARATOR_BEFORE) menu->AppendSeparator();
        wxString label = translated(c.label), help = translated(c.help);
        if (c.flags & SUBMENU)
            menu->Append(c.id, label, submenu, help);
        else if (c.flags & CHECK_ITEM)
            menu->AppendCheckItem(c.id, label, help);
        else if (c.flags & RADIO_ITEM)
            menu->AppendRadioItem(c.id, label, help);
        else
            menu->Append(c.id, label, help)->Enable(!(c.flags & NOTE_ITEM));
    }
    return menu;
}

wxAcceleratorTable menusAccel() {
    wxAcceleratorEntry entries[ACCELERATOR_COUNT];
    for (size_t i = 0; i < ACCELERATOR_COUNT; ++i)
        entries[i].Set(ACCELERATORS[i].flags, ACCELERATORS[i].key, ACCELERATORS[i].id);
    return wxAcceleratorTable(static_cast<int>(ACCELERATOR_COUNT), entries);
}

bool runsInBothWindows(int id) {
    for (const Command& c : COMMANDS)
        if (c.place == Place::EDITOR_RUN && c.id == id) return true;
    return false;
}

// What the robot's action does, for its button's tip and the list of keys.
static const char* actionTip(const Instruction& action) {
    switch (action.code) {
    case Code::MOVE: return tr("Move one corner forward");
    case Code::LEFT: return tr("Turn left");
    case Code::READ: return tr("Read the thing on the corner into b1");
    case Code::WRITE: return tr("Write b1 onto the corner");
    case Code::B1_FROM_B2: return tr("Copy b2 into b1");
    case Code::B2_FROM_B1: return tr("Copy b1 into b2");
    default: return action.word;
    }
}

// The key of a command: its key on the world, else its accelerator's text; empty for none.
static std::string keyOf(const Command& c) {
    if (c.key) return formatText(tr("key %c"), c.key);
    for (const Command& row : COMMANDS) {
        const char* tab = row.label && row.id == c.id ? std::strchr(row.label, '\t') : nullptr;
        if (tab && tab[1]) return tab + 1;
    }
    return "";
}

wxString buttonLabel(int i) {
    const Instruction* action = keyedAction(i);
    return action ? wxString(action->word) : translated(commandButton(i - KEYED_ACTIONS)->button);
}

std::string buttonTip(int i) {
    if (const Instruction* action = keyedAction(i))
        return std::string(actionTip(*action)) + formatText(tr(" (key %c)"), action->key);
    const Command* c = commandButton(i - KEYED_ACTIONS);
    std::string key = keyOf(*c);
    return key.empty() ? tr(c->tip) : std::string(tr(c->tip)) + " (" + key + ")";
}

// A menu item's label without its mnemonic marks and accelerator.
static std::string plainLabel(const char* label) {
    std::string out;
    for (const char* p = label; *p && *p != '\t'; ++p)
        if (*p != '&') out += *p;
    return out;
}

// One line a key of the menus of place, "  KEY  LABEL", for each item with an accelerator.
static std::string menuKeys(Place place) {
    std::string out;
    for (const Command& c : COMMANDS) {
        const char* tab = c.place == place && c.label ? std::strchr(c.label, '\t') : nullptr;
        if (tab && tab[1])
            out += std::string("  ") + (tab + 1) + "  " + plainLabel(tr(c.label)) + "\n";
    }
    return out;
}

std::string keysAndCommands() {
    std::string out = tr("Keys on the world:\n");
    for (int i = 0; i < KEYED_ACTIONS; ++i)
        out += std::string("  ") + keyedAction(i)->key + "  " + actionTip(*keyedAction(i)) + "\n";
    for (const Command& c : COMMANDS)
        if (c.key) out += std::string("  ") + c.key + "  " + tr(c.tip) + "\n";
    out += std::string("  Esc  ") + tr("Stop the running program") + "\n";
    out += tr("\nKeys of the main window's menus:\n");
    for (Place place : {Place::PROGRAM, Place::WORLD, Place::RUN, Place::TASKS})
        out += menuKeys(place);
    out += tr("\nKeys of the editor's menus (Ctrl-R, F10, F5, Esc and F9 work in both windows):\n");
    for (Place place :
         {Place::EDITOR_FILE, Place::EDITOR_EDIT, Place::EDITOR_RUN, Place::EDITOR_HELP})
        out += menuKeys(place);
    out +=
        tr("\nThe zoom keys also take Ctrl-= and the keypad's + and -; Ctrl-0 shows the world at "
           "its own size.");
    return out;
}
