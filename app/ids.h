// Command ids of the menus, the accelerator keys and the command handlers.
#pragma once

enum CommandId {
    ID_ABOUT = 108,
    ID_EDIT_PROGRAM = 111,
    ID_EDIT_WORLD = 112,
    ID_CHECK = 122,
    ID_RUN = 123,
    ID_LOAD_WORLD = 124,
    ID_KEYPRESS_HELP = 125,
    ID_DELAY_MENU = 129,
    ID_RESET_WORLD = 131,
    ID_LANGUAGE_HELP = 136,
    ID_STEP = 137,
    ID_LOAD_PROGRAM = 138,
    ID_DELAY_SLOW = 139,
    ID_DELAY_MEDIUM = 140,
    ID_DELAY_FAST = 141,
    ID_STOP = 142,
    ID_EDIT_NEW = 201,
    ID_EDIT_OPEN = 202,
    ID_EDIT_SAVE = 203,
    ID_EDIT_QUIT = 204,
    ID_EDIT_SAVE_AS = 205,
    ID_EDIT_PRINT = 206,
    ID_EDIT_NOTEPAD = 207,
    ID_EDIT_HELP = 208,
};
