#!/usr/bin/env bash
# Runs every benchmark program found in <build dir>/bench, ten repetitions each, reporting
# only the aggregates. Extra arguments go to every program (e.g. --benchmark_filter=30x30).
set -euo pipefail

build_dir=${1:-build/release}
shift || true
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
