// Feeds arbitrary bytes to the configuration reader as a configuration file, and checks that
// both paths still fit the program's 80-character file names.
#include "app/config.h"
#include "fuzz/fuzz_input.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char* const startWorld = w_f;
    static char* const startProgram = p_f;
    const char* path = writeFuzzInput(".cfg", data, size);
    if (!path) return 0;

    w_f = startWorld;
    p_f = startProgram;
    k_x = k_y = 0;
    k_w = 456;
    k_h = 540;
    if (!readConfig(path)) std::abort(); // a file that exists is always read
    if (std::strlen(w_f) >= 80 || std::strlen(p_f) >= 80) std::abort();
    // Read again over the values the first read left, as a second start-up would.
    readConfig(path);
    if (std::strlen(w_f) >= 80 || std::strlen(p_f) >= 80) std::abort();
    return 0;
}
