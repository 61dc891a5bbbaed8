# Shared steps of the end-to-end tests: start pindle in the running X display, press keys,
# and read pixels of a screenshot.
set -eu
PINDLE=$1
WORK=$(mktemp -d /tmp/pe2e-XXXXXX)
export XDG_CONFIG_HOME="$WORK/config" # settings such as the zoom: this test's own
trap 'kill $PID 2>/dev/null || true; rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

start_pindle() { # config file
    "$PINDLE" "$1" &
    PID=$!
    WID=$(xdotool search --sync --onlyvisible --name "^Pindle's World 1.2\$" | head -n 1)
    xdotool windowfocus --sync "$WID"
    sleep 0.5
}

keys() { for k in "$@"; do xdotool key --window "$WID" "$k" 2>/dev/null || xdotool key "$k"; sleep 0.15; done; }

shot() { sleep 0.4; import -window root "$WORK/shot.png"; }

# pixel X Y: the colour of a screen pixel of the last shot, as srgb(r,g,b)
pixel() { /usr/bin/convert "$WORK/shot.png" -format "%[pixel:p{$1,$2}]" info: | tr -d ' '; }

expect_pixel() { # X Y COLOUR WHAT
    got=$(pixel "$1" "$2")
    [ "$got" = "$3" ] || fail "$4: pixel ($1,$2) is $got, expected $3"
}
