#!/bin/sh
# The runner's 10 million steps beside the same run of an earlier commit, built the same way
# (Release) from its own files (bench/base_build.sh): 7 runs of each, alternating, and the
# median CPU time (user and system) of each. Prints one "name value" line per figure. Not a test.
# usage: runner_base.sh PINDLE_RUN [COMMIT]
set -e
runner=$(realpath "$1") commit=${2:-6610118}
baseRunner=$(sh bench/base_build.sh "$commit")
work=$(mktemp -d /tmp/pindle-runner-base-XXXXXX)
trap 'rm -rf "$work"' EXIT
printf 'pindle 7,7\n' > "$work/open.sit"
printf 'define main as { while (frontClear) { move left left move left left } }\n' > "$work/endless.pnd"
python3 - "$runner" "$baseRunner" "$work/open.sit" "$work/endless.pnd" <<'EOF'
import resource, statistics, subprocess, sys
now, base, world, program = sys.argv[1:]
def cpu(binary):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run([binary, "--max-steps", "10000000", world, program], stdout=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime
times = {now: [], base: []}
for _ in range(7):
    for binary in (now, base):
        times[binary].append(cpu(binary))
m, b = statistics.median(times[now]), statistics.median(times[base])
print(f"runner_cpu_s {m:.3f}\nbase_cpu_s {b:.3f}\nratio {m / b:.3f}")
EOF
