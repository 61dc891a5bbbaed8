#!/bin/sh
# Runs one fuzz target for a bounded time over its checked-in seeds.
# usage: run_fuzz.sh TARGET SEEDS_DIR WORK_DIR SECONDS
set -e
target=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/corpus" "$work/crashes"
cd "$work"
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" "$work/corpus" "$seeds"
