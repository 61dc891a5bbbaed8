// The status panel: the boards, the next instruction and the data-movement arrows.
#pragma once

// Redraws the whole panel from the boards, CurrInstrName and bbstate, then clears bbstate.
void update_status();
