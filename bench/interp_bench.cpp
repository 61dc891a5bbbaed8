// The interpreter alone: steps per second with the world robot and a display that shows
// nothing.
#include "bench/programs.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "lang/parser.h"
#include "lang/table.h"
#include "world/history.h"
#include "world/robot.h"
#include "world/situation.h"
#include "world/world.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

std::string writeTemp(const char* suffix, const char* text) {
    std::string path = "/tmp/pindle-bench-" + std::to_string(getpid()) + suffix;
    FILE* fp = std::fopen(path.c_str(), "w");
    std::fputs(text, fp);
    std::fclose(fp);
    return path;
}

// Loads the world and compiles the program, ready to run from main.
void prepare(const char* program) {
    setRobot(&worldRobot);
    std::string world = writeTemp(".sit", bench::world);
    std::snprintf(worldFile, sizeof worldFile, "%s", world.c_str());
    LoadWorldFile(worldFile);
    resetLanguage();
    std::string source = writeTemp(".pnd", program);
    if (!parse(source.c_str()) || !userMainExists()) std::abort();
    std::remove(source.c_str());
    std::remove(world.c_str());
    resetInterpreter();
    STOPPED = false;
}

// Steps the program, with the history of steps kept or not.
void runSteps(benchmark::State& state, const char* program, int restartEvery,
              bool history = false) {
    prepare(program);
    keepHistory(history);
    long steps = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            takeStep(true);
            if (++steps % restartEvery == 0) resetInterpreter();
        }
    }
    if (STOPPED) state.SkipWithError("the program stopped");
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
    // Every run has every counter: 0 bytes without the history.
    state.counters["history bytes/step"] =
        history ? static_cast<double>(historyBytes()) / static_cast<double>(historySize()) : 0;
    keepHistory(false);
}

void TightLoop(benchmark::State& state) {
    runSteps(state, bench::tightLoop, 1 << 30);
}
void NestedIfInWhile(benchmark::State& state) {
    runSteps(state, bench::nestedIf, 1 << 30);
}
void Calls(benchmark::State& state) {
    runSteps(state, bench::calls, 1 << 30);
}
// Two steps a level: restarting every 2000 steps goes a thousand deep and starts over.
void RecursionThousandDeep(benchmark::State& state) {
    runSteps(state, bench::recursion, 2000);
}
void TightLoopWithHistory(benchmark::State& state) {
    runSteps(state, bench::tightLoop, 1 << 30, true);
}
void CallsWithHistory(benchmark::State& state) {
    runSteps(state, bench::calls, 1 << 30, true);
}
void RecursionWithHistory(benchmark::State& state) {
    runSteps(state, bench::recursion, 2000, true);
}

} // namespace

BENCHMARK(TightLoop);
BENCHMARK(NestedIfInWhile);
BENCHMARK(Calls);
BENCHMARK(RecursionThousandDeep);
BENCHMARK(TightLoopWithHistory);
BENCHMARK(CallsWithHistory);
BENCHMARK(RecursionWithHistory);
BENCHMARK_MAIN();
