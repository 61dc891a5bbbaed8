#!/bin/sh
# Runs pindle-run under valgrind's memcheck over every bundled example: each PROGRAM.pnd on the
# world of the same name, or on mountain.sit when there is none; and each program's --check.
# With SEEDS_DIR (the fuzzers' seed folders), also every program seed on mountain.sit and every
# situation seed with mountain.pnd: memcheck sees reads of uninitialised memory, which the
# sanitizers do not. Any memory error or definite leak fails the test (valgrind exits with 99).
# usage: valgrind_examples.sh PINDLE_RUN EXAMPLES_DIR [SEEDS_DIR]
set -u
runner=$1 examples=$2 seeds=${3:-}
if ! command -v valgrind >/dev/null 2>&1; then
    echo "valgrind is not installed: skipped"
    exit 77
fi
work=$(mktemp -d /tmp/pindle-valgrind-XXXXXX)
trap 'rm -rf "$work"' EXIT

# valgrind 3.19 gives up on the DWARF 5 debug information that clang 14 writes; a copy without
# it keeps the symbol names, which is all the reports need.
cp "$runner" "$work/pindle-run"
objcopy --strip-debug "$work/pindle-run" 2>/dev/null || strip -g "$work/pindle-run"

failed=0 ran=0
memcheck() { # WHAT ARGS...
    what=$1
    shift
    valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
        "$work/pindle-run" "$@" >"$work/out" 2>"$work/err"
    status=$?
    ran=$((ran + 1))
    case $status in
    0 | 1 | 2 | 3) echo "ok   $what (exit $status)" ;;
    *)
        echo "FAIL $what (exit $status)"
        cat "$work/err"
        failed=1
        ;;
    esac
}

for program in "$examples"/*.pnd; do
    [ -e "$program" ] || continue
    world=${program%.pnd}.sit
    [ -e "$world" ] || world=$examples/mountain.sit
    memcheck "$(basename "$world") $(basename "$program")" "$world" "$program"
    memcheck "--check $(basename "$program")" --check "$program"
done
if [ -n "$seeds" ]; then
    for program in "$seeds"/program/*; do
        memcheck "mountain.sit seed $(basename "$program")" --max-steps 5000 \
            "$examples/mountain.sit" "$program"
    done
    for world in "$seeds"/situation/*; do
        memcheck "seed $(basename "$world") mountain.pnd" "$world" "$examples/mountain.pnd"
    done
fi
if [ "$ran" -eq 0 ]; then
    echo "FAIL no examples in $examples"
    exit 1
fi
exit $failed
