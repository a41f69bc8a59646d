#!/usr/bin/env bash
# CPU time the shown, untouched window uses over an idle period, under Xvfb.
# Usage: measure-idle.sh <marovel binary> [seconds]
set -euo pipefail
app=$1 seconds=${2:-10}
here=$(cd "$(dirname "$0")" && pwd)
"$here/with-xvfb.sh" -- bash -c '
    "$0" & pid=$!
    timeout 20 xdotool search --sync --onlyvisible --name "^Marovel ver0\.6$" >/dev/null
    sleep 2
    ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
    hz=$(getconf CLK_TCK)
    before=$(ticks); sleep "$1"; after=$(ticks)
    kill $pid
    echo "idle CPU over $1 s: $((after - before)) ticks of 1/$hz s"' "$app" "$seconds"
