// The icon images: 0 the application icon, 1 to 4 the robot facing north, west, south, east.
#pragma once

// The XPM image of icon index (0 to 4).
const char* const* iconImage(int index);
