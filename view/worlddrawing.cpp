#include "view/worlddrawing.h"

#include "world/goal.h"
#include "world/world.h"

#include <cstdio>

namespace {

bool holdsThing(char item) {
    return item != '\0' && item != ' ';
}

} // namespace

void collectThings(std::vector<ThingMark>& things) {
    things.clear();
    for (const world_row* row = PindlesWorld.world; row; row = row->next)
        for (const world_corner* c = row->column; c; c = c->next)
            if (holdsThing(c->item)) things.push_back({c->pos, row->pos, c->item});
}

Scene currentScene() {
    Scene scene;
    collectThings(scene.things);
    scene.robotX = icon_x;
    scene.robotY = icon_y;
    scene.heading = position & 3;
    return scene;
}

void paintBackdrop(Painter& p) {
    for (int k = 0; k <= 14; ++k) {
        char label[4];
        int n = std::snprintf(label, sizeof label, "%d", k);
        p.text(CORNER * k + 11, 0, label, n, Lettering::LABEL);
        // Two digits fit left of the border only in a smaller font, from the picture's edge
        // (the first digit's own margin is left out).
        if (n == 1)
            p.text(0, CORNER * k + 11, label, n, Lettering::LABEL);
        else
            p.text(-1, CORNER * k + 13, label, n, Lettering::SMALL_LABEL);
    }
    for (int at = 15; at <= 435; at += CORNER) {
        p.line(at, 15, at, 435, Stroke::GRID);
        p.line(15, at, 435, at, Stroke::GRID);
    }
    p.line(15, 15, 435, 15, Stroke::BORDER);
    p.line(15, 15, 15, 435, Stroke::BORDER);
    p.line(435, 15, 435, 435, Stroke::BORDER);
    p.line(15, 435, 435, 435, Stroke::BORDER);
}

void paintGoal(Painter& p, const Goal& goal) {
    if (!goal.loaded) return;
    for (const world_row* row = goal.things.world; row; row = row->next)
        for (const world_corner* c = row->column; c; c = c->next)
            if (holdsThing(c->item))
                p.text(CORNER * c->pos + 11, CORNER * row->pos + 11, &c->item, 1,
                       Lettering::GOAL_THING);
    RobotPlace robot = goal.robot();
    if (!robot.placed) return;
    if (robot.heading >= 0)
        p.robotOutline(CORNER * robot.x, CORNER * robot.y, robot.heading & 3);
    else
        p.rectangle(CORNER * robot.x - 3, CORNER * robot.y - 3, 38, 38, Stroke::GOAL_CORNER);
}

void paintWall(Painter& p, const line_struct& wall) {
    p.line(wall.x1 + 15, wall.y1 + 15, wall.x2 + 15, wall.y2 + 15, Stroke::WALL);
}

void paintWalls(Painter& p, const line_struct* list) {
    for (const line_struct* w = list; w; w = w->next)
        paintWall(p, *w);
}

void paintThing(Painter& p, int x, int y, const char* text, int length) {
    p.text(CORNER * x + 11, CORNER * y + 11, text, length, Lettering::THING);
}

void paintRobot(Painter& p, int x, int y, int heading) {
    if (robotPlaced(x, y)) p.robot(x, y, heading & 3);
}

void paintRobotOver(Painter& p, const std::vector<ThingMark>& things, int x, int y, int heading) {
    paintRobot(p, x, y, heading);
    if (!robotPlaced(x, y)) return;
    for (const ThingMark& t : things)
        if (CORNER * t.x == x && CORNER * t.y == y)
            p.text(x + 26, y + 18, &t.item, 1, Lettering::SMALL_THING);
}

void paintBlocked(Painter& p, int x, int y, int heading) {
    static const int dx[4] = {0, -1, 0, 1}, dy[4] = {-1, 0, 1, 0};
    int h = heading & 3;
    // Half way to the next corner, across the way the robot faces.
    int cx = x + 15 + dx[h] * 15, cy = y + 15 + dy[h] * 15;
    int along = 11;
    p.line(cx - dy[h] * along, cy - dx[h] * along, cx + dy[h] * along, cy + dx[h] * along,
           Stroke::BLOCKED);
}

void paintScene(Painter& p, const Scene& scene) {
    paintBackdrop(p);
    paintGoal(p, taskGoal);
    paintWalls(p, walls);
    for (const ThingMark& t : scene.things)
        paintThing(p, t.x, t.y, &t.item, 1);
    paintRobotOver(p, scene.things, scene.robotX, scene.robotY, scene.heading);
}
