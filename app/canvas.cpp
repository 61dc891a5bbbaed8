#include "app/canvas.h"

#include "app/commandtable.h"
#include "app/debugger.h"
#include "app/editor.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/status.h"
#include "world/history.h"
#include "world/keypress.h"
#include "world/robot.h"
#include "world/world.h"

#include <algorithm>
#include <cctype>

wxBEGIN_EVENT_TABLE(MyCanvas, wxScrolledCanvas) EVT_PAINT(MyCanvas::OnPaint)
    EVT_MOUSE_EVENTS(MyCanvas::OnEvent) EVT_CHAR(MyCanvas::OnChar) wxEND_EVENT_TABLE()

        MyCanvas::MyCanvas(wxFrame* parent, int x, int y, int width, int height, long style)
    : wxScrolledCanvas(parent, wxID_ANY, wxPoint(x, y), wxSize(width, height),
                       style | wxWANTS_CHARS | wxHSCROLL | wxVSCROLL) {
    SetBackgroundColour(*wxWHITE);
    fitWorld(0, false);
}

void MyCanvas::fitWorld(int extent, bool zoomedIn) {
    if (zoomedIn) {
        SetScrollRate(10, 10);
        SetVirtualSize(extent, extent);
    } else {
        SetScrollRate(0, 0);
        Scroll(0, 0);
    }
}

void MyCanvas::keepInView(const wxRect& area) {
    int stepX, stepY;
    GetScrollPixelsPerUnit(&stepX, &stepY);
    if (stepX == 0 || stepY == 0) return;
    wxRect visible(CalcUnscrolledPosition(wxPoint(0, 0)), GetClientSize());
    if (visible.Contains(area)) return;
    wxPoint to = visible.GetPosition();
    if (area.x < visible.x || area.GetRight() > visible.GetRight())
        to.x = area.x + area.width / 2 - visible.width / 2;
    if (area.y < visible.y || area.GetBottom() > visible.GetBottom())
        to.y = area.y + area.height / 2 - visible.height / 2;
    Scroll(std::max(to.x, 0) / stepX, std::max(to.y, 0) / stepY);
}

void MyCanvas::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    DoPrepareDC(dc);
    currentPaint = &dc;
    frame->Draw(dc, 1);
    currentPaint = nullptr;
}

void MyCanvas::OnEvent(wxMouseEvent& event) {
    if (taken) taken->mouse(event);
}

void MyCanvas::act(void (Robot::*action)()) {
    historyBegin();
    (worldRobot.*action)();
    historyEnd();
}

void MyCanvas::move() {
    act(&Robot::move);
}
void MyCanvas::left() {
    act(&Robot::left);
}
void MyCanvas::input() {
    act(&Robot::input);
}
void MyCanvas::output() {
    act(&Robot::output);
}
void MyCanvas::copy1() {
    act(&Robot::copy1);
}
void MyCanvas::copy2() {
    act(&Robot::copy2);
}
void MyCanvas::pause() {
    worldRobot.pause();
}
int MyCanvas::frontClear() {
    return worldRobot.frontClear();
}
int MyCanvas::facingNorth() {
    return worldRobot.facingNorth();
}
int MyCanvas::cornerHasSomething() {
    return worldRobot.cornerHasSomething();
}

void MyCanvas::startKeyboardDefine() {
    ::startKeyboardDefine();
}
void MyCanvas::stop() {
    stopKeyboardDefine();
}
void MyCanvas::runInstruction() {
    if (Debugger* d = debugger()) d->clearCrash();
    RunGuard guard;
    ::runInstruction();
}

void MyCanvas::OnChar(wxKeyEvent& event) {
    int key = event.GetKeyCode();
    if (key == WXK_ESCAPE) {
        requestStop();
        return;
    }
    if (running) return; // nothing starts or moves while a program runs
    if (event.ControlDown() || event.AltDown() || event.MetaDown()) {
        // Alt+letter belongs to the menus, Ctrl and Meta to the accelerators.
        event.Skip();
        return;
    }
    if (taken) {
        taken->key(event);
        return;
    }
    editorRaised = false;
    if (key >= 0 && key < 128) key = std::tolower(key);
    if (const Instruction* action = actionOfKey(key)) {
        act(action->act);
        update_status();
    } else if (const Command* command = commandOfKey(key)) {
        frame->doCommand(command->id);
    } else {
        event.Skip();
    }
    frame->focusWorldCanvas();
}
