#!/usr/bin/env bash
# Takes the README's screenshot of the window under Xvfb.
# Usage: screenshot.sh <marovel binary> <output.png> [scale factor]
set -euo pipefail
app=$1 out=$2 scale=${3:-1}
here=$(cd "$(dirname "$0")" && pwd)
export QT_SCALE_FACTOR=$scale
"$here/with-xvfb.sh" 1600x1000x24 -- bash -c '
    "$0" & pid=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Marovel ver0\.6$" | head -n 1)
    sleep 1
    import -window "$wid" "$1"
    kill $pid' "$app" "$out"
echo "wrote $out"
