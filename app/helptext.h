// The help texts of the main window.
#pragma once

extern const char* const keypressHelp; // the keypress commands
extern const char* const languageHelp; // the language's syntax
extern const char* const examplesHelp; // each instruction and test with an example
extern const char* const aboutText;    // the program's title and what it is

// Shows the help of id that both windows' Help menus give: ID_KEYS_HELP (the keys and commands)
// or ID_EXAMPLES_HELP (the language by example).
void showBothWindowsHelp(int id);
