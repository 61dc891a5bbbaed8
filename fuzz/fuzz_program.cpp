// Feeds arbitrary bytes to the compiler as a program file, then runs what compiled for a few
// hundred steps on the mountain world's robot.
#include "fuzz/fuzz_input.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/table.h"
#include "world/robot.h"
#include "world/world.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = writeFuzzInput(".pnd", data, size);
    if (!path) return 0;

    setRobot(&worldRobot);
    resetLanguage();
    resetWorld();
    icon_x = icon_y = 150;
    if (parse(path) && userMainExists()) {
        for (int step = 0; step < 500 && !STOPPED; ++step)
            SingleStep(false);
    }
    // Compile the same file again over the table it left, as a second load would.
    parse(path);
    return 0;
}
