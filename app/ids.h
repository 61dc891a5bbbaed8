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
    ID_LOAD_GOAL = 143,
    ID_CLEAR_GOAL = 144,
    ID_CONTINUE = 145,
    ID_STEP_BACK = 146,
    ID_EDIT_BY_MOUSE = 150,
    ID_SAVE_WORLD = 151,
    ID_SAVE_WORLD_AS = 152,
    ID_SAVE_PICTURE = 155,
    ID_RECORD_ANIMATION = 156,
    ID_ZOOM_IN = 160,
    ID_ZOOM_OUT = 161,
    ID_ZOOM_ACTUAL = 162,
    ID_RESET = 163,   // the reset button: the world and the program anew, no compile
    ID_DEFINE = 164,  // d: start or end a recording
    ID_EXECUTE = 165, // e: execute an instruction by name
    ID_EDIT_NEW = 201,
    ID_EDIT_OPEN = 202,
    ID_EDIT_SAVE = 203,
    ID_EDIT_QUIT = 204,
    ID_EDIT_SAVE_AS = 205,
    ID_EDIT_PRINT = 206,
    ID_EDIT_NOTEPAD = 207,
    ID_EDIT_HELP = 208,
};
