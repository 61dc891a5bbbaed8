// Feeds arbitrary bytes to the situation-file loader, then moves the robot around the world
// it built.
#include "fuzz/fuzz_input.h"
#include "lang/outside.h"
#include "runner/runreport.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = writeFuzzInput(".sit", data, size);
    if (!path) return 0;
    std::snprintf(worldFile, sizeof worldFile, "%s", path);
    LoadWorldFile(worldFile);
    b1 = 'x';
    for (int turn = 0; turn < 4; ++turn) {
        worldRobot.input();
        worldRobot.output();
        worldRobot.move();
        worldRobot.left();
    }
    worldReport();
    return 0;
}
