#include "app/commandtable.h"

#include "app/ids.h"
#include "lang/instructionset.h"

#include <cstring>
#include <wx/accel.h>
#include <wx/menu.h>

// Menus list their items in the order of this table; the buttons too.
const Command COMMANDS[] = {
    {ID_EDIT_PROGRAM, Place::PROGRAM, "&Edit .pnd file\tCtrl-E", "Edit current program", 0, 0,
     nullptr, nullptr},
    {ID_LOAD_PROGRAM, Place::PROGRAM, "&Load .pnd file\tCtrl-L", "Load program from file", 0, 0,
     nullptr, nullptr},
    {ID_EDIT_WORLD, Place::WORLD, "&Edit .sit file\t", "Edit world", 0, 0, nullptr, nullptr},
    {ID_LOAD_WORLD, Place::WORLD, "&Load .sit file\t", "Load world", 0, 0, nullptr, nullptr},
    {ID_LOAD_GOAL, Place::WORLD, "Load &goal...", "Load the goal the world should reach", 0, 0,
     nullptr, nullptr},
    {ID_CLEAR_GOAL, Place::WORLD, "&Clear goal", "Show no goal", 0, 0, nullptr, nullptr},
    {ID_SAVE_PICTURE, Place::WORLD, "Save &picture...", "Save the world picture as PNG", 0, 0,
     nullptr, nullptr},
    {ID_NEW_WORLD, Place::WORLD, "&New world",
     "Start an empty world, with the robot on corner 1,1, to draw with the mouse", SEPARATOR_BEFORE,
     0, nullptr, nullptr},
    {ID_EDIT_BY_MOUSE, Place::WORLD, "Edit world by &mouse",
     "Draw walls, things and the robot with the mouse", CHECK_ITEM, 0, nullptr, nullptr},
    {ID_SAVE_WORLD, Place::WORLD, "&Save world", "Save the world as it stands", 0, 0, nullptr,
     nullptr},
    {ID_SAVE_WORLD_AS, Place::WORLD, "Save world &as...", "Save the world under a new name", 0, 0,
     nullptr, nullptr},
    {ID_RESET_WORLD, Place::WORLD, "&Reset world\t", "Reset world", SEPARATOR_BEFORE, 0, nullptr,
     nullptr},
    {ID_ZOOM_IN, Place::WORLD, "Zoom &in\tCtrl-+", "Show the world larger",
     SEPARATOR_BEFORE | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_ZOOM_OUT, Place::WORLD, "Zoom &out\tCtrl--", "Show the world smaller", WHILE_RUNNING, 0,
     nullptr, nullptr},
    {ID_ZOOM_ACTUAL, Place::WORLD, "&Actual size\tCtrl-0", "Show the world at its own size",
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_RUN, Place::RUN, "&Run\tCtrl-R", "Run a Pindle program", 0, 0, "run", "Run the program"},
    {ID_STEP, Place::RUN, "&Step\tS", "Execute one instruction", 0, 's', "step",
     "Execute one instruction of the program"},
    {ID_CHECK, Place::RUN, "&Check", "Check a Pindle program", 0, 0, nullptr, nullptr},
    {ID_CONTINUE, Place::RUN, "&Continue\tF5", "Run on from where the program stopped", 0, 0,
     nullptr, nullptr},
    {ID_STEP_BACK, Place::RUN, "Step &back", "Undo the last step or action (key b)", 0, 'b',
     nullptr, "Undo the last step or action"},
    {ID_RECORD_ANIMATION, Place::RUN, "Record &animation...",
     "Record the next run as an animated GIF", 0, 0, nullptr, nullptr},
    {ID_DELAY_MENU, Place::RUN, "&Delay", "Specify Pindle's delay", DELAY_SUBMENU, 0, nullptr,
     nullptr},
    {ID_DELAY_SLOW, Place::DELAY, "&Slow", "Slow", CHECK_ITEM | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_DELAY_MEDIUM, Place::DELAY, "&Medium", "Medium", CHECK_ITEM | WHILE_RUNNING, 0, nullptr,
     nullptr},
    {ID_DELAY_FAST, Place::DELAY, "&Fast", "Fast", CHECK_ITEM | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_STOP, Place::RUN, "&Stop\tEsc", "Stop the running program", WHILE_RUNNING, 0, nullptr,
     nullptr},
    {ID_OPEN_COURSE, Place::TASKS, "Open &course...", "Open a course: a folder of tasks", 0, 0,
     nullptr, nullptr},
    {ID_BUNDLED_COURSE, Place::TASKS, "Pindle's &course", "Open the course that comes with Pindle",
     0, 0, nullptr, nullptr},
    {ID_NEXT_TASK, Place::TASKS, "&Next task", "Open the course's next task", SEPARATOR_BEFORE, 0,
     nullptr, nullptr},
    {ID_PREVIOUS_TASK, Place::TASKS, "&Previous task", "Open the course's task before", 0, 0,
     nullptr, nullptr},
    {ID_CHECK_TASK, Place::TASKS, "Chec&k task\tCtrl-K",
     "Run the program on every world of the task", SEPARATOR_BEFORE, 0, nullptr, nullptr},
    {ID_ABOUT, Place::HELP, "&About", "About Pindle", WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_KEYPRESS_HELP, Place::HELP, "&Keypress instructions", "Pindle's keypress instructions",
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_LANGUAGE_HELP, Place::HELP, "&Programming language", "Syntax of Pindle's language",
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_KEYS_HELP, Place::HELP, "Keys and commands...", "Every key of both windows", WHILE_RUNNING,
     0, nullptr, nullptr},
    {ID_EXAMPLES_HELP, Place::HELP, "The language by example...",
     "Each instruction and test with an example", WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_RESET, Place::NONE, nullptr, nullptr, 0, 0, "reset", "Load the world and the program anew"},
    {ID_DEFINE, Place::NONE, nullptr, nullptr, 0, 'd', "define",
     "Start or end recording keys as a new instruction"},
    {ID_EXECUTE, Place::NONE, nullptr, nullptr, 0, 'e', nullptr, "Execute an instruction by name"},
    {ID_EDIT_NEW, Place::EDITOR_FILE, "&New\tCtrl-N", "New", 0, 0, nullptr, nullptr},
    {ID_EDIT_OPEN, Place::EDITOR_FILE, "&Open\tCtrl-O", "Open", 0, 0, nullptr, nullptr},
    {ID_EDIT_SAVE, Place::EDITOR_FILE, "&Save\tCtrl-S", "Save", 0, 0, nullptr, nullptr},
    {ID_EDIT_SAVE_AS, Place::EDITOR_FILE, "Save &as\tCtrl-A", "Save as", 0, 0, nullptr, nullptr},
    {ID_EDIT_PRINT, Place::EDITOR_FILE, "&Print\tCtrl-P", "Print file", SEPARATOR_BEFORE, 0,
     nullptr, nullptr},
    {ID_EDIT_NOTEPAD, Place::EDITOR_FILE, "&Windows notepad\tCtrl-W", "Notepad", SEPARATOR_BEFORE,
     0, nullptr, nullptr},
    {ID_EDIT_QUIT, Place::EDITOR_FILE, "&Quit editor\tCtrl-Q", "Quit", SEPARATOR_BEFORE, 0, nullptr,
     nullptr},
    {ID_UNDO, Place::EDITOR_EDIT, "&Undo\tCtrl-Z", "Undo the last change", 0, 0, nullptr, nullptr},
    {ID_REDO, Place::EDITOR_EDIT, "&Redo\tCtrl-Y", "Redo the change undone", 0, 0, nullptr,
     nullptr},
    {ID_CUT, Place::EDITOR_EDIT, "Cu&t\tCtrl-X", "Cut the selection", SEPARATOR_BEFORE, 0, nullptr,
     nullptr},
    {ID_COPY, Place::EDITOR_EDIT, "&Copy\tCtrl-C", "Copy the selection", 0, 0, nullptr, nullptr},
    {ID_PASTE, Place::EDITOR_EDIT, "&Paste\tCtrl-V", "Paste", 0, 0, nullptr, nullptr},
    {ID_SELECT_ALL, Place::EDITOR_EDIT, "Select &all", "Select the whole text", 0, 0, nullptr,
     nullptr},
    {ID_FIND, Place::EDITOR_EDIT, "&Find...\tCtrl-F", "Find a text", SEPARATOR_BEFORE, 0, nullptr,
     nullptr},
    {ID_FIND_NEXT, Place::EDITOR_EDIT, "Find &next\tF3", "Find the next place", 0, 0, nullptr,
     nullptr},
    {ID_FIND_PREVIOUS, Place::EDITOR_EDIT, "Find pre&vious\tShift-F3", "Find the place before", 0,
     0, nullptr, nullptr},
    {ID_ZOOM_IN, Place::EDITOR_EDIT, "Zoom &in\tCtrl-+", "Show the text larger",
     SEPARATOR_BEFORE | WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_ZOOM_OUT, Place::EDITOR_EDIT, "Zoom &out\tCtrl--", "Show the text smaller", WHILE_RUNNING,
     0, nullptr, nullptr},
    {ID_RUN, Place::EDITOR_RUN, "&Run\tCtrl-R", "Save and run the program", 0, 0, nullptr, nullptr},
    {ID_STEP, Place::EDITOR_RUN, "&Step\tF10", "Execute one instruction", 0, 0, nullptr, nullptr},
    {ID_CONTINUE, Place::EDITOR_RUN, "&Continue\tF5", "Run on from where the program stopped", 0, 0,
     nullptr, nullptr},
    {ID_STOP, Place::EDITOR_RUN, "S&top\tEsc", "Stop the running program", WHILE_RUNNING, 0,
     nullptr, nullptr},
    {ID_STEP_BACK, Place::EDITOR_RUN, "Step &back", "Undo the last step or action", 0, 0, nullptr,
     nullptr},
    {ID_TOGGLE_BREAKPOINT, Place::EDITOR_RUN, "&Toggle breakpoint\tF9",
     "Set or clear a breakpoint on the caret's line", SEPARATOR_BEFORE | WHILE_RUNNING, 0, nullptr,
     nullptr},
    {ID_EDIT_HELP, Place::EDITOR_HELP, "Help with editor\tCtrl-H", "Help", 0, 0, nullptr, nullptr},
    {ID_KEYS_HELP, Place::EDITOR_HELP, "Keys and commands...", "Every key of both windows",
     WHILE_RUNNING, 0, nullptr, nullptr},
    {ID_EXAMPLES_HELP, Place::EDITOR_HELP, "The language by example...",
     "Each instruction and test with an example", WHILE_RUNNING, 0, nullptr, nullptr},
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

wxMenu* menuOf(Place place, wxMenu* submenu) {
    wxMenu* menu = new wxMenu;
    for (const Command& c : COMMANDS) {
        if (c.place != place) continue;
        if (c.flags & SEPARATOR_BEFORE) menu->AppendSeparator();
        if (c.flags & DELAY_SUBMENU)
            menu->Append(c.id, c.label, submenu, c.help);
        else if (c.flags & CHECK_ITEM)
            menu->AppendCheckItem(c.id, c.label, c.help);
        else
            menu->Append(c.id, c.label, c.help);
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
    case Code::MOVE: return "Move one corner forward";
    case Code::LEFT: return "Turn left";
    case Code::READ: return "Read the thing on the corner into b1";
    case Code::WRITE: return "Write b1 onto the corner";
    case Code::B1_FROM_B2: return "Copy b2 into b1";
    case Code::B2_FROM_B1: return "Copy b1 into b2";
    default: return action.word;
    }
}

// The key of a command: its key on the world, else its accelerator's text; empty for none.
static std::string keyOf(const Command& c) {
    if (c.key) return std::string("key ") + c.key;
    for (const Command& row : COMMANDS) {
        const char* tab = row.label && row.id == c.id ? std::strchr(row.label, '\t') : nullptr;
        if (tab && tab[1]) return tab + 1;
    }
    return "";
}

std::string buttonTip(int i) {
    if (const Instruction* action = keyedAction(i))
        return std::string(actionTip(*action)) + " (key " + action->key + ")";
    const Command* c = commandButton(i - KEYED_ACTIONS);
    std::string key = keyOf(*c);
    return key.empty() ? c->tip : std::string(c->tip) + " (" + key + ")";
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
        if (tab && tab[1]) out += std::string("  ") + (tab + 1) + "  " + plainLabel(c.label) + "\n";
    }
    return out;
}

std::string keysAndCommands() {
    std::string out = "Keys on the world:\n";
    for (int i = 0; i < KEYED_ACTIONS; ++i)
        out += std::string("  ") + keyedAction(i)->key + "  " + actionTip(*keyedAction(i)) + "\n";
    for (const Command& c : COMMANDS)
        if (c.key) out += std::string("  ") + c.key + "  " + c.tip + "\n";
    out += "  Esc  Stop the running program\n";
    out += "\nKeys of the main window's menus:\n";
    for (Place place : {Place::PROGRAM, Place::WORLD, Place::RUN, Place::TASKS})
        out += menuKeys(place);
    out += "\nKeys of the editor's menus (Ctrl-R, F10, F5, Esc and F9 work in both windows):\n";
    for (Place place :
         {Place::EDITOR_FILE, Place::EDITOR_EDIT, Place::EDITOR_RUN, Place::EDITOR_HELP})
        out += menuKeys(place);
    out +=
        "\nThe zoom keys also take Ctrl-= and the keypad's + and -; Ctrl-0 shows the world at its "
        "own size.";
    return out;
}
