#!/bin/sh
# Grading speed: pindle-run --grade of 200 programs on a task of 5 worlds, each run at most
# 100,000 steps, and the cost of grading one program more. Prints one "name value" line per
# figure. Not a test.
# usage: grade_bench.sh PINDLE_RUN EXAMPLES_DIR
set -e
runner=$1 examples=$2
work=$(mktemp -d /tmp/pindle-grade-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT

# Five mazes: the three of the bundled task and two of them again under other names.
mkdir "$work/task"
for k in 1 2 3; do
    cp "$examples/tasks/maze/maze$k.sit" "$examples/tasks/maze/maze$k.goal.sit" "$work/task/"
done
for k in 1 2; do
    cp "$examples/tasks/maze/maze$k.sit" "$work/task/maze$((k + 3)).sit"
    cp "$examples/tasks/maze/maze$k.goal.sit" "$work/task/maze$((k + 3)).goal.sit"
done

# A class: a quarter solve the mazes, a quarter never end (100,000 steps on every maze), a
# quarter do not compile and a quarter walk into a wall.
class() { # FOLDER COUNT KIND...
    folder=$1 count=$2
    shift 2
    mkdir -p "$folder"
    n=0
    while [ "$n" -lt "$count" ]; do
        for kind in "$@"; do
            file="$folder/student$n.pnd"
            echo "/ student $n" > "$file"
            case $kind in
            solves) cat "$examples/tasks/maze.pnd" >> "$file" ;;
            endless) echo 'define main as { while (not cornerHasSomething) left }' >> "$file" ;;
            broken) echo 'define main as { while (frontClear) jump }' >> "$file" ;;
            walks) echo 'define main as { left left left while (not cornerHasSomething) move }' >> "$file" ;;
            esac
            n=$((n + 1))
        done
    done
}
class "$work/mixed" 200 solves endless broken walks
class "$work/mixed400" 400 solves endless broken walks
class "$work/endless" 200 endless
class "$work/one" 1 solves

grade() { # FOLDER -> "wall user+sys" in seconds
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S' -o "$work/time" "$runner" --grade --max-steps 100000 \
        "$work/task" "$1"/*.pnd > /dev/null || true
    end=$(date +%s%N)
    tail -n 1 "$work/time" |
        awk -v ns=$((end - start)) '{ printf "%.3f %.2f\n", ns / 1e9, $1 + $2 }'
}
best() { # FOLDER: the best of three
    for k in 1 2 3; do grade "$1"; done | sort -n | head -n 1
}
read -r mixed mixed_cpu <<EOF2
$(best "$work/mixed")
EOF2
read -r mixed400 _ <<EOF2
$(best "$work/mixed400")
EOF2
read -r endless endless_cpu <<EOF2
$(best "$work/endless")
EOF2
read -r one _ <<EOF2
$(best "$work/one")
EOF2
echo "grade_200_mixed_s $mixed"
echo "grade_200_mixed_cpu_s $mixed_cpu"
echo "grade_200_endless_s $endless"
echo "grade_200_endless_cpu_s $endless_cpu"
awk -v a="$mixed" -v b="$mixed400" 'BEGIN { printf "grade_one_more_program_ms %.1f\n", (b - a) * 1000 / 200 }'
awk -v s="$one" 'BEGIN { printf "grade_one_program_ms %.1f\n", s * 1000 }'
