#!/usr/bin/env bash
# Runs one fuzzer of build-fuzz (`make fuzz`) for a while over its seed corpus and its dictionary.
# What it finds goes to build-fuzz/fuzz-work/<target>/, never into the seeds in git.
# Usage: scripts/fuzz-run.sh <target> <seconds> [jobs]   e.g. scripts/fuzz-run.sh ical 60
set -euo pipefail

target=${1:?usage: $0 <target> <seconds> [jobs]}
seconds=${2:?usage: $0 <target> <seconds> [jobs]}
jobs=${3:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
binary=$(find "$root/build-fuzz" -type f -name "fuzz_$target" -perm -u+x | head -n 1)
[ -n "$binary" ] || { echo "fuzz-run: no fuzz_$target in build-fuzz (run make fuzz)" >&2; exit 1; }

seeds=$(find "$root/tests" -type d -name "${target//_/-}-corpus" | head -n 1)
[ -n "$seeds" ] || { echo "fuzz-run: no ${target//_/-}-corpus under tests" >&2; exit 1; }
dict=$(dirname "$seeds")/${target//_/-}.dict

work=$root/build-fuzz/fuzz-work/$target
mkdir -p "$work/corpus" "$work/crashes"
rm -f "$work"/fuzz-*.log
log=$work/run.log
args=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1
      -artifact_prefix="$work/crashes/")
[ -f "$dict" ] && args+=(-dict="$dict")
[ "$jobs" -gt 1 ] && args+=(-jobs="$jobs" -workers="$jobs")

# New entries go to the first folder, the work one; the seeds are only read.
status=0
(cd "$work" && "$binary" "${args[@]}" "$work/corpus" "$seeds") >"$log" 2>&1 || status=$?
[ "$jobs" -gt 1 ] && cat "$work"/fuzz-*.log >>"$log" 2>/dev/null

execs=$(grep -ho 'stat::number_of_executed_units: *[0-9]*' "$log" | awk '{s += $2} END {print s + 0}')
coverage=$(grep -hE '^#[0-9]+' "$log" | grep -oE 'cov: [0-9]+ ft: [0-9]+' | tail -n 1)
echo "fuzz_$target: ${seconds}s, executions ${execs}, ${coverage:-cov: ? ft: ?}, exit $status"
crashes=$(find "$work/crashes" -type f | sort)
echo "crash files: $(echo -n "$crashes" | grep -c . || true)"
[ -z "$crashes" ] || echo "$crashes"
exit "$status"
