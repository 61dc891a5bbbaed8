#!/bin/sh
# Builds pindle-run of an earlier commit the way the benchmarks build theirs (Release, no GUI),
# from that commit's files in build-bench/base-COMMIT/, once; prints the runner's path.
# usage: base_build.sh COMMIT
set -e
commit=$1
base=build-bench/base-$commit
if [ ! -x "$base/build/pindle-run" ]; then
    rm -rf "$base/src"
    mkdir -p "$base/src"
    git archive "$commit" | tar -x -C "$base/src"
    cmake -S "$base/src" -B "$base/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPINDLE_FUZZ=OFF \
        -DPINDLE_SANITIZED=OFF -DPINDLE_GUI=OFF >/dev/null
    cmake --build "$base/build" -j "$(nproc)" --target pindle-run >/dev/null
fi
echo "$base/build/pindle-run"
