// Settings kept between sessions in the user's configuration folder
// ($XDG_CONFIG_HOME/pindle/pindle.conf, or ~/.config/pindle/pindle.conf).
#pragma once

int savedZoom();         // the world's zoom in percent, 100 when none was saved
void saveZoom(int zoom); // keeps the zoom for the next session
