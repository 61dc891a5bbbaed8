# Shared steps of the end-to-end tests: start pindle in the running X display, press keys,
# and read pixels of a screenshot.
set -eu
PINDLE=$1
WORK=$(mktemp -d /tmp/pe2e-XXXXXX)
export XDG_CONFIG_HOME="$WORK/config" # settings such as the zoom: this test's own
PID=""     # the pindle started
HELPERS="" # what a test started for pindle's display: a compositor, a window manager
# cleanup: ends pindle, then what was started for its display, and removes the work folder.
cleanup() {
    for p in $PID $HELPERS; do { kill "$p" && wait "$p"; } 2> /dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

start_pindle() { # config file
    "$PINDLE" "$1" &
    PID=$!
    WID=$(xdotool search --sync --onlyvisible --name "^Pindle's World 1.2\$" | head -n 1)
    xdotool windowfocus --sync "$WID"
    sleep 0.5
}

# keys KEY...: presses each key on the window WID (given the keyboard first) when there is one.
# Always through XTest: a key sent to a window by name that opens another window would have its
# release sent to the first window only, and the key would stay down on the display.
keys() {
    for k in "$@"; do
        [ -n "${WID:-}" ] && xdotool windowfocus --sync "$WID" 2> /dev/null
        xdotool key "$k"
        sleep 0.15
    done
}

# grab [NAME]: the screen as it is now, in $WORK/NAME.png (shot.png without a name)
grab() { import -window root "$WORK/${1:-shot}.png"; }

# shot [NAME]: the screen once the last keys have had their effect
shot() { sleep 0.4; grab "$@"; }

# pixel X Y: the colour of a screen pixel of the last shot, as srgb(r,g,b)
pixel() { /usr/bin/convert "$WORK/shot.png" -format "%[pixel:p{$1,$2}]" info: | tr -d ' '; }

expect_pixel() { # X Y COLOUR WHAT
    got=$(pixel "$1" "$2")
    [ "$got" = "$3" ] || fail "$4: pixel ($1,$2) is $got, expected $3"
}
