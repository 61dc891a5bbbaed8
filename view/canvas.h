// The world canvas: shows the world, takes the keypress commands, and gives the robot's
// actions their window names.
#pragma once
#include <wx/wx.h>

class MyCanvas : public wxWindow {
  public:
    MyCanvas(wxFrame* parent, int x, int y, int width, int height, long style);

    void OnPaint(wxPaintEvent& event);
    void OnEvent(wxMouseEvent& event); // mouse input is ignored
    void OnChar(wxKeyEvent& event);    // the keypress commands

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

  private:
    wxDC* currentPaint = nullptr;
    wxDECLARE_EVENT_TABLE();
};
