#!/bin/sh
# Runs a command as a Wayland client of weston, which runs nested in a private Xvfb; the
# command gets no DISPLAY, and PINDLE_BENCH_KEYS names the X display that keys go through.
set -e
work=$(mktemp -d)
chmod 700 "$work"
Xvfb :91 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $weston $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
DISPLAY=:91 XDG_RUNTIME_DIR="$work" weston --backend=x11-backend.so --width=1260 --height=1000 \
    --socket=wl-bench --idle-time=0 >/dev/null 2>&1 &
weston=$!
for _ in $(seq 100); do [ -e "$work/wl-bench" ] && break; sleep 0.1; done
sleep 1
env -u DISPLAY -u GDK_BACKEND WAYLAND_DISPLAY=wl-bench XDG_RUNTIME_DIR="$work" \
    PINDLE_BENCH_KEYS=:91 "$@"
