// The status panel: the boards, the next instruction and the data-movement arrows.
#pragma once

#include <wx/window.h>

// Redraws the whole panel from the boards, CurrInstrName and bbstate into statusBitmap, then
// clears bbstate; the panel shows it when it next repaints.
void update_status();
// Makes window the status panel, which shows statusBitmap whenever it repaints.
void showStatusIn(wxWindow* window);
// The zoom changed: statusBitmap is made anew at the new size.
void statusZoomChanged();
