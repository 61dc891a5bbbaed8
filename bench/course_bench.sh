#!/bin/sh
# A term graded: pindle-run --course of a class of 30 students on the bundled course (24 tasks
# of 3 worlds: 2,160 runs), each run at most 100,000 steps; and, as the baseline, the same
# class graded task by task with --grade (24 calls) by the runner given second, an earlier
# commit's built the same way. Prints one "name value" line per figure. Not a test.
# usage: course_bench.sh PINDLE_RUN EXAMPLES_DIR [BASE_PINDLE_RUN]
set -e
runner=$1 examples=$2 base=${3:-}
work=$(mktemp -d /tmp/pindle-course-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
course=$examples/course solutions=$examples/course-solutions

# The class: half solve every task, a quarter hand in the program of the task before (which
# fails), and a quarter hand in programs that never end (the step limit on every world) or do
# not compile, task by task in turn.
tasks=$(ls "$solutions" | sed 's/\.pnd$//' | tr '\n' ' ')
n=0
while [ "$n" -lt 30 ]; do
    student="$work/class/student$n"
    mkdir -p "$student"
    before=""
    k=0
    for task in $tasks; do
        file="$student/$task.pnd"
        echo "/ student $n" > "$file"
        case $((n % 4)) in
        0 | 1) cat "$solutions/$task.pnd" >> "$file" ;;
        2) [ -z "$before" ] || cat "$solutions/$before.pnd" >> "$file" ;;
        3) if [ $((k % 2)) -eq 0 ]; then
               echo 'define main as { while (frontClear) { left left left left } }' >> "$file"
           else
               echo 'define main as { while (frontClear) jump }' >> "$file"
           fi ;;
        esac
        before=$task
        k=$((k + 1))
    done
    n=$((n + 1))
done

# The same work task by task: one --grade call a task, of every student's program for it.
cat > "$work/by_task.sh" <<EOF2
for task in $tasks; do
    "\$1" --grade --max-steps 100000 "$course/\$task" "$work"/class/*/"\$task.pnd"
done
exit 0
EOF2

timed() { # COMMAND... -> "wall user+sys" in seconds
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S' -o "$work/time" "$@" > /dev/null || true
    end=$(date +%s%N)
    tail -n 1 "$work/time" |
        awk -v ns=$((end - start)) '{ printf "%.3f %.2f\n", ns / 1e9, $1 + $2 }'
}
# Three rounds, the runners taken in turn in each; the best round of each.
for round in 1 2 3; do
    timed "$runner" --course --max-steps 100000 "$course" "$work"/class/* >> "$work/term"
    [ -z "$base" ] || timed sh "$work/by_task.sh" "$base" >> "$work/base"
done
read -r term term_cpu <<EOF2
$(sort -n "$work/term" | head -n 1)
EOF2
echo "course_30x24x3_s $term"
echo "course_30x24x3_cpu_s $term_cpu"
if [ -n "$base" ]; then
    read -r old old_cpu <<EOF2
$(sort -n "$work/base" | head -n 1)
EOF2
    echo "base_grade_by_task_s $old"
    echo "base_grade_by_task_cpu_s $old_cpu"
fi
