// Keys the desktop would take before the program sees them.
#pragma once

// Leaves F10 to the program (it steps) rather than to GTK, which opens the menu bar with it;
// Alt still opens the menus. Nothing happens where the toolkit is not GTK.
void takeF10FromTheMenuBar();
