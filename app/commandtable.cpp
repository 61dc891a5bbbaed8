#include "app/commandtable.h"

#include "app/ids.h"

#include <wx/accel.h>
#include <wx/menu.h>

// Menus list their items in the order of this table; the buttons too.
const Command COMMANDS[] = {
    {ID_EDIT_PROGRAM, Place::PROGRAM, "&Edit .pnd file\tCtrl-E", "Edit current program", 0, 0,
     nullptr},
    {ID_LOAD_PROGRAM, Place::PROGRAM, "&Load .pnd file\tCtrl-L", "Load program from file", 0, 0,
     nullptr},
    {ID_EDIT_WORLD, Place::WORLD, "&Edit .sit file\t", "Edit world", 0, 0, nullptr},
    {ID_LOAD_WORLD, Place::WORLD, "&Load .sit file\t", "Load world", 0, 0, nullptr},
    {ID_LOAD_GOAL, Place::WORLD, "Load &goal...", "Load the goal the world should reach", 0, 0,
     nullptr},
    {ID_CLEAR_GOAL, Place::WORLD, "&Clear goal", "Show no goal", 0, 0, nullptr},
    {ID_SAVE_PICTURE, Place::WORLD, "Save &picture...", "Save the world picture as PNG", 0, 0,
     nullptr},
    {ID_EDIT_BY_MOUSE, Place::WORLD, "Edit world by &mouse",
     "Draw walls, things and the robot with the mouse", SEPARATOR_BEFORE | CHECK_ITEM, 0, nullptr},
    {ID_SAVE_WORLD, Place::WORLD, "&Save world", "Save the world as it stands", 0, 0, nullptr},
    {ID_SAVE_WORLD_AS, Place::WORLD, "Save world &as...", "Save the world under a new name", 0, 0,
     nullptr},
    {ID_RESET_WORLD, Place::WORLD, "&Reset world\t", "Reset world", SEPARATOR_BEFORE, 0, nullptr},
    {ID_ZOOM_IN, Place::WORLD, "Zoom &in\tCtrl-+", "Show the world larger",
     SEPARATOR_BEFORE | WHILE_RUNNING, 0, nullptr},
    {ID_ZOOM_OUT, Place::WORLD, "Zoom &out\tCtrl--", "Show the world smaller", WHILE_RUNNING, 0,
     nullptr},
    {ID_ZOOM_ACTUAL, Place::WORLD, "&Actual size\tCtrl-0", "Show the world at its own size",
     WHILE_RUNNING, 0, nullptr},
    {ID_RUN, Place::RUN, "&Run\tCtrl-R", "Run a Pindle program", 0, 0, "run"},
    {ID_STEP, Place::RUN, "&Step\tS", "Execute one instruction", 0, 's', "step"},
    {ID_CHECK, Place::RUN, "&Check", "Check a Pindle program", 0, 0, nullptr},
    {ID_CONTINUE, Place::RUN, "&Continue\tF5", "Run on from where the program stopped", 0, 0,
     nullptr},
    {ID_STEP_BACK, Place::RUN, "Step &back", "Undo the last step or action (key b)", 0, 'b',
     nullptr},
    {ID_RECORD_ANIMATION, Place::RUN, "Record &animation...",
     "Record the next run as an animated GIF", 0, 0, nullptr},
    {ID_DELAY_MENU, Place::RUN, "&Delay", "Specify Pindle's delay", DELAY_SUBMENU, 0, nullptr},
    {ID_DELAY_SLOW, Place::DELAY, "&Slow", "Slow", CHECK_ITEM | WHILE_RUNNING, 0, nullptr},
    {ID_DELAY_MEDIUM, Place::DELAY, "&Medium", "Medium", CHECK_ITEM | WHILE_RUNNING, 0, nullptr},
    {ID_DELAY_FAST, Place::DELAY, "&Fast", "Fast", CHECK_ITEM | WHILE_RUNNING, 0, nullptr},
    {ID_STOP, Place::RUN, "&Stop\tEsc", "Stop the running program", WHILE_RUNNING, 0, nullptr},
    {ID_ABOUT, Place::HELP, "&About", "About Pindle", WHILE_RUNNING, 0, nullptr},
    {ID_KEYPRESS_HELP, Place::HELP, "&Keypress instructions", "Pindle's keypress instructions",
     WHILE_RUNNING, 0, nullptr},
    {ID_LANGUAGE_HELP, Place::HELP, "&Programming language", "Syntax of Pindle's language",
     WHILE_RUNNING, 0, nullptr},
    {ID_RESET, Place::NONE, nullptr, nullptr, 0, 0, "reset"},
    {ID_DEFINE, Place::NONE, nullptr, nullptr, 0, 'd', "define"},
    {ID_EXECUTE, Place::NONE, nullptr, nullptr, 0, 'e', nullptr},
    {ID_EDIT_NEW, Place::EDITOR_FILE, "&New\tCtrl-N", "New", 0, 0, nullptr},
    {ID_EDIT_OPEN, Place::EDITOR_FILE, "&Open\tCtrl-O", "Open", 0, 0, nullptr},
    {ID_EDIT_SAVE, Place::EDITOR_FILE, "&Save\tCtrl-S", "Save", 0, 0, nullptr},
    {ID_EDIT_SAVE_AS, Place::EDITOR_FILE, "Save &as\tCtrl-A", "Save as", 0, 0, nullptr},
    {ID_EDIT_PRINT, Place::EDITOR_FILE, "&Print\tCtrl-P", "Print file", SEPARATOR_BEFORE, 0,
     nullptr},
    {ID_EDIT_NOTEPAD, Place::EDITOR_FILE, "&Windows notepad\tCtrl-W", "Notepad", SEPARATOR_BEFORE,
     0, nullptr},
    {ID_EDIT_QUIT, Place::EDITOR_FILE, "&Quit editor\tCtrl-Q", "Quit", SEPARATOR_BEFORE, 0,
     nullptr},
    {ID_EDIT_HELP, Place::EDITOR_HELP, "Help with editor\tCtrl-H", "Help", 0, 0, nullptr},
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
