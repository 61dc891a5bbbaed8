// The window's commands in one table: for each, its menu and item, its accelerators, its key on
// the world and its button. The menus, the accelerator table, the world's keys and the buttons
// are all made from it; MyFrame::doCommand carries a command out.
#pragma once
#include <cstddef>
#include <string>

class wxAcceleratorTable;
class wxMenu;
class wxString;

// Where a command's item stands: which menu of which window.
enum class Place {
    NONE,
    PROGRAM,
    WORLD,
    RUN,
    DELAY,
    TASKS,
    HELP,
    LANGUAGE,
    EDITOR_FILE,
    EDITOR_EDIT,
    EDITOR_RUN,
    EDITOR_HELP
};

// What else a command's row says.
enum CommandFlags {
    SEPARATOR_BEFORE = 1, // a separator above its item
    CHECK_ITEM = 2,       // a check item
    SUBMENU = 4,          // the item that holds the submenu given to menuOf
    WHILE_RUNNING = 8,    // may be given while a program runs
    RADIO_ITEM = 16,      // one of a group of which one is chosen
    NOTE_ITEM = 32,       // a disabled item that only says something
};

struct Command {
    int id;
    Place place;
    const char* label; // the item's label (UTF-8), its accelerator's text after a tab; or null
    const char* help;  // the item's help string
    int flags;
    char key;           // the key on the world that gives it; 0 for none
    const char* button; // the label of its button; null for none
    const char* tip;    // what it does, for its button's tip and the list of keys; or null
};

// An accelerator: modifier flags, key code and the command it gives.
struct Accelerator {
    int flags;
    int key;
    int id;
};

extern const Command COMMANDS[];
extern const size_t COMMAND_COUNT;
extern const Accelerator ACCELERATORS[];
extern const size_t ACCELERATOR_COUNT;

// The command of an id, of a key on the world, or of the n-th command button (from 0); null
// for none.
const Command* commandOfId(int id);
const Command* commandOfKey(int key);
const Command* commandButton(int n);

// Whether the main window carries out id given by an accelerator, though its menus lack it.
bool runsInBothWindows(int id);
// The keys and accelerators of both windows, as the help lists them.
std::string keysAndCommands();
// The label of button i: the robot's actions with a key (in the language's words), then the
// commands with a button.
wxString buttonLabel(int i);
// The tip of button i: what it does, and its key.
std::string buttonTip(int i);

// A new menu holding the items of place, in table order; submenu goes into the item that holds
// a submenu.
wxMenu* menuOf(Place place, wxMenu* submenu = nullptr);
// The accelerators of both windows.
wxAcceleratorTable menusAccel();
