// The situation-file loader: reads a world file into the world model and draws it as it reads.
#pragma once
#include <cstdio>

struct Goal;

extern char worldFile[80]; // the current situation file
extern FILE* sitFp;        // the last opened situation file; null when the last open failed
extern int ifinited;       // 1 once the opened file has been read, 0 while it is pending

// The item a word of a situation file begins (the loader's own test); NONE for a word the
// loader skips.
enum class SituationItem { NONE, WALL, THING, ROBOT };
SituationItem situationItem(const char* word);
constexpr int ITEMWORD = 12; // the bytes of a word the loader keeps for that test, NUL included

// Loads a world: an empty filename asks for the file first, any other reloads worldFile. False
// when no world was loaded (cancelled, a name that does not fit, a file that cannot be opened).
bool LoadWorldFile(const char* filename);
// Starts a world that no file holds: emptied as a load empties it, with no file name, and
// loaded as far as drawing and editing can tell. The caller fills it and draws it.
void startUnnamedWorld();
// Draws the world as it stands: reads a pending file, else redraws from the model; then
// refreshes the status panel. Nothing while no world has been loaded or a file is being read.
void DrawEnvir();
// Reads the pending file, entering and drawing each wall, thing and robot.
void initDraw();
// Reads a goal file into goal with the same reading, its boxes naming the file, and the
// heading named by the word after the placing robot item's pair; the world, the robot and
// the loaded world file stay as they are. False after a box when it cannot be opened (goal
// untouched).
bool LoadGoalFile(const char* fileName, Goal& goal);
