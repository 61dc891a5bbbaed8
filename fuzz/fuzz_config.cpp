// Feeds arbitrary bytes to the configuration reader as a configuration file, and checks that
// both paths still fit the program's 80-character file names.
#include "app/config.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/pindle-fuzz-" + std::to_string(getpid()) + ".cfg";
    static char* const startWorld = w_f;
    static char* const startProgram = p_f;
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return 0;
    std::fwrite(data, 1, size, fp);
    std::fclose(fp);

    w_f = startWorld;
    p_f = startProgram;
    k_x = k_y = 0;
    k_w = 456;
    k_h = 540;
    if (!readConfig(path.c_str())) std::abort(); // a file that exists is always read
    if (std::strlen(w_f) >= 80 || std::strlen(p_f) >= 80) std::abort();
    // Read again over the values the first read left, as a second start-up would.
    readConfig(path.c_str());
    if (std::strlen(w_f) >= 80 || std::strlen(p_f) >= 80) std::abort();
    return 0;
}
