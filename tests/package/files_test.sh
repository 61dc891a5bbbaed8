#!/bin/bash
# What the package installs beside the programs: the manual pages render without warnings and
# name every option; the desktop entry, the AppStream metadata and the file types pass their
# validators and agree; the icons have their sizes; bash completion offers options and files;
# --help and --version of the window program need no display.
# Arguments: SOURCE_DIR GENERATED_DIR PINDLE PINDLE_RUN VERSION
set -eu
SRC=$1 GEN=$2 PINDLE=$3 RUN=$4 VERSION=$5
ID=org.pindlesworld.Pindle
WORK=$(mktemp -d /tmp/pindle-files-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The programs' own words: no window, one version.
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$PINDLE" --help) || fail "pindle --help failed"
[[ $help == "usage: pindle "* ]] || fail "pindle --help: $help"
[ "$(env -u DISPLAY "$PINDLE" --version)" = "pindle (Pindle's World) $VERSION" ] ||
    fail "pindle --version is not $VERSION"
[ "$("$RUN" --version)" = "pindle-run (Pindle's World) $VERSION" ] ||
    fail "pindle-run --version is not $VERSION"

# page PROGRAM: renders the page without warnings and checks that it names every option that
# the program's usage shows.
page() {
    MANWIDTH=100 man --warnings -l "$GEN/$1.1" > "$WORK/$1.txt" 2> "$WORK/$1.err" ||
        fail "man $1 failed"
    [ ! -s "$WORK/$1.err" ] || fail "man $1 warns: $(head -n 3 "$WORK/$1.err")"
    grep -q "^EXIT STATUS" "$WORK/$1.txt" || fail "man $1 has no exit statuses"
    for opt in $("$2" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        grep -q -- "^ *$opt\b" "$WORK/$1.txt" || fail "man $1 does not describe $opt"
    done
}
page pindle-run "$RUN"
page pindle "$PINDLE"
grep -q "^ *--picture\b" "$WORK/pindle-run.txt" || fail "man pindle-run does not describe --picture"
for key in Ctrl-R F5 F9 Ctrl-Z F3 Esc; do
    grep -q -- "$key" "$WORK/pindle.txt" || fail "man pindle does not name the key $key"
done

desktop-file-validate "$SRC/data/$ID.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$GEN/$ID.metainfo.xml" || fail "AppStream metadata"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$GEN/$ID.metainfo.xml" ||
    fail "the metainfo does not launch the desktop entry"

# The file types: the MIME database made from our XML knows both extensions, .sit above the
# other format of that name, and the desktop entry opens exactly those types.
mkdir -p "$WORK/mime/packages"
cp "$SRC/data/$ID.mime.xml" "$WORK/mime/packages/$ID.xml"
update-mime-database "$WORK/mime" > "$WORK/mime.log" 2>&1 || fail "$(cat "$WORK/mime.log")"
grep -qx "60:application/x-pindle-world:\*.sit" "$WORK/mime/globs2" || fail "no glob for .sit"
grep -qx "50:application/x-pindle-program:\*.pnd" "$WORK/mime/globs2" || fail "no glob for .pnd"
types=$(grep -o 'mime-type type="[^"]*"' "$SRC/data/$ID.mime.xml" | cut -d'"' -f2 | sort)
opened=$(sed -n 's/^MimeType=//p' "$SRC/data/$ID.desktop" | tr ';' '\n' | sed '/^$/d' | sort)
[ "$types" = "$opened" ] || fail "the desktop entry opens [$opened], the XML declares [$types]"

# Each icon a PNG of its size (width and height are bytes 16 to 23 of a PNG).
for size in 16 32 48 64 128 256; do
    png="$GEN/icons/${size}x$size/$ID.png"
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$dims" = "${size}x$size" ] || fail "$png is $dims"
done

# bash completion: COMPREPLY, sorted and each followed by a space, for a command line whose
# last word is being completed.
mkdir -p "$WORK/files/sub" && cd "$WORK/files" && touch a.sit b.pnd c.svg d.csv e.xml f.txt
complete_line() {
    bash -c '. "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _pindle_run
             printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' _ "$SRC/data/pindle-run.bash" "$@"
}
expect_completion() { # WANT WORDS...
    want=$1
    shift
    got=$(complete_line "$@")
    [ "$got" = "$want" ] || fail "completing '$*': got '$got', want '$want'"
}
expect_completion "--picture " pindle-run --pic
expect_completion "--goal --grade " pindle-run --g
expect_completion "a.sit sub " pindle-run --goal ""
expect_completion "c.svg sub " pindle-run --trace --picture ""
expect_completion "d.csv sub " pindle-run --grade --csv ""
expect_completion "e.xml sub " pindle-run --grade --junit ""
expect_completion "b.pnd sub " pindle-run --check ""
expect_completion "--check --course --csv " pindle-run --c
expect_completion "sub " pindle-run --course sub ""
expect_completion "a.sit b.pnd sub " pindle-run --trace ""
expect_completion " " pindle-run --max-steps ""
echo "files_test: passed"
