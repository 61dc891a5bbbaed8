#!/bin/bash
# The real pindle given configurations by name: a path with non-ASCII letters opens, absurdly
# small sizes raise no toolkit assertion, the editor stays on the display beside a window far
# to the right, a world and a program deep in a long folder path open, and a configuration
# that is there but cannot be read is told in a box.
. "$(dirname "$0")/lib.sh"
DIR="$WORK/élèves"
mkdir "$DIR"
printf 'pindle 7,7\n' > "$DIR/w.sit"
printf 'define main as { move }\n' > "$DIR/p.pnd"

# start_logged CONFIG: starts pindle on CONFIG with its standard error kept in $WORK/err.
start_logged() {
    "$PINDLE" "$1" 2> "$WORK/err" &
    PID=$!
}
main_window() { xdotool search --sync --onlyvisible --name "^Pindle's World 1.2\$" | head -n 1; }
stop_pindle() { kill "$PID"; wait "$PID" 2>/dev/null || true; }
no_assertions() { ! grep -q CRITICAL "$WORK/err" || fail "$1: $(grep CRITICAL "$WORK/err" | head -n 1)"; }

echo "600 0 $DIR/w.sit $DIR/p.pnd 10 10" > "$DIR/a.cfg"
LANG=C.UTF-8 start_logged "$DIR/a.cfg"
WID=$(main_window)
eval "$(xdotool getwindowgeometry --shell "$WID")"
[ "$X" = 600 ] || fail "the configuration on a non-ASCII path was not read: window at x=$X"
xdotool windowfocus --sync "$WID"
sleep 0.3
xdotool key ctrl+e
EID=$(xdotool search --sync --onlyvisible --name "^Pindle's Editor: " | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$EID")"
[ $((X + WIDTH)) -le 1024 ] || fail "the editor reaches past the display: x=$X width=$WIDTH"
no_assertions "a 10 x 10 window"
stop_pindle

echo "0 0 $DIR/w.sit $DIR/p.pnd 1 1" > "$DIR/b.cfg"
start_logged "$DIR/b.cfg"
WID=$(main_window)
sleep 0.5
no_assertions "a 1 x 1 window"
stop_pindle

# A double-clicked world and program deep in a documents folder open, however long the path.
LONG="$DIR/Documents/Programming Course/Week 3 - Mazes and more mazes"
mkdir -p "$LONG"
printf 'pindle 7,7\n' > "$LONG/maze.sit"
printf 'define main as { move }\n' > "$LONG/maze.pnd"
"$PINDLE" "$LONG/maze.sit" "$LONG/maze.pnd" 2> "$WORK/err" &
PID=$!
WID=$(main_window)
xdotool windowfocus --sync "$WID"
sleep 0.3
xdotool key ctrl+e
timeout 10 xdotool search --sync --onlyvisible --name "^Pindle's Editor: maze.pnd\$" > /dev/null ||
    fail "the program on a long path did not open"
! xdotool search --onlyvisible --name "^$LONG" > /dev/null || fail "a box about the long path"
stop_pindle

mkdir "$DIR/c.cfg"
start_logged "$DIR/c.cfg"
BOX=$(xdotool search --sync --onlyvisible --name "^$DIR/c.cfg\$" | head -n 1)
xdotool windowfocus "$BOX"
xdotool key Return
main_window > /dev/null
stop_pindle
echo "config_e2e: passed"
