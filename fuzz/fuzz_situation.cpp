// Feeds arbitrary bytes to the situation-file loader, then moves the robot around the world
// it built.
#include "app/runreport.h"
#include "lang/outside.h"
#include "view/situation.h"
#include "world/robot.h"
#include "world/world.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/pindle-fuzz-" + std::to_string(getpid()) + ".sit";
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return 0;
    std::fwrite(data, 1, size, fp);
    std::fclose(fp);

    std::snprintf(worldFile, sizeof worldFile, "%s", path.c_str());
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
