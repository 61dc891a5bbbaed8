// Drawing a world with the mouse: the editing mode of the world canvas, the saving of the world
// as a situation file, and the question before edits that are not saved would be lost.
#pragma once

// World > New world: an empty world, with the robot on corner 1,1 facing north and no goal,
// which no file holds yet, shown in the editing mode.
void newWorld();
// Loads the world again from its file; a new world that was never saved is made new again.
// False when no world was loaded.
bool reloadWorld();
// World > Edit world by mouse: turns the editing mode on (when a world is shown) or off.
void toggleWorldEditing();
// Whether the editing mode is on.
bool worldEditing();
// Turns the editing mode off, if it is on (before a Run, a Step or a Reset).
void endWorldEditing();
// World > Save world: writes the world to the world file, or asks for a name when there is
// none or the world did not come from it. False when it was not saved.
bool saveWorld();
// World > Save world as...: asks for a name and writes the world there. False when not saved.
bool saveWorldAs();
// Before the world's edits would be lost or changed: when some are not saved, asks to save
// them, discard them, or cancel. False when the user cancelled (or the save failed).
bool keepWorldEditsSafe();
