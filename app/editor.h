// The editor window: a text editor for program and situation files.
#pragma once
#include "app/debugger.h"
#include "app/programtext.h"

#include <memory>
#include <wx/wx.h>

class MyEditor : public wxFrame {
  public:
    ProgramText* text_window;           // the text being edited
    std::unique_ptr<Debugger> debugger; // what marks a run in the text

    MyEditor(wxFrame* parent, const wxString& title, int x, int y, int width, int height,
             long style, const wxString& name);
    void OnMenuCommand(int id); // a command of the editor's menu bar
    void OnActivate(wxActivateEvent& event);

  private:
    void onMenu(wxCommandEvent& event);
    void newFile();
    void openFile();
    void startProgram(const char* failure, const char* program);
    void runFromEditor(int id);
    wxDECLARE_EVENT_TABLE();
};

extern char editFileName[80];  // the file the editor's text belongs to; "new" after New
extern bool editFileIsProgram; // the text is a program (true) or a situation file (false)
extern bool editorRaised;      // a file was put into the editor since the last command began

// Puts the file into the editor (a null name only shows it) and brings the editor up.
void EditPindleFile(const char* name);
// Saves the editor's text under name, asking for a name when there is none ("", "new" or
// null) or when writing fails. False when the user cancelled.
bool savefile(const char* name);
// Before the editor's changed text would be replaced or lost: asks to save it, discard it, or
// cancel. False when the user cancelled (or a save was cancelled).
bool keepEditsSafe();
// Makes Ctrl-H a key of the editor's text rather than of its help item.
void keepCtrlHInText(wxWindow* text);
// Builds the editor's menu bar.
wxMenuBar* editorMenuBar();
