#include "lang/stack.h"

#include <cstdlib>

Stack::Stack()
    : el(static_cast<long*>(std::malloc(100 * sizeof(long)))), stklen(el ? 100 : 0), stkptr(0) {}

Stack::~Stack() {
    std::free(el);
}

bool Stack::push(long x) {
    if (stkptr >= MAXSTACK) return false;
    if (stkptr >= stklen && !resize()) return false;
    el[stkptr++] = x;
    return true;
}

void Stack::pop(long& y) {
    if (stkptr > 0) y = el[--stkptr];
}

void Stack::reset() {
    stkptr = 0;
}

void Stack::truncate(int n) {
    if (n < stkptr) stkptr = n;
}

bool Stack::resize() {
    long* grown = static_cast<long*>(std::realloc(el, (stklen + 100) * sizeof(long)));
    if (!grown) return false;
    el = grown;
    stklen += 100;
    return true;
}
