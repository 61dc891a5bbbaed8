#!/bin/sh
# Configures and builds everything in build/ (clang, so that the fuzz targets are built too).
set -e
cd "$(dirname "$0")/.."
if [ ! -f build/CMakeCache.txt ]; then
    CXX=clang++ cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build build -j "$(nproc)"
