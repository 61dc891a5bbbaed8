#!/bin/sh
# The GIF recording of a run (bench_animation) beside the same benchmark built from an earlier
# commit the same way (Release, in a worktree of its own): 3 runs of each, alternating, under
# Xvfb, and the median of each figure. Prints one "name value" line per figure. Not a test.
# usage: animation_base.sh BENCH_ANIMATION [COMMIT]
set -e
bench=$(realpath "$1") commit=${2:-679d350}
base=build-bench/base-$commit
if [ ! -x "$base/build/bench/bench_animation" ]; then
    [ -d "$base" ] || git worktree add --detach "$base" "$commit" >/dev/null 2>&1
    cp bench/animation_bench.cpp bench/benchtools.h bench/benchtools.cpp "$base/bench/"
    grep -q bench_animation "$base/bench/CMakeLists.txt" ||
        sed -n '/find_package(GIF REQUIRED)/,/GIF::GIF)/p' bench/CMakeLists.txt |
        sed '1i if(PINDLE_GUI)' | sed '$a endif()' >> "$base/bench/CMakeLists.txt"
    cmake -S "$base" -B "$base/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPINDLE_FUZZ=OFF \
        -DPINDLE_SANITIZED=OFF >/dev/null
    cmake --build "$base/build" -j "$(nproc)" --target bench_animation >/dev/null
fi
python3 - "$bench" "$base/build/bench/bench_animation" <<'PY'
import statistics, subprocess, sys
now, base = sys.argv[1:]
def figures(binary):
    out = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24", binary],
                         capture_output=True, text=True, check=True).stdout
    return {line.split()[0]: float(line.split()[1]) for line in out.splitlines()}
runs = {now: [], base: []}
for _ in range(3):
    for binary in (now, base):
        runs[binary].append(figures(binary))
for label, binary in (("", now), ("base_", base)):
    for name in runs[binary][0]:
        print(f"{label}{name} {statistics.median(r[name] for r in runs[binary]):.1f}")
PY
