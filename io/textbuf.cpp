#include "io/textbuf.h"

#include <cstdarg>
#include <cstdio>

void formatCut(char* buf, size_t size, const char* format, ...) {
    if (size == 0) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, size, format, args);
    va_end(args);
}
