#!/usr/bin/env bash
# Runs a command with DISPLAY set to a fresh Xvfb server of its own.
# Usage: with-xvfb.sh [WxHxD] -- command args...
set -euo pipefail
screen=1024x768x24
if [ "${1:-}" != "--" ]; then screen=$1; shift; fi
[ "${1:-}" = "--" ] && shift
# The server picks a free display number itself and reports it once it accepts clients,
# so tests running side by side never race for the same number.
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true; rm -f "$number"' EXIT
for _ in $(seq 1 100); do [ -s "$number" ] && break; sleep 0.1; done
[ -s "$number" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$number")"
unset QT_QPA_PLATFORM
"$@"
