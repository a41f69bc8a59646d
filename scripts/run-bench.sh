#!/usr/bin/env bash
# Runs every benchmark program found in <build dir>/bench, ten repetitions each, reporting
# only the aggregates. Extra arguments go to every program (e.g. --benchmark_filter=30x30).
# Without extra arguments it then measures start-up, peak memory and idle CPU under Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

build_dir=${1:-build/release}
shift || true
extra_args=$#
bench_dir="$build_dir/bench"

if [[ ! -d $bench_dir ]]; then
    echo "run-bench: no $bench_dir; configure with -DMAROVEL_BUILD_BENCH=ON (cmake --preset release)" >&2
    exit 1
fi

mapfile -t programs < <(find "$bench_dir" -maxdepth 1 -type f -executable -name 'bench_*' | sort)
if ((${#programs[@]} == 0)); then
    echo "run-bench: no benchmark programs in $bench_dir" >&2
    exit 1
fi

echo "machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p')"
for program in "${programs[@]}"; do
    echo "== $(basename "$program")"
    "$program" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true "$@"
done

if ((extra_args == 0)) && [[ -x $bench_dir/startup_probe ]]; then
    echo "== start-up and peak memory"
    bash "$here/measure-startup.sh" "$build_dir" 20
    echo "== idle, 10 s each"
    bash "$here/measure-idle.sh" "$build_dir/app/marovel" 10
    bash "$here/measure-idle.sh" "$bench_dir/bare_window" 10 '^bare_window$'
fi
