#include "world/robot.h"
#include "io/translate.h"
#include "lang/bytecode.h"

#include "world/history.h"
#include "world/world.h"

char macroName[32];
char macroCode[80];
int byteI = 0;
WorldRobot worldRobot;

void resetWorld() {
    reset_counter();
    STOPPED = false;
    bbstate = 0;
    bool recording = macroName[0] != '\0';
    macroName[0] = '\0';
    byteI = 0;
    if (recording) worldDisplay().recordingChanged();
}

void recordLetter(char letter) {
    if (macroName[0] == '\0') return;
    if (byteI >= 0 && byteI < static_cast<int>(sizeof macroCode) - 1) macroCode[byteI++] = letter;
}

// The pixel point one corner ahead of the robot.
static void ahead(int& x, int& y) {
    static const int dx[4] = {0, -CORNER, 0, CORNER};
    static const int dy[4] = {-CORNER, 0, CORNER, 0};
    int heading = position & 3;
    x = icon_x + dx[heading];
    y = icon_y + dy[heading];
}

static char robotCorner() {
    return PindlesWorld.get(icon_x / CORNER, icon_y / CORNER);
}

void WorldRobot::move() {
    recordLetter(codeChar(Code::MOVE));
    int x, y;
    ahead(x, y);
    if (in_line(x, y)) {
        dialogs().messageBox(tr("Path blocked"), tr("Error"));
        STOPPED = true;
        runHooks().actionRefused(position & 3);
        runHooks().robotStopped(RobotStop::BLOCKED);
    } else {
        icon_x = x;
        icon_y = y;
    }
    worldDisplay().redrawWorld();
}

void WorldRobot::left() {
    recordLetter(codeChar(Code::LEFT));
    position = (position + 1) % 4;
    worldDisplay().redrawWorld();
}

void WorldRobot::input() {
    recordLetter(codeChar(Code::READ));
    b1 = robotCorner();
    bbstate = 1;
    worldDisplay().redrawWorld();
}

void WorldRobot::output() {
    recordLetter(codeChar(Code::WRITE));
    if (b1 == '\0') {
        dialogs().messageBox(tr("Board b1 is uninitialized"), tr("Nothing to output!"));
        runHooks().actionRefused(-1);
    } else {
        historyCornerWritten();
        PindlesWorld.set(icon_x / CORNER, icon_y / CORNER, b1);
        bbstate = 2;
    }
    worldDisplay().redrawWorld();
}

void WorldRobot::copy1() {
    if (b2 == '\0') {
        dialogs().messageBox(tr("Board b2 is uninitialized"), tr("Nothing to copy!"));
        runHooks().actionRefused(-1);
    } else {
        b1 = b2;
    }
    recordLetter(codeChar(Code::B1_FROM_B2));
    bbstate = 3;
    worldDisplay().redrawWorld();
}

void WorldRobot::copy2() {
    if (b1 == '\0') {
        dialogs().messageBox(tr("Board b1 uninitialized"), tr("Nothing to copy!"));
        runHooks().actionRefused(-1);
    } else {
        b2 = b1;
    }
    recordLetter(codeChar(Code::B2_FROM_B1));
    bbstate = 4;
    worldDisplay().redrawWorld();
}

void WorldRobot::pause() {
    if (macroName[0] != '\0')
        recordLetter(codeChar(Code::PAUSE));
    else {
        STOPPED = true;
        runHooks().robotStopped(RobotStop::PAUSED);
    }
}

int WorldRobot::frontClear() {
    int x, y;
    ahead(x, y);
    return in_line(x, y) ? 0 : 1;
}

int WorldRobot::facingNorth() {
    return position == 0 ? 1 : 0;
}

int WorldRobot::cornerHasSomething() {
    return robotCorner() != ' ' ? 1 : 0;
}
