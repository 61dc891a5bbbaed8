// The world as the text of a situation file, which the loader reads back to the same world.
#pragma once
#include <string>

// The world as it stands: one wall item per wall (the oldest first, so that a reload lists
// them in the same order), then one thing item per thing, then one robot item when the robot
// is placed, followed by the word of heading when heading is 0 to 3 (a goal's heading; the
// world's loader skips it). No other words. A corner the loader could not have filled (a mark
// no wall makes, a character that separates words) is left out.
std::string situationText(int heading = -1);
