// Feeds arbitrary bytes to the compiler as a program file, then runs what compiled for a few
// hundred steps on the mountain world's robot.
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

static std::string inputPath() { return "/tmp/pindle-fuzz-" + std::to_string(getpid()) + ".pnd"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = inputPath();
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return 0;
    std::fwrite(data, 1, size, fp);
    std::fclose(fp);

    setRobot(&worldRobot);
    std::memset(definedTable, 0, sizeof definedTable);
    firstEmpty = 1;
    CurrInstrNum = -1;
    reset_counter();
    icon_x = icon_y = 150;
    resetInterpreter();
    STOPPED = false;
    if (parse(path.c_str()) && userMainExists()) {
        for (int step = 0; step < 500 && !STOPPED; ++step) SingleStep(false);
    }
    // Compile the same file again over the table it left, as a second load would.
    parse(path.c_str());
    return 0;
}
