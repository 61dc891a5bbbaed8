#!/bin/bash
# The Debian package: built by cpack, installed with apt-get, used as a technician would (the
# runner on an installed example, the manual page, the window on its installed examples), and
# removed again with nothing left behind.
# Arguments: BUILD_DIR VERSION. Run under xvfb-run, as root.
set -eu
BUILD=$1 VERSION=$2
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing a package needs root"
    exit 77
fi
if dpkg-query -W -f='${Status}' pindle 2>/dev/null | grep -q "install ok installed"; then
    echo "SKIP: a pindle package is installed here already; this test would remove it"
    exit 77
fi
WORK=$(mktemp -d /tmp/pindle-deb-XXXXXX)
PID=""
cleanup() {
    [ -z "$PID" ] || kill "$PID" 2>/dev/null || true
    dpkg -r pindle > /dev/null 2>&1 || true
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/out" > "$WORK/cpack.log" ||
    fail "cpack: $(tail -n 5 "$WORK/cpack.log")"
DEB="$WORK/out/pindle_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || fail "no $(basename "$DEB") in: $(ls "$WORK/out")"
depends=$(dpkg-deb -f "$DEB" Depends)
[[ $depends == *libwxgtk3.2* && $depends == *libc6* ]] ||
    fail "the dependencies were not computed: $depends"

DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$DEB" > "$WORK/apt.log" 2>&1 ||
    fail "apt-get install: $(tail -n 5 "$WORK/apt.log")"
dpkg -L pindle | sort > "$WORK/files"
[ "$(/usr/bin/pindle-run --version)" = "pindle-run (Pindle's World) $VERSION" ] ||
    fail "pindle-run --version"
(cd /usr/share/pindle/examples && /usr/bin/pindle-run maze.sit maze.pnd > "$WORK/run") ||
    fail "pindle-run on the installed maze example"
grep -qx "end: finished" "$WORK/run" || fail "the maze example did not finish"
/usr/bin/pindle-run --grade /usr/share/pindle/examples/tasks/maze \
    /usr/share/pindle/examples/tasks/maze.pnd > "$WORK/grade" || fail "grading the installed task"
grep -qx /usr/share/pindle/examples/course/24-treasure-hunt/task.md "$WORK/files" ||
    fail "the package lacks the course"
! grep -q course-solutions "$WORK/files" || fail "the package holds the course's solutions"
[ "$(man -w pindle-run)" = /usr/share/man/man1/pindle-run.1.gz ] || fail "man -w pindle-run"
MANPAGER=cat man pindle-run 2> /dev/null | grep -q -- "--grade" || fail "man pindle-run shows no page"
grep -q "application/x-pindle-world" /usr/share/mime/globs2 || fail "the MIME database has no worlds"
for f in /usr/share/applications/org.pindlesworld.Pindle.desktop \
    /usr/share/metainfo/org.pindlesworld.Pindle.metainfo.xml \
    /usr/share/icons/hicolor/48x48/apps/org.pindlesworld.Pindle.png \
    /usr/share/bash-completion/completions/pindle-run \
    /usr/share/locale/de/LC_MESSAGES/pindle.mo /usr/share/locale/fr/LC_MESSAGES/pindle.mo \
    /usr/share/locale/es/LC_MESSAGES/pindle.mo; do
    grep -qx "$f" "$WORK/files" || fail "the package lacks $f"
done

# The installed window program, started in an empty folder, finds its installed examples.
mkdir "$WORK/empty"
(cd "$WORK/empty" && exec env NO_AT_BRIDGE=1 /usr/bin/pindle) &
PID=$!
WID=$(xdotool search --sync --onlyvisible --name "^Pindle's World $VERSION\$" | head -n 1)
xdotool windowfocus --sync "$WID"
sleep 0.5
xdotool key ctrl+e
xdotool search --sync --onlyvisible \
    --name "^Pindle's Editor: /usr/share/pindle/examples/mountain.pnd\$" > /dev/null
kill "$PID"
wait "$PID" 2>/dev/null || true
PID=""

dpkg -r pindle > "$WORK/remove.log" 2>&1 || fail "dpkg -r: $(tail -n 5 "$WORK/remove.log")"
! dpkg-query -W -f='${Status}' pindle 2>/dev/null | grep -q "ok installed" ||
    fail "pindle is still installed after dpkg -r"
while read -r f; do
    if [ -e "$f" ] && ! [ -d "$f" ]; then fail "left behind: $f"; fi
done < "$WORK/files"
[ ! -e /usr/share/pindle ] || fail "left behind: /usr/share/pindle"
echo "deb_test: passed"
