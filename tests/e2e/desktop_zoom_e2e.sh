#!/bin/bash
# The zoomed world on a real desktop (weston or openbox, see desktop_lib.sh): after Ctrl-+ three
# times (200 %) the border is twice as long and the key m takes the robot 60 pixels north; Ctrl-0
# brings the border back to its actual size.
. "$(dirname "$0")/desktop_lib.sh"
printf 'pindle 7,7\n' > "$WORK/w.sit"
printf 'define main as { move }\n' > "$WORK/p.pnd"
echo "0 0 $WORK/w.sit $WORK/p.pnd 456 540" > "$WORK/pindle.cfg"
start_on_desktop "$WORK/pindle.cfg"
if [ "$DESKTOP" = weston ]; then
    # weston puts a window anywhere and a Wayland program cannot move its own, so the window
    # grown to 200 % could reach past the screen. It is dragged with the Super key held, as weston
    # wants, until the world's corner stands at (48, 200), with room above for the title, the
    # menu bar and the buttons.
    xdotool mousemove "$((LEFT - 8))" "$((TOP - 8))" keydown super mousedown 1 sleep 0.2 \
        mousemove 40 192 sleep 0.2 mouseup 1 keyup super
    pointer_away
    wait_for eval 'world_shown && [ "$TOP" -le 210 ]' ||
        fail "the window could not be dragged to the top of the screen"
fi

# near LENGTH WANTED: true when LENGTH is WANTED give or take two pixels.
near() { [ "$1" -ge $(($2 - 2)) ] && [ "$1" -le $(($2 + 2)) ]; }

twice_the_size() {
    keys ctrl+plus ctrl+plus ctrl+plus
    shot
    find_world
    near "$WIDTH" 840 && near "$HEIGHT" 840 ||
        fail "after Ctrl-+ three times the border is $WIDTH x $HEIGHT pixels, expected 840 x 840"
    robot_at 7 7 || fail "at 200 % the robot is not drawn on its corner (7, 7): $(pixel "$X" "$Y")"
    keys m
    sleep 0.3 # with the key's own pause, the screen is taken half a second after m
    grab
    robot_at 7 6 || fail "at 200 %, half a second after m the robot is not drawn 60 pixels up"
}

actual_size() {
    keys ctrl+0
    shot
    find_world
    [ "$WIDTH" = 420 ] && [ "$HEIGHT" = 420 ] ||
        fail "after Ctrl-0 the border is $WIDTH x $HEIGHT pixels, expected 420 x 420"
}

check twice_the_size
check actual_size
finish
