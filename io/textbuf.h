// Formatting into fixed text buffers.
#pragma once
#include <cstddef>
#include <string>

// printf-style formatting into buf; text that does not fit is cut, never written past size.
void formatCut(char* buf, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// printf-style formatting into a string of any length.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
