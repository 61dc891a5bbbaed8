// The world canvas: shows the world, takes the keypress commands, and gives the robot's
// actions their window names.
#pragma once
#include "lang/instructionset.h"

#include <wx/scrolwin.h>
#include <wx/wx.h>

// Takes the world canvas's mouse events and keys (all but Esc) while it is installed.
class CanvasInput {
  public:
    virtual ~CanvasInput() = default;
    virtual void mouse(wxMouseEvent& event) = 0;
    virtual void key(wxKeyEvent& event) = 0;
};

// Scrolls when the world, zoomed, is larger than the window can be.
class MyCanvas : public wxScrolledCanvas {
  public:
    MyCanvas(wxFrame* parent, int x, int y, int width, int height, long style);

    void OnPaint(wxPaintEvent& event);
    void OnEvent(wxMouseEvent& event); // mouse input is ignored unless an input is installed
    void OnChar(wxKeyEvent& event);    // the keypress commands
    // Scrolls over the world zoomed to extent pixels square; the actual size does not scroll.
    void fitWorld(int extent, bool zoomedIn);
    // Scrolls, when it must, so that area of the picture (the robot's) is in view.
    void keepInView(const wxRect& area);

    // A robot action of a key or a button, kept in the history so that it can be undone.
    void act(void (Robot::*action)());
    void move();
    void left();
    void input();
    void output();
    void copy1();
    void copy2();
    void pause();
    int frontClear();
    int facingNorth();
    int cornerHasSomething();

    void startKeyboardDefine(); // d: name a new instruction and record it
    void stop();                // d again: store the recording
    void runInstruction();      // e: execute an instruction by name

    // The drawing context of a repaint in progress, or null outside one.
    wxDC* paintDC() const { return currentPaint; }
    // Gives the mouse and the keys to input; null gives them back to the canvas's own handling.
    void takeInput(CanvasInput* input) { taken = input; }

  private:
    wxDC* currentPaint = nullptr;
    CanvasInput* taken = nullptr;
    wxDECLARE_EVENT_TABLE();
};
