// The window program: the application, the main window and the resources they share.
#pragma once
#include "lang/instructionset.h"

#include <string>
#include <wx/wx.h>

// The program's version, from the build (the project's version in CMakeLists.txt).
constexpr const char* pindleVersion = PINDLE_VERSION;
// The main window's title.
constexpr const char* mainTitle = "Pindle's World " PINDLE_VERSION;

class MyCanvas;
class MyEditor;

class MyFrame : public wxFrame {
  public:
    wxPanel* panel;          // the command buttons
    wxWindow* status_window; // the status panel
    MyCanvas* canvas;        // the world view

    MyFrame(wxFrame* parent, const wxString& title, int x, int y, int width, int height);
    void OnMenuCommand(int id); // a command of the main window's menu bar
    // Carries out command id, unless a run forbids it now; false when it did not.
    bool doCommand(int id);
    void OnSize(wxSizeEvent& event); // lays out the panel, the status panel and the canvas
    void OnClose(wxCloseEvent& event);
    void OnActivate(wxActivateEvent& event);
    void Draw(wxDC& dc, int draw_bitmaps); // draws the world (the canvas's repaint)
    void Run_Pindle_Program(int run);      // run to the end (non-zero) or one step (0)
    int Reset_Pindle_Program(); // reload the world and restart the program; 0 if abandoned
    // After a command: the world canvas takes the keys again, unless the command has just
    // brought a file up in the editor (to edit it, or at a fault), which then keeps them.
    void focusWorldCanvas();
    // The title tells whether a recording of keys is going on, and under which name.
    void showRecording();
    // Shows the world at zoom percent (taken to the nearest step) and keeps it for the next
    // session.
    void zoomWorld(int percent);
    // Sizes the window so that its inside holds the configured size, grown to hold the zoomed
    // world as far as the display allows.
    void fitWindowToWorld();

  private:
    void buildParts();             // the icon, menus, buttons, status panel and canvas
    wxMenuBar* mainMenuBar();      // the menus, into the menu globals
    void createButtons();          // the ten command buttons on the panel
    wxSize configuredSize;         // the configured size of the window's inside
    bool maximizedForZoom = false; // maximized to hold a zoomed world, not by its user
    void onMenu(wxCommandEvent& event);
    void focusCanvasLater();
    wxDECLARE_EVENT_TABLE();
};

class MyApp : public wxApp {
  public:
    bool OnInit() override;
    // The command line as the system gave it, before the toolkit starts.
    static void keepCommandLine(int argc, char** argv);

  private:
    static int rawArgc;
    static char** rawArgv;
};

extern MyFrame* frame;
extern MyEditor* subframe;
extern wxMenuBar* menu_bar;
extern wxMenu *program_menu, *world_menu, *run_menu, *run_delay_menu, *help_menu;
extern wxMenuBar* menu_bar2;
extern wxMenu *file_menu, *edit_help_menu;
constexpr int BUTTONS =
    KEYED_ACTIONS + 4; // the robot's actions with a key, run, step, reset, define
extern wxButton* pn_button[BUTTONS];
extern wxPen *black_pen, *black_pen2, *red_pen;
extern wxFont *itemFont, *labelFont, *textWindowFont, *buttonFont, *ttyFont, *thingFont;
extern wxIcon* pn_icon[5];
extern wxBitmap* worldBitmap;
extern wxBitmap* statusBitmap;

// The folder of the bundled examples, installed beside the program or in the source tree.
std::string examplesFolder();
// Builds the whole program as start-up does and returns the main window.
MyFrame* startUp(int argc, char** argv);
// The command buttons' callback: tells the buttons apart by their tags (client data 1 to 10).
void button_proc(wxButton& but, wxCommandEvent& event);
