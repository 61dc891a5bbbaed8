#include "app/status.h"

#include "app/pindle.h"
#include "app/zoom.h"
#include "io/textbuf.h"
#include "lang/table.h"
#include "world/history.h"
#include "world/world.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

// The panel's font at the zoom now.
static const wxFont& statusFont() {
    static int zoom = 0;
    static wxFont font;
    if (zoom != worldZoom()) {
        zoom = worldZoom();
        font = zoomedFont(*ttyFont);
    }
    return font;
}

// The arrows for a data movement: b1's line, then b2's line, each with its colour.
static void drawArrows(wxDC& dc) {
    struct Arrow {
        const char* text;
        const wxColour* colour;
    };
    static const Arrow none{nullptr, nullptr};
    Arrow line1 = none, line2 = none;
    switch (bbstate) {
    case 1: line1 = {"<- WORLD", wxRED}; break;
    case 2: line1 = {"-> WORLD", wxBLUE}; break;
    case 3:
        line1 = {"<- b2", wxRED};
        line2 = {"-> b1", wxBLUE};
        break;
    case 4:
        line1 = {"-> b2", wxBLUE};
        line2 = {"<- b1", wxRED};
        break;
    default: break;
    }
    if (line1.text) {
        dc.SetTextForeground(*line1.colour);
        dc.DrawText(line1.text, zoomed(80), 0);
    }
    if (line2.text) {
        dc.SetTextForeground(*line2.colour);
        dc.DrawText(line2.text, zoomed(80), zoomed(15));
    }
}

static void drawBoard(wxDC& dc, const char* name, char board, int y) {
    char tbuf[30];
    if (board != '\0')
        formatCut(tbuf, sizeof tbuf, "%s='%c'", name, board);
    else
        formatCut(tbuf, sizeof tbuf, "%s=???", name);
    dc.DrawText(wxString::From8BitData(tbuf), zoomed(5), zoomed(y));
}

void update_status() {
    if (!frame || !frame->status_window || !statusBitmap) return;
    wxMemoryDC memory(*statusBitmap);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    memory.SetTextForeground(*wxBLACK);
    memory.SetFont(statusFont());
    drawBoard(memory, "b1", b1, 0);
    drawBoard(memory, "b2", b2, 15);
    if (CurrInstrName[0] != '\0') {
        char tbuf[30];
        formatCut(tbuf, sizeof tbuf, "Next:%.22s", CurrInstrName);
        memory.DrawText(wxString::From8BitData(tbuf), zoomed(5), zoomed(30));
    }
    drawArrows(memory);
    frame->status_window->Refresh(false);
    bbstateShown = bbstate;
    bbstate = 0;
    historyStatus(CurrInstrName);
}

void showStatusIn(wxWindow* window) {
    window->Bind(wxEVT_PAINT, [window](wxPaintEvent&) {
        wxPaintDC target(window);
        if (!statusBitmap) return;
        wxMemoryDC memory(*statusBitmap);
        target.Blit(0, 0, zoomed(STATUS_PICTURE_WIDTH), zoomed(PANEL_HEIGHT), &memory, 0, 0);
    });
}

void statusZoomChanged() {
    delete statusBitmap;
    statusBitmap = new wxBitmap(zoomed(STATUS_PICTURE_WIDTH), zoomed(PANEL_HEIGHT));
    wxMemoryDC memory(*statusBitmap);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
}
