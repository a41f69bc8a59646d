#!/usr/bin/env bash
# Start-up time (start to first paint) and peak memory of the program against a bare Qt
# window, and of a window with Japanese text against the same bare window, alternately
# on a fresh Xvfb server each. Needs the release build with benchmarks.
# Usage: measure-startup.sh [build dir] [runs of each]
set -euo pipefail
build=${1:-build/release} runs=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
bench=$build/bench
for f in "$bench/startup_probe" "$bench/bare_window" "$bench/font_window" "$build/app/marovel"; do
    [[ -x $f ]] || { echo "measure-startup: no $f; build with -DMAROVEL_BUILD_BENCH=ON" >&2; exit 1; }
done
echo "machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p'), load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "== program against the bare window"
"$here/with-xvfb.sh" -- "$bench/startup_probe" --runs "$runs" "$bench/bare_window" "$build/app/marovel"
echo "== a window with Japanese text against the bare window"
"$here/with-xvfb.sh" -- "$bench/startup_probe" --runs "$runs" "$bench/bare_window" "$bench/font_window"
