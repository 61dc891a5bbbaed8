#!/bin/sh
# Installs what is missing, builds, and runs the bundled example: Pindle climbs the mountain.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
sh scripts/build.sh
exec build/pindle-run --trace examples/mountain.sit examples/mountain.pnd
