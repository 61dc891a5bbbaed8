#!/bin/sh
# Installs what is missing, builds, and runs every test: unit tests (plain and under
# AddressSanitizer + UndefinedBehaviorSanitizer), the runner as a process, and the fuzzers.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
sh scripts/build.sh
cd build
ctest --output-on-failure -j 2
