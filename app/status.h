// The status panel: the boards, the next instruction and the data-movement arrows.
#pragma once

#include <wx/window.h>

// The top of the main window, at actual size: the buttons' panel, then the status panel.
constexpr int PANEL_WIDTH = 250;          // the buttons' panel: five columns of 50
constexpr int PANEL_HEIGHT = 50;          // both panels: two rows of 25
constexpr int STATUS_WIDTH = 200;         // the status panel as laid out
constexpr int STATUS_FIRST_WIDTH = 210;   // the status panel as made, before the first layout
constexpr int STATUS_PICTURE_WIDTH = 250; // the status panel's picture

// Redraws the whole panel from the boards, CurrInstrName and bbstate into statusBitmap, then
// clears bbstate; the panel shows it when it next repaints.
void update_status();
// Makes window the status panel, which shows statusBitmap whenever it repaints.
void showStatusIn(wxWindow* window);
// The zoom changed: statusBitmap is made anew at the new size.
void statusZoomChanged();
