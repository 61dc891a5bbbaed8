// The world view: the picture of the world on the world canvas.
#pragma once

// Brings the picture in worldBitmap up to date with the world and shows it on the canvas.
void reDraw();
// Forgets what the canvas shows, so that the next redraw draws and copies everything.
void forgetPicture();
// The goal under the world (taskGoal) was loaded or cleared: the next redraw draws it anew.
void goalChanged();
// Calls listener (null for none) after every redraw that is not a repaint: after each robot
// action, so after each drawn step of a run.
void setRedrawListener(void (*listener)());

// The first drawing of a world, straight onto the canvas as the loader enters each item.
void clearCanvas();
void drawEmptyWorld();
void drawWall(int x1, int y1, int x2, int y2);
void drawThing(int x, int y, const char* word);
void drawRobot();
