// The task pane: a window of its own beside the main window showing the open course: its title,
// its tasks with a tick at each one solved, the task's words, its worlds and a Check button.
#pragma once
#include <string>
#include <vector>
#include <wx/frame.h>

class wxButton;
class wxChoice;
class wxHtmlWindow;
class wxListBox;
class wxStaticText;

// What the pane shows.
struct PaneContents {
    std::string title;               // the course's title
    std::vector<std::string> tasks;  // the tasks' titles, a tick in front of each one solved
    size_t task = 0;                 // the task open
    std::string words;               // its words as HTML
    std::string folder;              // its folder, where the words' pictures are found
    std::vector<std::string> worlds; // its worlds' names
};

class TaskPane : public wxFrame {
  public:
    explicit TaskPane(wxWindow* parent);
    void show(const PaneContents& contents); // shows contents, keeping the window where it is
    // Beside main, and beyond other when the display has room for that too; on the display.
    void placeBeside(const wxWindow& main, const wxWindow& other);

    wxStaticText* title;
    wxListBox* tasks;
    wxHtmlWindow* words;
    wxChoice* worlds;
    wxButton* check;
};

// The pane, made beside the main window the first time it is asked for.
TaskPane& taskPane();
// Whether the pane was made.
bool taskPaneMade();
// Hands a link of the words to the desktop's browser when it may open (http or https); true
// when it was handed over.
bool followLink(const std::string& url);
