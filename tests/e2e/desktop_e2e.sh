#!/bin/bash
# The real pindle on a real desktop (weston or openbox, see desktop_lib.sh): the world's four
# border sides are all on the screen, the key m redraws the robot a corner north within half a
# second, a Run shows the robot moving, Alt+W opens the World menu and leaves the world as it
# was, and Ctrl-E opens the editor.
. "$(dirname "$0")/desktop_lib.sh"
printf 'pindle 7,7\n' > "$WORK/w.sit"
cat > "$WORK/p.pnd" << 'END'
/ Round and round the world's edge, for ever.
define main as {
  while (not cornerHasSomething) {
    while (frontClear) move
    left
  }
}
END
echo "0 0 $WORK/w.sit $WORK/p.pnd 456 540" > "$WORK/pindle.cfg"
start_on_desktop "$WORK/pindle.cfg"

borders() {
    grab
    find_world
    [ "$WIDTH" = 420 ] && [ "$HEIGHT" = 420 ] ||
        fail "the world's border is ${WIDTH} x ${HEIGHT} pixels, expected 420 x 420"
}

move_north() {
    grab
    robot_at 7 7 || fail "the robot is not drawn on its first corner (7, 7): $(pixel "$X" "$Y")"
    keys m
    sleep 0.3 # with the key's own pause, the screen is taken half a second after m
    grab
    robot_at 7 6 || fail "half a second after m the robot is not drawn on (7, 6), 30 pixels up"
    robot_at 7 7 && fail "half a second after m the robot is still drawn on (7, 7)"
    true
}

run_moves() {
    keys ctrl+r
    for i in 1 2 3; do
        sleep 0.3
        grab "run$i"
    done
    keys Escape
    pictures=$(for i in 1 2 3; do world_picture "run$i"; done | sort -u | wc -l)
    [ "$pictures" -gt 1 ] || fail "three screenshots 0.3 s apart during a run show the same world"
}

# menu_open: true when the last shot shows a menu over the left half of the border's top side,
# where the World menu drops from the menu bar.
menu_open() {
    cover=$(/usr/bin/convert "$WORK/shot.png" -crop "100x1+$((LEFT + 100))+$TOP" \
        -format '%[fx:mean]' info:)
    awk "BEGIN { exit !($cover > 0.5) }"
}

alt_w_menu() {
    shot before
    # Held as a person holds them: weston ends a menu whose grab comes after a later key event.
    xdotool keydown alt keydown w sleep 0.3 keyup w keyup alt
    opened=yes
    wait_for eval 'grab && menu_open' || opened=no
    keys Escape # closes the menu, or whatever came instead
    [ "$opened" = yes ] || fail "Alt+W did not open the World menu"
    wait_for eval 'grab after && [ "$(world_picture before)" = "$(world_picture after)" ]' ||
        fail "the world's picture is not as it was after Alt+W and Escape"
}

editor() {
    keys ctrl+e
    sleep 0.5
    xdotool type --delay 20 "/ typed in the editor"
    keys Return ctrl+s
    sleep 0.3
    grep -q "^/ typed in the editor$" "$WORK/p.pnd" ||
        fail "Ctrl-E opened no editor that took typed text and saved it with Ctrl-S"
    [ "$DESKTOP" = weston ] || # a Wayland window's title is not to be seen from X
        xdotool search --onlyvisible --name "^Pindle's Editor: $WORK/p.pnd\$" > /dev/null ||
        fail "no window has the editor's title"
}

check borders
check move_north
check run_moves
check alt_w_menu
check editor
finish
