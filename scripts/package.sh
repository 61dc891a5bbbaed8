#!/bin/sh
# Builds the Debian package build/pindle_VERSION_ARCH.deb (installing what the build needs,
# as scripts/test.sh does). Install it with: sudo apt-get install ./build/pindle_*.deb
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
sh scripts/build.sh
cmake --build build --target package
ls build/pindle_*.deb
