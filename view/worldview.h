// The world view: the picture of the world on the world canvas.
#pragma once
#include <wx/dc.h>

// Labels, grid lines and border, on a cleared context.
void drawBackdrop(wxDC& dc);
// Rebuilds the whole picture in worldBitmap and copies it onto the canvas.
void reDraw();

// The first drawing of a world, straight onto the canvas as the loader enters each item.
void clearCanvas();
void drawEmptyWorld();
void drawWall(int x1, int y1, int x2, int y2);
void drawThing(int x, int y, const char* word);
void drawRobot();
