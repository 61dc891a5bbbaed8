// The world view: the picture of the world on the world canvas. Every drawing goes into the
// kept picture worldBitmap, and the canvas shows it when it next repaints.
#pragma once
#include <wx/dc.h>
#include <wx/region.h>

// Brings the picture in worldBitmap up to date with the world; during a repaint of the canvas,
// shows it there, else asks the canvas to repaint what changed.
void reDraw();
// Forgets what the kept picture shows, so that the next redraw draws everything.
void forgetPicture();
// The goal under the world (taskGoal) was loaded or cleared: the next redraw draws it anew.
void goalChanged();
// The zoom changed: the kept picture is made anew at the new size and drawn again.
void zoomChanged();
// Calls listener (null for none) after every redraw that is not a repaint: after each robot
// action, so after each drawn step of a run.
void setRedrawListener(void (*listener)());
// Marks the side of the robot's corner that a move towards heading ran into, for as long as the
// robot stands there so; clearBlockedSide takes the mark away.
void markBlockedSide(int heading);
void clearBlockedSide();
// Shows the kept picture on a repaint's drawing context, within the canvas's update region.
void showPicture(wxDC& dc, const wxRegion& update);

// The first drawing of a world, into the kept picture as the loader enters each item.
void clearCanvas();
void drawEmptyWorld();
void drawWall(int x1, int y1, int x2, int y2);
void drawThing(int x, int y, const char* word);
void drawRobot();
