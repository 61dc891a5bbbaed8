#!/bin/bash
# A long lesson with the real pindle: for about 110 seconds (PINDLE_SOAK_SECONDS) thousands of
# mixed commands as a class would give them: keys, button clicks, menu commands, runs and steps
# at every delay, stops, recordings and executions of instructions, editor edits and saves,
# and every bundled example loaded in turn. Every message box is answered as it comes. At the
# end the program must be alive, with no box left open, still answer keys, and keep its
# resident memory (VmRSS) under the bound below.
. "$(dirname "$0")/lib.sh"
EXAMPLES=$(cd "$(dirname "$0")/../../examples" && pwd)
SECONDS_WANTED=${PINDLE_SOAK_SECONDS:-110}
# Measured on Debian 12 under Xvfb: about 97,400 kB at start, 108,000 to 115,000 kB after the
# first ten seconds, a peak of 117,696 kB at most. The bound is that peak and
# half of it again.
RSS_BOUND_KB=${PINDLE_SOAK_RSS_BOUND_KB:-177000}
RANDOM=4242 # a fixed seed: the same kind of mix every time

printf 'wall 3,3 3,6\nthing 5,5 x\npindle 7,7\n' > "$WORK/start.sit"
cp "$WORK/start.sit" "$WORK/w.sit"
cp "$EXAMPLES/mountain.pnd" "$WORK/p.pnd"
echo "0 0 $WORK/w.sit $WORK/p.pnd 456 540" > "$WORK/pindle.cfg"
start_pindle "$WORK/pindle.cfg"

EDITOR_WID=""
COMMANDS=0
BOXES=0
declare -A DONE # commands given, by kind

count() { COMMANDS=$((COMMANDS + 1)); DONE[$1]=$((${DONE[$1]:-0} + 1)); }
alive() { kill -0 "$PID" 2>/dev/null || fail "pindle ended after $COMMANDS commands"; }
rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$PID/status"; }
pause() { sleep "$1"; }

# The named windows on the screen other than the main window and the editor: message boxes,
# text-entry dialogs and menus, one "ID NAME" a line.
others() {
    local id name
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        [ "$id" = "$WID" ] && continue
        name=$(xdotool getwindowname "$id" 2>/dev/null) || continue
        case "$name" in
        "Pindle's Editor"* | "Pindle's World Editor") ;;
        *) echo "$id $name" ;;
        esac
    done
}

# Answers every box until none is left: OK on message boxes and text entries, Cancel on file
# selectors (none should come), Escape on a menu left open.
settle() {
    local round line id name key
    for round in $(seq 1 50); do
        line=$(others | head -n 1)
        [ -z "$line" ] && return 0
        id=${line%% *}
        name=${line#* }
        case "$name" in
        pindle) key=Escape ;; # a menu
        "Save file" | "Open file" | "Load Pindle program" | "Load situation file" | "Load goal file")
            echo "note: a file selector came up ($name)"
            key=Escape
            ;;
        *)
            key=Return
            BOXES=$((BOXES + 1))
            ;;
        esac
        xdotool windowfocus "$id" 2>/dev/null || true
        xdotool key "$key" 2>/dev/null || true
        pause 0.04
    done
    fail "boxes keep coming: $(others | tr '\n' ';')"
}

focus_main() { xdotool windowfocus "$WID" 2>/dev/null || true; }

press() { # KEY...: keys on the world
    focus_main
    xdotool key --delay 6 "$@" 2>/dev/null || true
    for k in "$@"; do count "key $k"; done
}
key() { # KEY...: keys on the world, then any box they brought up answered
    press "$@"
    pause 0.02
    settle
}

# The ten buttons: the panel is at screen (0, 25), buttons 50 x 25 in five columns of two.
BUTTONS=(move left read write b1=b2 b2=b1 run step reset define)
click() { # BUTTON-NUMBER 0..9
    local b=$1
    xdotool mousemove $((b / 2 * 50 + 25)) $((25 + b % 2 * 25 + 12)) mousedown 1 mouseup 1 \
        2>/dev/null || true
    count "button ${BUTTONS[$b]}"
    pause 0.03
}

# A text-entry dialog with this title: waits for it, types the answer and presses Return. False
# when it did not come (for example while a run was going, which ignores the key).
answer_dialog() { # TITLE TEXT
    local id
    id=$(timeout 2 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] || return 1
    xdotool windowfocus "$id" 2>/dev/null || true
    pause 0.05
    xdotool type --delay 15 "$2" 2>/dev/null || true
    xdotool key Return 2>/dev/null || true
    pause 0.05
    settle
}

# Menus by the mouse: the menu bar's titles at y 12; items 25 pixels apart from y 37.
menu_open() { # TITLE-X: true when the menu came up
    xdotool mousemove "$1" 12 click 1 2>/dev/null || true
    timeout 1.5 xdotool search --sync --onlyvisible --name '^pindle$' >/dev/null 2>&1
}
menu_pick() { # TITLE-X ITEM-Y WHAT
    if menu_open "$1"; then
        xdotool mousemove $(($1 + 40)) "$2" 2>/dev/null || true
        pause 0.08
        xdotool click 1 2>/dev/null || true
    fi
    count "menu $3"
    pause 0.05
    settle
}
menu_keys() { # MENU-KEY ITEM-KEY WHAT: a menu item by its underlined letters
    focus_main
    xdotool key "$1" 2>/dev/null || true
    timeout 1.5 xdotool search --sync --onlyvisible --name '^pindle$' >/dev/null 2>&1 &&
        xdotool key "$2" 2>/dev/null
    count "menu $3"
    pause 0.05
    settle
}
DELAYS=(Slow Medium Fast)
delay() { # 0 Slow, 1 Medium, 2 Fast: Run > Delay > item
    if menu_open 144; then
        xdotool mousemove 170 112 2>/dev/null || true
        pause 0.05
        xdotool mousemove 175 113 2>/dev/null || true
        if timeout 1.5 bash -c 'until [ "$(xdotool search --onlyvisible --name "^pindle\$" | wc -l)" -ge 2 ]; do sleep 0.05; done'; then
            xdotool mousemove 320 112 2>/dev/null || true
            pause 0.05
            xdotool mousemove 340 $((112 + 25 * $1)) 2>/dev/null || true
            pause 0.1
            xdotool click 1 2>/dev/null || true
        fi
    fi
    count "delay ${DELAYS[$1]}"
    pause 0.05
    settle
}

NAMES=(hop zag jig)
record() { # d, a name, some actions by key and button, d again
    press d
    answer_dialog "Define instruction" "${NAMES[$((RANDOM % 3))]}" || return 0
    local n
    for n in $(seq 1 $((RANDOM % 6 + 1))); do
        case $((RANDOM % 3)) in
        0) key m ;;
        1) key l ;;
        2) click $((RANDOM % 6)) && settle ;;
        esac
    done
    key d
}

execute() { # e and a name: recorded, defined in the program, or unknown
    local names=(hop zag jig main turnRight nosuch)
    press e
    answer_dialog "Execute instruction" "${names[$((RANDOM % 6))]}" || return 0
    pause 0.$((RANDOM % 3))
    key Escape
}

run_for() { # SECONDS: a run, stopped with Escape if it is still going
    key ctrl+r
    pause "$1"
    key Escape
}

# Brings the editor up with the given command and gives it the keyboard; false if it did not.
editor_up() { # COMMAND
    "$@"
    local i
    for i in 1 2 3 4 5 6; do
        EDITOR_WID=$(xdotool search --onlyvisible --name "^Pindle's (Editor|World Editor)" \
            2>/dev/null | head -n 1)
        if [ -n "$EDITOR_WID" ]; then
            xdotool windowfocus "$EDITOR_WID" 2>/dev/null || true
            pause 0.15
            [ "$(xdotool getwindowfocus 2>/dev/null)" = "$EDITOR_WID" ] && return 0
        else
            pause 0.15
        fi
    done
    settle
    return 1
}

NOTES=0
edit() { # COMMAND: a note added at the end of the file in the editor, saved with Ctrl-S or not
    local save=$1
    shift
    editor_up "$@" || return 0
    NOTES=$((NOTES + 1))
    # Words without keywords of either kind of file, and keys that do nothing on the world.
    xdotool key ctrl+End Return 2>/dev/null || true
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$EDITOR_WID" ] || return 0
    xdotool type --delay 5 "/ happy $((NOTES % 7 + 3))" 2>/dev/null || true
    count "editor note"
    if [ "$save" = save ]; then
        xdotool key ctrl+s 2>/dev/null || true
        count "editor ctrl+s"
    fi
    pause 0.1
    settle
    if [ $((RANDOM % 3)) = 0 ]; then
        xdotool key ctrl+q 2>/dev/null || true
        count "editor ctrl+q"
        pause 0.1
    fi
    focus_main
    pause 0.1
}

# Loads the next bundled example: its files copied over the configured ones, the world reset
# with the button, and its program run at the fast delay until the robot stands where the
# program leaves it (screen pixels of its body, for the examples known here).
EXAMPLE_NAMES=()
for f in "$EXAMPLES"/*.sit; do
    name=$(basename "$f" .sit)
    [ -f "$EXAMPLES/$name.pnd" ] && EXAMPLE_NAMES+=("$name")
done
[ ${#EXAMPLE_NAMES[@]} -gt 0 ] || fail "no bundled examples in $EXAMPLES"
finish_pixel() {
    case $1 in
    mountain) echo "315 480" ;; # row 13, column 10
    maze) echo "405 480" ;;     # row 13, column 13
    letters) echo "405 180" ;;  # row 3, column 13
    esac
}
declare -A FINISHED
NEXT_EXAMPLE=0
example() {
    local name=${EXAMPLE_NAMES[$((NEXT_EXAMPLE % ${#EXAMPLE_NAMES[@]}))]} at try
    NEXT_EXAMPLE=$((NEXT_EXAMPLE + 1))
    key Escape
    delay 2
    click 8 # a reset saves the editor's changed text now, not over the example's files later
    settle
    cp "$EXAMPLES/$name.sit" "$WORK/w.sit"
    cp "$EXAMPLES/$name.pnd" "$WORK/p.pnd"
    click 8
    settle
    count "example $name"
    key ctrl+r
    at=$(finish_pixel "$name")
    if [ -n "$at" ]; then
        for try in 1 2 3 4 5 6 7 8; do
            shot
            if [ "$(pixel $at)" = "srgb(32,160,64)" ]; then
                FINISHED[$name]=$((${FINISHED[$name]:-0} + 1))
                break
            fi
        done
    fi
    key Escape
}

START=$(date +%s)
PEAK=0
SAMPLES=""
sample() {
    alive
    local r
    r=$(rss)
    if [ "$r" -gt "$PEAK" ]; then PEAK=$r; fi
    SAMPLES="$SAMPLES $r"
}
sample
FIRST_RSS=$(rss)
next_sample=$((START + 10))
next_example=$((START + 5))

KEYS_ON_WORLD=(m l r w 1 2 s m l m)
while [ $(($(date +%s) - START)) -lt "$SECONDS_WANTED" ]; do
    roll=$((RANDOM % 100))
    if [ $roll -lt 61 ]; then
        # Keys typed quickly: those given while a box is up go to the box, which ignores them.
        batch=()
        for n in $(seq 1 $((RANDOM % 7 + 6))); do batch+=("${KEYS_ON_WORLD[$((RANDOM % 10))]}"); done
        key "${batch[@]}"
    elif [ $roll -lt 80 ]; then
        for n in $(seq 1 $((RANDOM % 4 + 3))); do
            click $((RANDOM % 9)) # define has its own dialog: see record
        done
        settle
    elif [ $roll -lt 83 ]; then
        record
    elif [ $roll -lt 86 ]; then
        execute
    elif [ $roll -lt 90 ]; then
        run_for 0.$((RANDOM % 5))
    elif [ $roll -lt 91 ]; then
        key Escape
    elif [ $roll -lt 92 ]; then
        # A run at a slow delay, with commands given meanwhile (only the delay and the stop
        # are obeyed), then stopped.
        delay $((RANDOM % 2))
        key ctrl+r
        key m s
        click $((RANDOM % 9))
        pause 0.$((RANDOM % 9 + 1))
        [ $((RANDOM % 2)) = 0 ] && delay 2
        key Escape
        delay 2
    elif [ $roll -lt 93 ]; then
        delay $((RANDOM % 3))
        key s s s
        delay 2
    elif [ $roll -lt 96 ]; then
        case $((RANDOM % 5)) in
        0) menu_pick 144 87 check ;;
        1) menu_keys alt+w r "reset world" ;;
        2) menu_pick 144 62 step ;;
        3) menu_pick 240 $((37 + 25 * (RANDOM % 3))) help ;;
        4) menu_pick 144 137 stop ;;
        esac
    else
        case $((RANDOM % 4)) in
        0) edit save key ctrl+e ;;
        1) edit save menu_pick 97 37 "edit world" ;;
        2) edit keep key ctrl+e ;; # left changed: the next run or reset saves it
        3) edit save menu_pick 35 37 "edit program" ;;
        esac
    fi
    if [ "$(date +%s)" -ge "$next_example" ]; then
        example
        next_example=$(($(date +%s) + 12))
    fi
    if [ "$(date +%s)" -ge "$next_sample" ]; then
        sample
        next_sample=$(($(date +%s) + 10))
    fi
done
ELAPSED=$(($(date +%s) - START))

# The end of the lesson: no run going, every box answered, nothing left open.
key Escape
settle
pause 0.5
settle
sample
LEFT=$(others)
[ -z "$LEFT" ] || fail "windows left open: $LEFT"

# Still answering: the first world again, reset by the button, then m l m moves and turns the
# robot as in keys_e2e (its icon at canvas (180, 180) facing west).
[ "$(xdotool getwindowname "$WID")" = "Pindle's World 1.2" ] || fail "the main window's title cannot be read"
if [ -n "$(xdotool search --onlyvisible --name "^Pindle's (Editor|World Editor)" 2>/dev/null)" ]; then
    if editor_up true; then xdotool key ctrl+s ctrl+q 2>/dev/null || true; fi
    pause 0.2
    settle
fi
delay 2
cp "$WORK/start.sit" "$WORK/w.sit"
click 8
settle
focus_main
pause 0.3
key m l m
shot
expect_pixel 195 255 "srgb(0,0,0)" "icon cross at the new corner after the lesson"
expect_pixel 195 270 "srgb(32,160,64)" "robot body at the new corner after the lesson"
expect_pixel 213 288 "srgb(255,255,255)" "start corner cleared after the lesson"
alive
LAST_RSS=$(rss)
if [ "$LAST_RSS" -gt "$PEAK" ]; then PEAK=$LAST_RSS; fi

echo "soak_e2e: $COMMANDS commands in ${ELAPSED} s, $BOXES boxes answered, $NOTES editor notes"
for name in "${EXAMPLE_NAMES[@]}"; do
    echo "  example $name run to its end: ${FINISHED[$name]:-0} times"
done
for kind in "${!DONE[@]}"; do echo "  $kind: ${DONE[$kind]}"; done | sort
echo "soak_e2e: VmRSS kB at start $FIRST_RSS, samples$SAMPLES, at end $LAST_RSS, peak $PEAK, bound $RSS_BOUND_KB"
echo "soak_e2e: growth from the sample at 10 s to the end: $((LAST_RSS - $(echo $SAMPLES | cut -d' ' -f2))) kB"
for name in "${EXAMPLE_NAMES[@]}"; do
    [ -z "$(finish_pixel "$name")" ] || [ "${FINISHED[$name]:-0}" -gt 0 ] ||
        fail "the example $name never ran to its end"
done
[ "$PEAK" -lt "$RSS_BOUND_KB" ] || fail "resident memory peaked at $PEAK kB, over the bound of $RSS_BOUND_KB kB"
echo "soak_e2e: passed"
