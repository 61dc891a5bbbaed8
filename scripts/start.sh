#!/bin/sh
# Installs what is missing, builds, and starts Pindle's World on the bundled mountain example.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
sh scripts/build.sh
if [ -n "${DISPLAY:-}" ]; then
    exec build/pindle
fi
echo "No display here: showing the example with the headless runner instead."
echo "To see the window without a display, run:  xvfb-run -a build/pindle"
exec build/pindle-run --trace examples/mountain.sit examples/mountain.pnd
