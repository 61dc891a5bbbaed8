#include "view/worldview.h"

#include "app/pindle.h"
#include "view/canvas.h"
#include "world/world.h"

#include <memory>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>

namespace {

// Draws on the canvas: through the repaint's context during a repaint, else directly.
class CanvasDC {
  public:
    CanvasDC() {
        if (frame->canvas->paintDC())
            dc = frame->canvas->paintDC();
        else
            dc = (client = std::make_unique<wxClientDC>(frame->canvas)).get();
    }
    wxDC& operator*() { return *dc; }
    wxDC* operator->() { return dc; }

  private:
    std::unique_ptr<wxClientDC> client;
    wxDC* dc;
};

bool haveCanvas() {
    return frame && frame->canvas;
}

void drawThingText(wxDC& dc, int x, int y, const wxString& text) {
    dc.SetTextForeground(*wxBLUE);
    dc.SetFont(*thingFont);
    dc.DrawText(text, 30 * x + 11, 30 * y + 11);
    dc.SetTextForeground(*wxBLACK);
}

void drawIcon(wxDC& dc) {
    dc.DrawIcon(*pn_icon[(position & 3) + 1], icon_x, icon_y);
}

void drawWallLine(wxDC& dc, const line_struct& w) {
    dc.SetPen(*red_pen);
    dc.DrawLine(w.x1 + 15, w.y1 + 15, w.x2 + 15, w.y2 + 15);
}

} // namespace

void drawBackdrop(wxDC& dc) {
    dc.SetTextForeground(*wxBLACK);
    dc.SetFont(*itemFont);
    for (int k = 0; k <= 14; ++k) {
        wxString label = wxString::Format("%d", k);
        dc.DrawText(label, 30 * k + 11, 0);
        dc.DrawText(label, 0, 30 * k + 11);
    }
    dc.SetPen(*black_pen);
    for (int p = 15; p <= 435; p += 30) {
        dc.DrawLine(p, 15, p, 435);
        dc.DrawLine(15, p, 435, p);
    }
    dc.SetPen(*black_pen2);
    dc.DrawLine(15, 15, 435, 15);
    dc.DrawLine(15, 15, 15, 435);
    dc.DrawLine(435, 15, 435, 435);
    dc.DrawLine(15, 435, 435, 435);
}

void reDraw() {
    if (!haveCanvas() || !worldBitmap) return;
    wxMemoryDC memory(*worldBitmap);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    drawBackdrop(memory);
    for (line_struct* w = walls; w; w = w->next)
        drawWallLine(memory, *w);
    for (world_row* row = PindlesWorld.world; row; row = row->next)
        for (world_corner* c = row->column; c; c = c->next)
            if (c->item != '\0' && c->item != ' ')
                drawThingText(memory, c->pos, row->pos, wxString::From8BitData(&c->item, 1));
    memory.SetFont(*itemFont);
    drawIcon(memory);
    CanvasDC target;
    target->Blit(0, 0, 550, 550, &memory, 0, 0);
}

void clearCanvas() {
    if (!haveCanvas()) return;
    CanvasDC dc;
    dc->SetBackground(*wxWHITE_BRUSH);
    dc->Clear();
}

void drawEmptyWorld() {
    if (!haveCanvas()) return;
    CanvasDC dc;
    dc->SetBackground(*wxWHITE_BRUSH);
    dc->Clear();
    drawBackdrop(*dc);
}

void drawWall(int x1, int y1, int x2, int y2) {
    if (!haveCanvas()) return;
    CanvasDC dc;
    drawWallLine(*dc, line_struct(x1, y1, x2, y2, nullptr));
}

void drawThing(int x, int y, const char* word) {
    if (!haveCanvas()) return;
    CanvasDC dc;
    drawThingText(*dc, x, y, wxString::From8BitData(word));
}

void drawRobot() {
    if (!haveCanvas()) return;
    CanvasDC dc;
    drawIcon(*dc);
}
