// What the world picture shows, and where: labels, grid, border, the goal under the world,
// walls, things and the robot, drawn through a painter in that order (later covers earlier).
#pragma once
#include "view/painter.h"

#include <vector>

struct Goal;
struct line_struct;

constexpr int PICTURE_SIZE = 550; // the picture is PICTURE_SIZE pixels square
constexpr int WORLD_EXTENT = 465; // the labels, grid, border and things of corners 0 to 14

// A thing as the picture shows it: its one character at a corner.
struct ThingMark {
    int x, y; // column and row
    char item;
    bool operator==(const ThingMark& o) const { return x == o.x && y == o.y && item == o.item; }
};

// The part of the picture a run changes: the things and the robot.
struct Scene {
    std::vector<ThingMark> things; // by row, then column, as the world grid stores them
    int robotX = -1, robotY = -1;  // the icon's top left in pixels
    int heading = 0;               // 0 north, 1 west, 2 south, 3 east
    int blocked = -1; // the heading of a blocked side marked at the robot's corner; -1: none
};

// The things of the world model, as the picture shows them.
void collectThings(std::vector<ThingMark>& things);
// The world model's things and robot now.
Scene currentScene();

// Labels, grid lines and border.
void paintBackdrop(Painter& p);
// The goal under the world: its things in the goal's green, and its robot as an outline facing
// the heading it asks for, or its corner outlined when any heading will do (nothing when no
// goal is loaded).
void paintGoal(Painter& p, const Goal& goal);
// One wall, its ends in pixels.
void paintWall(Painter& p, const line_struct& wall);
// Every wall of the list.
void paintWalls(Painter& p, const line_struct* walls);
// A thing's text at corner (x, y).
void paintThing(Painter& p, int x, int y, const char* text, int length);
// The robot's icon at pixel (x, y); nothing for a robot that is not placed.
void paintRobot(Painter& p, int x, int y, int heading);
// The robot's icon, and the thing of things that lies on its corner, small in the icon's
// bottom right corner (the icon would hide it).
void paintRobotOver(Painter& p, const std::vector<ThingMark>& things, int x, int y, int heading);
// The side of the corner of the robot at pixel (x, y) that a move towards heading ran into.
void paintBlocked(Painter& p, int x, int y, int heading);
// The whole picture of scene over the world's walls and the loaded goal.
void paintScene(Painter& p, const Scene& scene);
