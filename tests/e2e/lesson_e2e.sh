#!/bin/bash
# A first lesson with the real pindle: open the editor with Ctrl-E, type a program into the
# empty program file, go back to the world and run it with Ctrl-R; the robot ends up where the
# program takes it. Screen (x, y) of canvas pixel (x, y) is (x, y + 75) under the menu bar.
. "$(dirname "$0")/lib.sh"
printf 'wall 3,3 3,6\nthing 5,5 x\npindle 7,7\n' > "$WORK/w.sit"
: > "$WORK/p.pnd"
echo "0 0 $WORK/w.sit $WORK/p.pnd 456 540" > "$WORK/pindle.cfg"
start_pindle "$WORK/pindle.cfg"

# focus_window ID NAME: gives the window the keyboard and checks that it keeps it (the main
# window takes the keyboard back after a command, so the request may need repeating).
focus_window() {
    for _ in 1 2 3 4 5; do
        xdotool windowfocus --sync "$1"
        sleep 0.4
        [ "$(xdotool getwindowfocus getwindowname)" = "$2" ] && return 0
    done
    fail "the window '$2' does not keep the keyboard"
}

keys ctrl+e
TITLE="Pindle's Editor: $WORK/p.pnd"
EDITOR_WID=$(xdotool search --sync --onlyvisible --name "^$TITLE\$" | head -n 1)
[ -n "$EDITOR_WID" ] || fail "the editor did not come up with the program file"
focus_window "$EDITOR_WID" "$TITLE"
PROGRAM='define main as { move move left move }'
xdotool keyup Control_L Control_R e # neither Ctrl nor e of Ctrl-E may reach the typed text
sleep 0.3
xdotool type --delay 40 "$PROGRAM"
sleep 0.3

focus_window "$WID" "Pindle's World 1.2"
keys ctrl+r
shot
[ "$(cat "$WORK/p.pnd")" = "$PROGRAM" ] || fail "Run did not save the typed program: $(cat "$WORK/p.pnd")"
# From (7, 7) two corners north and one west: the icon's top left is at canvas (180, 150).
expect_pixel 195 225 "srgb(0,0,0)" "icon cross at the new corner"
expect_pixel 195 240 "srgb(32,160,64)" "robot body at the new corner"
expect_pixel 213 288 "srgb(255,255,255)" "start corner cleared"
expect_pixel 225 300 "srgb(0,0,0)" "grid crossing of the start corner"
expect_pixel 225 270 "srgb(0,0,0)" "grid crossing of the corner passed on the way"
echo "lesson_e2e: passed"
