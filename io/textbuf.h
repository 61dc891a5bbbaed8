// Formatting into fixed text buffers.
#pragma once
#include <cstddef>

// printf-style formatting into buf; text that does not fit is cut, never written past size.
void formatCut(char* buf, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
