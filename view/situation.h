// The situation-file loader: reads a world file into the world model and draws it as it reads.
#pragma once
#include <cstdio>

extern char worldFile[80]; // the current situation file
extern FILE* sitFp;        // the last opened situation file; null when the last open failed
extern int ifinited;       // 1 once the opened file has been read, 0 while it is pending

// Loads a world: an empty filename asks for the file first, any other reloads worldFile.
void LoadWorldFile(const char* filename);
// Draws the world as it stands: reads a pending file, else redraws from the model; then
// refreshes the status panel. Nothing while no world has been loaded or a file is being read.
void DrawEnvir();
// Reads the pending file, entering and drawing each wall, thing and robot.
void initDraw();
