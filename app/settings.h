// Settings kept between sessions in the user's configuration folder
// ($XDG_CONFIG_HOME/pindle/pindle.conf, or ~/.config/pindle/pindle.conf).
#pragma once

int savedZoom();         // the world's zoom in percent, 100 when none was saved
void saveZoom(int zoom); // keeps the zoom for the next session

#include <string>

// The course and task open at the end of the last session; false when none was kept.
bool savedCourse(std::string& folder, std::string& task);
void saveCourse(const std::string& folder, const std::string& task); // kept for the next session

// The language chosen for the window: a code such as "de", or "" for the desktop's.
std::string savedLanguage();
void saveLanguage(const std::string& code); // kept for the next session
