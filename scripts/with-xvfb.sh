#!/usr/bin/env bash
# Runs a command with DISPLAY set to a fresh Xvfb server of its own.
# Usage: with-xvfb.sh [WxHxD] -- command args...
set -euo pipefail
screen=1024x768x24
if [ "${1:-}" != "--" ]; then screen=$1; shift; fi
[ "${1:-}" = "--" ] && shift
display=""
for n in $(seq 141 190); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }
Xvfb "$display" -screen 0 "$screen" -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
unset QT_QPA_PLATFORM
"$@"
