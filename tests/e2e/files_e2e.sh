#!/bin/bash
# The real pindle given a world or a program on its command line, as the desktop gives a file
# that is double-clicked: it opens on that file, with the bundled example for the other one.
. "$(dirname "$0")/lib.sh"
printf 'define main as { move }\n' > "$WORK/walk.pnd"

start_pindle "$WORK/walk.pnd"
keys ctrl+e
xdotool search --sync --onlyvisible --name "^Pindle's Editor: $WORK/walk.pnd\$" > /dev/null
kill "$PID"
wait "$PID" 2>/dev/null || true

# A world that is not there is told in a box captioned with its name (a configuration that is
# not there would be passed over silently).
"$PINDLE" "$WORK/gone.sit" "$WORK/walk.pnd" &
PID=$!
BOX=$(xdotool search --sync --onlyvisible --name "^$WORK/gone.sit\$" | head -n 1)
xdotool windowfocus "$BOX"
xdotool key Return
WID=$(xdotool search --sync --onlyvisible --name "^Pindle's World 1.2\$" | head -n 1)
xdotool windowfocus --sync "$WID"
sleep 0.3
keys ctrl+e
xdotool search --sync --onlyvisible --name "^Pindle's Editor: $WORK/walk.pnd\$" > /dev/null
echo "files_e2e: passed"
