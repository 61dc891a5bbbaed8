// The language module's truth values and text comparison.
#pragma once

// True when the two texts are exactly equal (case matters).
bool StrEq(const char* str1, const char* str2);
