// Opening the program's text files for reading.
#pragma once
#include <cstdio>

// Opens name for reading as text; null when it cannot be opened or is a directory (which
// opens as a stream on Linux but cannot be read as text).
FILE* openTextFile(const char* name);
