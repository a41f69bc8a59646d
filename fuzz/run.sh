#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, starting from its seed corpus.
# The seeds are read only: what a run discovers goes to a scratch folder that is removed
# afterwards, and an input that breaks a target is kept under <build>/findings/.
# Usage: fuzz/run.sh <fuzz build folder> <seconds per target>
set -euo pipefail
build=$1 seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
findings=$build/findings
status=0

for seeds in "$here"/corpus/*/; do
    name=$(basename "$seeds")
    bin=$build/fuzz/$name
    [ -x "$bin" ] || { echo "FAIL: $bin is not built" >&2; status=1; continue; }
    mkdir -p "$scratch/$name" "$findings/$name"
    echo "== $name: ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$findings/$name/" "$scratch/$name" "$seeds" \
        >"$scratch/$name.log" 2>&1; then
        tail -n 60 "$scratch/$name.log" >&2
        echo "FAIL: $name found a fault; its input is in $findings/$name/" >&2
        echo "      (fix it, then add the input to fuzz/corpus/$name/)" >&2
        status=1
        continue
    fi
    grep -E '^stat::number_of_executed_units|^Done ' "$scratch/$name.log" || true
done
exit $status
