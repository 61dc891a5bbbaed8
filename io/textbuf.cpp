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

std::string formatText(const char* format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out(length > 0 ? length : 0, '\0');
    if (length > 0) std::vsnprintf(&out[0], out.size() + 1, format, again);
    va_end(again);
    return out;
}
