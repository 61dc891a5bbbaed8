# Shared steps of the tests on real desktops, run under xvfb-run with the arguments PINDLE
# DESKTOP. The Xvfb display gets a desktop: weston (a Wayland compositor whose X11 backend fills
# the display; pindle gets no DISPLAY, so GTK must talk Wayland) or openbox (an X11 window manager
# that decorates and places windows). The world is found on screenshots of Xvfb's root window by
# its border, wherever the desktop put the window. Exits 77 (skipped) without the desktop.
. "$(dirname "$0")/lib.sh"
DESKTOP=$2
command -v "$DESKTOP" > /dev/null || { echo "$DESKTOP is not installed: skipped"; exit 77; }
# weston's socket, in a runtime folder of the test's own (settings are the test's own too: lib.sh)
mkdir -m 700 "$WORK/run"
read -r SCREEN_WIDTH SCREEN_HEIGHT <<< "$(xdotool getdisplaygeometry)"

# wait_for COMMAND...: retries COMMAND for about ten seconds; false if it never succeeds.
wait_for() {
    local until=$((SECONDS + 10))
    until "$@"; do
        [ "$SECONDS" -lt "$until" ] || return 1
        sleep 0.25
    done
}

start_desktop() {
    case $DESKTOP in
    weston)
        XDG_RUNTIME_DIR="$WORK/run" weston --backend=x11-backend.so --width="$SCREEN_WIDTH" \
            --height="$SCREEN_HEIGHT" --use-pixman --idle-time=0 --socket=wayland-test \
            > "$WORK/desktop.log" 2>&1 &
        HELPERS=$!
        wait_for test -S "$WORK/run/wayland-test" ||
            fail "weston did not start: $(tail -n 3 "$WORK/desktop.log")"
        sleep 1 # weston's shell puts up its panel and background
        ;;
    openbox)
        openbox --startup "touch $WORK/managing" > "$WORK/desktop.log" 2>&1 &
        HELPERS=$!
        wait_for test -e "$WORK/managing" ||
            fail "openbox did not start: $(tail -n 3 "$WORK/desktop.log")"
        ;;
    esac
}

# find_world: finds the world's border on the last shot and sets LEFT, TOP (the screen place of
# its top left corner), WIDTH and HEIGHT; fails when a side is missing.
find_world() {
    square=$(/usr/bin/python3 "$(dirname "$0")/border.py" "$WORK/shot.png" 2> "$WORK/why") ||
        fail "$(cat "$WORK/why")"
    read -r LEFT TOP WIDTH HEIGHT <<< "$square"
}

# world_shown: takes a shot and finds the top left corner of the world's border on it, whatever
# the other sides; sets LEFT and TOP, and WIDTH and HEIGHT as at actual size; false when no
# border is there.
world_shown() {
    grab
    square=$(/usr/bin/python3 "$(dirname "$0")/border.py" "$WORK/shot.png" 2> /dev/null) ||
        [ $? = 1 ] || return
    read -r LEFT TOP _ <<< "$square"
    WIDTH=420
    HEIGHT=420
}

# start_on_desktop CONFIG: starts the desktop and pindle on it and waits for the world to show
# (the window then stays where it is: LEFT, TOP, WIDTH and HEIGHT are set as at actual size).
start_on_desktop() {
    start_desktop
    case $DESKTOP in
    weston)
        env -u DISPLAY -u GDK_BACKEND XDG_RUNTIME_DIR="$WORK/run" WAYLAND_DISPLAY=wayland-test \
            "$PINDLE" "$1" &
        ;;
    openbox) "$PINDLE" "$1" & ;;
    esac
    PID=$!
    wait_for world_shown || fail "no world came on the screen"
}

# pointer_away: takes the pointer to the screen's bottom right corner, since weston draws it in
# the screenshots.
pointer_away() { xdotool mousemove "$SCREEN_WIDTH" "$SCREEN_HEIGHT"; }

# click_world: clicks beside the world's top left corner, which gives the window the keyboard on
# either desktop.
click_world() {
    xdotool mousemove "$((LEFT - WIDTH / 50))" "$((TOP - HEIGHT / 50))" click 1
    pointer_away
    sleep 0.5
}

# corner COL ROW: sets X and Y to the screen place of that corner's crossing in the world found.
corner() {
    X=$((LEFT + $1 * WIDTH / 14))
    Y=$((TOP + $2 * HEIGHT / 14))
}

# robot_at COL ROW: true when the last shot shows the robot's body on that corner.
robot_at() {
    corner "$1" "$2"
    [ "$(pixel "$X" "$Y")" = "srgb(32,160,64)" ]
}

# world_picture NAME: the world's picture (labels, border, inside) on shot NAME, as a checksum.
world_picture() {
    size="$((WIDTH * 15 / 14))x$((HEIGHT * 15 / 14))"
    /usr/bin/convert "$WORK/$1.png" -crop "$size+$((LEFT - WIDTH / 28))+$((TOP - HEIGHT / 28))" \
        -depth 8 rgb:- | md5sum
}

# check NAME: clicks into the world and runs the function NAME; a failing check is reported and
# the others still run.
FAILED=""
check() {
    click_world
    set +e
    ("$1")
    rc=$?
    set -e
    if [ "$rc" = 0 ]; then echo "ok: $1"; else FAILED="$FAILED $1"; fi
}

# finish: passes when every check passed.
finish() {
    [ -z "$FAILED" ] || fail "on $DESKTOP:$FAILED"
    echo "$(basename "$0" .sh) on $DESKTOP: passed"
}
