#!/bin/sh
# Builds the benchmarks (Release) in build-bench/ and runs them all: the interpreter alone,
# pindle-run on 10 million steps (beside an earlier commit's), grading a class, the window
# under Xvfb, and a run recorded as a GIF (beside an earlier commit's). Prints one table with
# the targets.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPINDLE_FUZZ=OFF \
    -DPINDLE_SANITIZED=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target bench_interp bench_window bench_editor \
    bench_animation pindle-run >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rows="$work/rows"

row() { # what measured target unit verdict
    printf '%-48s %14s %14s  %s\n' "$1" "$2" "$3" "$4" >> "$rows"
}
verdict() { # value op target -> met / NOT MET
    if awk -v v="$1" -v t="$3" "BEGIN { exit !(v $2 t) }"; then echo met; else echo "NOT MET"; fi
}

# The interpreter alone.
build-bench/bench/bench_interp --benchmark_format=csv --benchmark_min_time=0.5 2>/dev/null |
    tail -n +2 | tr -d '"' > "$work/interp"
# The rate is the last column; with the history, the bytes a step are the one before it.
rate() { awk -F, -v n="$1" '$1 == n { print $NF / 1e6 }' "$work/interp"; }
while IFS=, read -r name _; do
    m=$(awk -v r="$(rate "$name")" 'BEGIN { printf "%.1f", r }')
    case "$name" in
    TightLoop) row "interpreter, $name (M steps/s)" "$m" ">= 30" "$(verdict "$m" ">=" 30)" ;;
    *WithHistory)
        plain=$(rate "$(echo "$name" | sed 's/WithHistory//; s/^Recursion$/RecursionThousandDeep/')")
        share=$(awk -v h="$m" -v p="$plain" 'BEGIN { printf "%.0f", 100 * h / p }')
        bytes=$(awk -F, -v n="$name" '$1 == n { printf "%.0f", $(NF - 1) }' "$work/interp")
        row "interpreter, $name (M steps/s)" "$m" "" ""
        row "  share of the speed without the history (%)" "$share" ">= 80" "$(verdict "$share" ">=" 80)"
        row "  history kept a step (bytes)" "$bytes" "<= 64" "$(verdict "$bytes" "<=" 64)" ;;
    *) row "interpreter, $name (M steps/s)" "$m" "" "" ;;
    esac
done < "$work/interp"

# pindle-run on a program that never ends.
printf 'pindle 7,7\n' > "$work/open.sit"
printf 'define main as { while (frontClear) { move left left move left left } }\n' > "$work/endless.pnd"
/usr/bin/time -f '%e %M' -o "$work/time" build-bench/pindle-run --max-steps 10000000 \
    "$work/open.sit" "$work/endless.pnd" > /dev/null || true
read -r wall kb <<EOF2
$(tail -n 1 "$work/time")
EOF2
mb=$(awk -v k="$kb" 'BEGIN { printf "%.1f", k / 1024 }')
row "pindle-run, 10 million steps: wall (s)" "$wall" "<= 1" "$(verdict "$wall" "<=" 1)"
row "pindle-run, 10 million steps: peak (MB)" "$mb" "<= 10" "$(verdict "$mb" "<=" 10)"
# The same beside commit 6610118 built the same way: CPU, median of 7 alternating runs.
sh bench/runner_base.sh build-bench/pindle-run 6610118 > "$work/base"
bget() { awk -v n="$1" '$1 == n { print $2 }' "$work/base"; }
row "pindle-run, 10 million steps: CPU (s)" "$(bget runner_cpu_s)" "" ""
row "  the same, commit 6610118 (s)" "$(bget base_cpu_s)" "" ""
v=$(bget ratio); row "  ratio to commit 6610118" "$v" "<= 1.05" "$(verdict "$v" "<=" 1.05)"

# Grading a class: 200 programs on a task of 5 worlds.
sh bench/grade_bench.sh build-bench/pindle-run examples > "$work/grade"
gget() { awk -v n="$1" '$1 == n { print $2 }' "$work/grade"; }
v=$(gget grade_200_mixed_s); row "--grade, 200 programs x 5 worlds, mixed (s)" "$v" "<= 5" "$(verdict "$v" "<=" 5)"
v=$(gget grade_200_mixed_cpu_s); row "  CPU, all processes (s)" "$v" "" ""
v=$(gget grade_200_endless_s); row "--grade, 200 programs x 5 worlds, endless (s)" "$v" "<= 5" "$(verdict "$v" "<=" 5)"
v=$(gget grade_one_more_program_ms); row "  one program more, 5 runs (ms)" "$v" "" ""
v=$(gget grade_one_program_ms); row "  one program alone, process start included (ms)" "$v" "" ""

# A term graded: 30 students x 24 tasks x 3 worlds with --course, beside the same class graded
# task by task with --grade by commit 679d350 (before --course), built the same way.
sh bench/course_bench.sh build-bench/pindle-run examples "$(sh bench/base_build.sh 679d350)" \
    > "$work/course"
cget() { awk -v n="$1" '$1 == n { print $2 }' "$work/course"; }
v=$(cget course_30x24x3_s); row "--course, 30 students x 24 tasks x 3 worlds (s)" "$v" "<= 10" "$(verdict "$v" "<=" 10)"
v=$(cget course_30x24x3_cpu_s); row "  CPU, all processes (s)" "$v" "" ""
v=$(cget base_grade_by_task_s); row "  the same with --grade task by task, commit 679d350 (s)" "$v" "" ""
v=$(cget base_grade_by_task_cpu_s); row "  its CPU (s)" "$v" "" ""

# The window on X11 (Xvfb) and on Wayland (weston nested in Xvfb).
xvfb-run -a -s "-screen 0 1024x768x24" build-bench/bench/bench_window > "$work/window"
sh bench/under_weston.sh build-bench/bench/bench_window > "$work/wayland" 2>/dev/null
for desktop in window wayland; do
get() { awk -v n="$1" '$1 == n { print $2 }' "$work/$desktop"; }
if [ "$desktop" = window ]; then on="X11"; else on="Wayland"; fi
v=$(get run_fast_steps_per_s); row "$on: window Run at Fast, every step drawn (steps/s)" "$v" ">= 5000" "$(verdict "$v" ">=" 5000)"
v=$(get redraws_per_step); row "  kept picture renewed, per step" "$v" "" ""
v=$(get screen_pictures_per_s); row "  pictures on the screen during the run (per s)" "$v" ">= 50" "$(verdict "$v" ">=" 50)"
v=$(get repaints_per_s_while_running); row "  the most the screen takes, repainted every 5 ms (per s)" "$v" "" ""
v=$(get run_fast_300_percent_steps_per_s); row "  the same Run at 300 % (steps/s)" "$v" ">= 5000" "$(verdict "$v" ">=" 5000)"
plain=$(get run_fast_steps_per_s)
v=$(get run_fast_marked_steps_per_s); row "  the same, the next instruction lit (steps/s)" "$v" "" ""
v=$(awk -v m="$v" -v p="$plain" 'BEGIN { printf "%.0f", 100 * m / p }')
row "  share of the speed without the light (%)" "$v" ">= 90" "$(verdict "$v" ">=" 90)"
v=$(get escape_to_stopped_ms_max); row "  Escape to stopped, worst of 5 (ms)" "$v" "<= 50" "$(verdict "$v" "<=" 50)"
v=$(get startup_to_first_world_ms); row "  start-up to first drawn world (ms)" "$v" "<= 300" "$(verdict "$v" "<=" 300)"
done
get() { awk -v n="$1" '$1 == n { print $2 }' "$work/window"; }
v=$(get step_ms); row "X11: one step (ms)" "$v" "" ""
v=$(get full_copy_ms); row "  one full copy of the 550 x 550 picture (ms)" "$v" "" ""
v=$(get step_per_copy_ratio); row "  step cost / full copy cost" "$v" "< 1" "$(verdict "$v" "<" 1)"
v=$(get cpu_during_slow_wait); row "  CPU during a Slow delay wait (% of a core)" "$v" "<= 5" "$(verdict "$v" "<=" 5)"

# The editor under Xvfb.
xvfb-run -a -s "-screen 0 1024x768x24" build-bench/bench/bench_editor > "$work/editor"
eget() { awk -v n="$1" '$1 == n { print $2 }' "$work/editor"; }
v=$(eget editor_open_to_end_ms); row "editor: open 10,000 lines and go to the end (ms)" "$v" "<= 200" "$(verdict "$v" "<=" 200)"
v=$(eget editor_key_ms_max); row "editor: a key typed at the end, worst of 100 (ms)" "$v" "<= 10" "$(verdict "$v" "<=" 10)"
v=$(eget editor_key_ms_median); row "  median (ms)" "$v" "" ""
v=$(eget editor_key_cpu_ms); row "  CPU a key (ms)" "$v" "" ""
v=$(eget editor_huge_fault_ms); row "editor: the fault of a 10 MB program shown (ms)" "$v" "<= 2000" "$(verdict "$v" "<=" 2000)"
v=$(eget editor_peak_mb); row "  peak of the whole window program (MB)" "$v" "<= 300" "$(verdict "$v" "<=" 300)"

# Recording a run of about 2,000 drawn steps as a GIF, beside commit 679d350 built the same way.
sh bench/animation_base.sh build-bench/bench/bench_animation 679d350 > "$work/animation"
aget() { awk -v n="$1" '$1 == n { print $2 }' "$work/animation"; }
row "GIF of a Fast Run: frames" "$(aget gif_frames)" "~2000" ""
v=$(aget gif_kbytes); row "  size (kB)" "$v" "<= 1000" "$(verdict "$v" "<=" 1000)"
row "  size, commit 679d350 (kB)" "$(aget base_gif_kbytes)" "" ""
v=$(aget run_end_to_gif_written_ms); row "  run end to file written (ms)" "$v" "<= 1000" "$(verdict "$v" "<=" 1000)"
row "  the same, commit 679d350 (ms)" "$(aget base_run_end_to_gif_written_ms)" "" ""

echo "Pindle's World benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores"
printf '%-48s %14s %14s  %s\n' "what" "measured" "target" ""
cat "$rows"
