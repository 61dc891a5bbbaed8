// The main window: its layout, activation, closing and drawing, and its menus.
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/worldedit.h"
#include "app/wxui.h"
#include "view/canvas.h"
#include "view/situation.h"
#include "world/robot.h"

#include <algorithm>

wxBEGIN_EVENT_TABLE(MyFrame, wxFrame) EVT_MENU(wxID_ANY, MyFrame::onMenu) EVT_SIZE(MyFrame::OnSize)
    EVT_CLOSE(MyFrame::OnClose) EVT_ACTIVATE(MyFrame::OnActivate) wxEND_EVENT_TABLE()

        MyFrame::MyFrame(wxFrame* parent, const wxString& title, int x, int y, int width,
                         int height)
    : wxFrame(parent, wxID_ANY, title, wxPoint(x, y), wxSize(width, height)), panel(nullptr),
      status_window(nullptr), canvas(nullptr) {}

void MyFrame::OnSize(wxSizeEvent&) {
    int w, h;
    GetClientSize(&w, &h);
    if (panel) panel->SetSize(0, 0, 250, 50);
    if (status_window) status_window->SetSize(250, 0, 200, 50);
    if (canvas) {
        // A window made smaller than the panels leaves the canvas empty, never negative.
        canvas->SetSize(0, 50, std::max(w, 0), std::max(h - 50, 0));
        focusCanvasLater();
    }
}

void MyFrame::focusWorldCanvas() {
    if (editorRaised) {
        // Brought up again once the command is over: the box shown at a fault may have handed
        // the keys back to this window as it closed.
        editorRaised = false;
        CallAfter([] {
            if (!subframe || !subframe->IsShown()) return;
            subframe->Raise();
            subframe->text_window->SetFocus();
        });
    } else if (canvas) {
        canvas->SetFocus();
    }
}

// Focus is given once the window system has realised the window, after the current event.
void MyFrame::focusCanvasLater() {
    CallAfter([this] {
        if (canvas && IsShown()) canvas->SetFocus();
    });
}

void MyFrame::showRecording() {
    wxString title = mainTitle;
    if (macroName[0] != '\0')
        title += wxString::Format(" - recording %s (d ends it)", fromText(macroName));
    SetTitle(title);
}

void MyFrame::OnClose(wxCloseEvent& event) {
    if (running) {
        // A run in progress ends first; the window closes when the run loop has returned.
        closeWhenStopped();
        event.Veto();
        return;
    }
    if (event.CanVeto() && (!keepEditsSafe() || !keepWorldEditsSafe())) {
        event.Veto();
        return;
    }
    if (subframe) subframe->Destroy();
    subframe = nullptr;
    Destroy();
}

void MyFrame::OnActivate(wxActivateEvent& event) {
    if (event.GetActive()) focusCanvasLater();
    event.Skip();
}

void MyFrame::Draw(wxDC& dc, int) {
    dc.SetFont(*itemFont);
    dc.SetPen(*wxBLACK_PEN);
    DrawEnvir();
}

wxAcceleratorTable menusAccel() {
    wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'E', ID_EDIT_PROGRAM}, {wxACCEL_CTRL, 'L', ID_LOAD_PROGRAM},
        {wxACCEL_CTRL, 'R', ID_RUN},          {wxACCEL_CTRL, 'N', ID_EDIT_NEW},
        {wxACCEL_CTRL, 'O', ID_EDIT_OPEN},    {wxACCEL_CTRL, 'S', ID_EDIT_SAVE},
        {wxACCEL_CTRL, 'A', ID_EDIT_SAVE_AS}, {wxACCEL_CTRL, 'P', ID_EDIT_PRINT},
        {wxACCEL_CTRL, 'W', ID_EDIT_NOTEPAD}, {wxACCEL_CTRL, 'Q', ID_EDIT_QUIT},
    };
    return wxAcceleratorTable(sizeof entries / sizeof entries[0], entries);
}
