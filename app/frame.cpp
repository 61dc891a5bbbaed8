// The main window: its layout, activation, closing and drawing, and its menus.
#include "app/canvas.h"
#include "app/editor.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/settings.h"
#include "app/status.h"
#include "app/worldedit.h"
#include "app/worldview.h"
#include "app/wxui.h"
#include "app/zoom.h"
#include "view/worlddrawing.h"
#include "world/robot.h"
#include "world/situation.h"

#include <algorithm>
#include <wx/display.h>

wxBEGIN_EVENT_TABLE(MyFrame, wxFrame) EVT_MENU(wxID_ANY, MyFrame::onMenu) EVT_SIZE(MyFrame::OnSize)
    EVT_CLOSE(MyFrame::OnClose) EVT_ACTIVATE(MyFrame::OnActivate) wxEND_EVENT_TABLE()

        MyFrame::MyFrame(wxFrame* parent, const wxString& title, int x, int y, int width,
                         int height)
    : wxFrame(parent, wxID_ANY, title, wxPoint(x, y), wxSize(width, height)), panel(nullptr),
      status_window(nullptr), canvas(nullptr), configuredSize(width, height) {
    buildParts();
}

void MyFrame::OnSize(wxSizeEvent&) {
    int w, h;
    GetClientSize(&w, &h);
    int top = zoomed(PANEL_HEIGHT); // the status panel's height, and so the canvas's top
    if (panel) panel->SetSize(0, 0, PANEL_WIDTH, PANEL_HEIGHT);
    if (status_window) status_window->SetSize(PANEL_WIDTH, 0, zoomed(STATUS_WIDTH), top);
    if (canvas) {
        // A window made smaller than the panels leaves the canvas empty, never negative.
        canvas->SetSize(0, top, std::max(w, 0), std::max(h - top, 0));
        focusCanvasLater();
    }
}

void MyFrame::fitWindowToWorld() {
    int extent = zoomed(WORLD_EXTENT);
    wxSize inside = configuredSize;
    bool tooLarge = false;
    if (worldZoom() != ACTUAL_SIZE) {
        inside.IncTo(wxSize(PANEL_WIDTH + zoomed(STATUS_WIDTH), zoomed(PANEL_HEIGHT) + extent));
        inside.IncTo(wxSize(extent, 0));
        // The window's frame and title stay on the display too.
        int found = wxDisplay::GetFromWindow(this);
        wxRect area = wxDisplay(found == wxNOT_FOUND ? 0u : unsigned(found)).GetClientArea();
        wxSize most = area.GetSize() - (GetSize() - GetClientSize());
        tooLarge = inside.x > most.x || inside.y > most.y;
        inside.DecTo(most);
    }
    // A window maximized by its user stays so; one maximized for a zoom is given back.
    bool byUser = IsMaximized() && !maximizedForZoom;
    if (!byUser && !tooLarge) {
        if (maximizedForZoom) Maximize(false);
        maximizedForZoom = false;
        SetClientSize(inside);
    } else if (!byUser && !maximizedForZoom) {
        // Only the window manager or the compositor knows where the display's free area is.
        SetClientSize(inside);
        Maximize(true);
        maximizedForZoom = true;
    }
    if (canvas) canvas->fitWorld(extent, worldZoom() != ACTUAL_SIZE);
}

void MyFrame::zoomWorld(int percent) {
    if (!setWorldZoom(percent)) return;
    zoomChanged();
    statusZoomChanged();
    fitWindowToWorld();
    SendSizeEvent();
    if (!sitFp && ifinited == 0) update_status(); // no world: the panel alone
    DrawEnvir();
    saveZoom(worldZoom());
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
        title += wxString::Format(_(" - recording %s (d ends it)"), fromText(macroName));
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
