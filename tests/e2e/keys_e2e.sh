#!/bin/bash
# The real pindle, started with a configuration file, driven by keys: the robot moves and turns
# on the screen. Screen (x, y) of canvas pixel (x, y) is (x, y + 75) under the menu bar.
. "$(dirname "$0")/lib.sh"
printf 'wall 3,3 3,6\nthing 5,5 x\npindle 7,7\n' > "$WORK/w.sit"
printf 'define main as { move }\n' > "$WORK/p.pnd"
echo "0 0 $WORK/w.sit $WORK/p.pnd 456 540" > "$WORK/pindle.cfg"
start_pindle "$WORK/pindle.cfg"

shot
expect_pixel 225 285 "srgb(0,0,0)" "icon cross above the robot's start"
expect_pixel 150 180 "srgb(255,0,0)" "wall on row 3"
keys m l m
shot
# The robot now stands on (6, 6) facing west: its icon's top left is at canvas (180, 180).
expect_pixel 195 255 "srgb(0,0,0)" "icon cross at the new corner"
expect_pixel 195 270 "srgb(32,160,64)" "robot body at the new corner"
expect_pixel 213 288 "srgb(255,255,255)" "old corner cleared"
expect_pixel 225 300 "srgb(0,0,0)" "grid crossing of the old corner"
echo "keys_e2e: passed"
