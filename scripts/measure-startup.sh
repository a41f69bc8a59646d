#!/usr/bin/env bash
# Start-up time (start to first paint) and peak memory of the program against a bare Qt
# window, alternately, on a fresh Xvfb server. Needs the release build with benchmarks.
# Usage: measure-startup.sh [build dir] [runs of each]
set -euo pipefail
build=${1:-build/release} runs=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
for f in "$build/bench/startup_probe" "$build/bench/bare_window" "$build/app/marovel"; do
    [[ -x $f ]] || { echo "measure-startup: no $f; build with -DMAROVEL_BUILD_BENCH=ON" >&2; exit 1; }
done
echo "machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p'), load $(cut -d' ' -f1-3 /proc/loadavg)"
"$here/with-xvfb.sh" -- "$build/bench/startup_probe" --runs "$runs" \
    "$build/bench/bare_window" "$build/app/marovel"
