#include "app/taskpane.h"

#include "app/coursework.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/wxui.h"
#include "world/markdown.h"

#include <algorithm>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/html/htmlwin.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

TaskPane* pane = nullptr;

// The words: links go to the browser or nowhere, never into the pane; pictures are found in the
// task's folder.
class TaskWords : public wxHtmlWindow {
  public:
    explicit TaskWords(wxWindow* parent) : wxHtmlWindow(parent, wxID_ANY) {}
    void showPage(const std::string& html, const std::string& folder) {
        m_FS->ChangePathTo(
            wxFileSystem::FileNameToURL(wxFileName::DirName(fromText(folder.c_str()))), true);
        SetPage(fromText(html.c_str()));
    }
    void OnLinkClicked(const wxHtmlLinkInfo& link) override { followLink(toText(link.GetHref())); }
};

} // namespace

TaskPane::TaskPane(wxWindow* parent)
    : wxFrame(parent, wxID_ANY, _("Tasks"), wxDefaultPosition, wxSize(420, 600)) {
    wxInitAllImageHandlers();
    auto* inside = new wxPanel(this);
    title = new wxStaticText(inside, wxID_ANY, "");
    title->SetFont(title->GetFont().Bold().Larger());
    tasks = new wxListBox(inside, wxID_ANY, wxDefaultPosition, wxSize(-1, 150));
    words = new TaskWords(inside);
    worlds = new wxChoice(inside, wxID_ANY);
    check = new wxButton(inside, wxID_ANY, _("Check"));
    check->SetToolTip(_("Run the program on every world of the task (Ctrl-K)"));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(inside, wxID_ANY, _("World:")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
             6);
    row->Add(worlds, 1, wxALIGN_CENTER_VERTICAL);
    row->Add(check, 0, wxLEFT, 12);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(title, 0, wxALL, 8);
    column->Add(tasks, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
    column->Add(words, 1, wxEXPAND | wxALL, 8);
    column->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    inside->SetSizer(column);
    tasks->Bind(wxEVT_LISTBOX, [](wxCommandEvent& e) { openTask(size_t(e.GetSelection())); });
    worlds->Bind(wxEVT_CHOICE, [](wxCommandEvent& e) { openWorld(size_t(e.GetSelection())); });
    check->Bind(wxEVT_BUTTON, [](wxCommandEvent&) { frame->OnMenuCommand(ID_CHECK_TASK); });
    // Closed, it is only hidden: the Tasks menu brings it back.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        if (!e.CanVeto()) return e.Skip();
        Hide();
    });
}

void TaskPane::show(const PaneContents& c) {
    title->SetLabel(fromText(c.title.c_str()));
    wxArrayString lines;
    for (const std::string& t : c.tasks)
        lines.Add(fromText(t.c_str()));
    tasks->Set(lines);
    if (c.task < c.tasks.size()) {
        tasks->SetSelection(int(c.task));
        tasks->EnsureVisible(int(c.task));
    }
    static_cast<TaskWords*>(words)->showPage(c.words, c.folder);
    worlds->Clear();
    for (const std::string& w : c.worlds)
        worlds->Append(fromText(w.c_str()));
    if (!c.worlds.empty()) worlds->SetSelection(0);
    check->Enable(!c.worlds.empty());
    Layout();
    Show(true);
}

void TaskPane::placeBeside(const wxWindow& main, const wxWindow& other) {
    wxRect by = main.GetRect();
    int found = wxDisplay::GetFromWindow(&main);
    wxRect area = wxDisplay(found == wxNOT_FOUND ? 0u : unsigned(found)).GetClientArea();
    wxSize size = GetSize();
    size.DecTo(area.GetSize());
    int x = std::max(by.GetRight(), other.GetRect().GetRight()) + 1, y = by.y;
    if (x + size.x > area.GetRight() + 1) x = by.GetRight() + 1;
    if (x + size.x > area.GetRight() + 1) x = std::max(area.x, area.GetRight() + 1 - size.x);
    y = std::clamp(y, area.y, std::max(area.y, area.GetBottom() + 1 - size.y));
    SetSize(x, y, size.x, size.y);
}

TaskPane& taskPane() {
    if (!pane) {
        pane = new TaskPane(frame);
        pane->placeBeside(*frame, *subframe); // the editor stays in view where there is room
        // Again once shown: a window manager may place a window shown before the main window is
        // up where it likes.
        pane->CallAfter([] { pane->placeBeside(*frame, *subframe); });
    }
    return *pane;
}

bool taskPaneMade() {
    return pane != nullptr;
}

bool followLink(const std::string& url) {
    return linkMayOpen(url) && wxLaunchDefaultBrowser(fromText(url.c_str()));
}
