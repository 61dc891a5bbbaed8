// Opening the program's text files for reading.
#pragma once
#include <cstdio>

// Opens name for reading as text; null when it cannot be opened or is neither a regular file
// nor a pipe (a directory opens as a stream on Linux but holds no text, and a device such as
// /dev/zero would never end).
FILE* openTextFile(const char* name);
