#!/usr/bin/env bash
# Runs every benchmark that the build produced; each prints its own ratio against a baseline
# measured in the same run.
set -uo pipefail
build="$1"
status=0
for b in "$build"/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=offscreen "$b" || status=1
done
exit $status
