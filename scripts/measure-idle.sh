#!/usr/bin/env bash
# CPU time the shown, untouched window uses over an idle period, under Xvfb: clock ticks
# from /proc/<pid>/stat, nanoseconds on the CPU and wake-ups (context switches) summed over
# all the program's threads.
# Usage: measure-idle.sh <binary> [seconds] [window title, an xdotool regex]
set -euo pipefail
app=$1 seconds=${2:-10} title=${3:-'^Marovel ver0\.6$'}
here=$(cd "$(dirname "$0")" && pwd)
"$here/with-xvfb.sh" -- bash -c '
    "$0" & pid=$!
    timeout 20 xdotool search --sync --onlyvisible --name "$2" >/dev/null
    sleep 2
    ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
    cpu_ns() { cat /proc/$pid/task/*/schedstat | awk "{s += \$1} END {print s}"; }
    wakeups() { cat /proc/$pid/task/*/status |
        awk "/^(non)?voluntary_ctxt_switches/ {s += \$2} END {print s}"; }
    hz=$(getconf CLK_TCK)
    t0=$(ticks) n0=$(cpu_ns) w0=$(wakeups)
    sleep "$1"
    t1=$(ticks) n1=$(cpu_ns) w1=$(wakeups)
    threads=$(ls /proc/$pid/task | wc -l)
    kill $pid
    echo "idle CPU over $1 s: $((t1 - t0)) ticks of 1/$hz s, $((n1 - n0)) ns, $((w1 - w0)) wake-ups ($threads threads)"' \
    "$app" "$seconds" "$title"
